// Build-time tool: renders the SVG icon into square PNG files for the desktop's icon theme.
// Usage: kadelo_render_icon ICON.svg SIZE OUT.png [SIZE OUT.png ...]
// An OUT ending in .bgra gets the raw pixels instead of a PNG (for the window icon and the pictures
// built into the program; they match the program's own drawing of the SVG at that size).
#include <cstdio>

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

int main(int argc, char* argv[])
{
    // No window system is needed (or wanted) at build time.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 4 || argc % 2 != 0) {
        std::fprintf(stderr, "usage: %s ICON.svg SIZE OUT.png [SIZE OUT.png ...]\n", argv[0]);
        return 2;
    }
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "%s: cannot read %s\n", argv[0], argv[1]);
        return 1;
    }
    for (int i = 2; i + 1 < argc; i += 2) {
        bool ok = false;
        const int size = QByteArray(argv[i]).toInt(&ok);
        if (!ok || size < 1 || size > 4096) {
            std::fprintf(stderr, "%s: bad size %s\n", argv[0], argv[i]);
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        renderer.render(&painter, QRectF(0, 0, size, size));
        painter.end();
        const QString out = QString::fromLocal8Bit(argv[i + 1]);
        bool saved = false;
        if (out.endsWith(QLatin1String(".bgra"))) {
            // Raw pixels, 4 bytes each in the order B G R A (premultiplied), rows top to bottom: the
            // program shows them without decoding anything.
            const QImage raw = image.convertToFormat(QImage::Format_RGBA8888_Premultiplied).rgbSwapped();
            QFile file(out);
            saved = file.open(QIODevice::WriteOnly)
                && file.write(reinterpret_cast<const char*>(raw.constBits()), raw.sizeInBytes()) == raw.sizeInBytes();
        } else {
            saved = image.save(out, "PNG");
        }
        if (!saved) {
            std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[i + 1]);
            return 1;
        }
    }
    return 0;
}
