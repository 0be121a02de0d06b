#include "ui/look.h"

#include <QCheckBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/app_state.h"

namespace kadelo::ui {

void place(QWidget* w, int left, int top, int width, int height)
{
    w->setGeometry(twips(left), twips(top), twips(width), twips(height));
}

void placeAt(QWidget* w, int left, int top)
{
    w->adjustSize();
    w->move(twips(left), twips(top));
}

void setClientSize(QWidget* window, int width, int height)
{
    window->setFixedSize(twips(width), twips(height));
}

QColor fromColourValue(std::uint32_t bgr)
{
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF), static_cast<int>((bgr >> 16) & 0xFF));
}

std::uint32_t toColourValue(const QColor& colour)
{
    return static_cast<std::uint32_t>(colour.red()) | (static_cast<std::uint32_t>(colour.green()) << 8)
        | (static_cast<std::uint32_t>(colour.blue()) << 16);
}

QColor colourFromText(std::u32string_view text, int index)
{
    if (auto v = colourValue(text))
        return fromColourValue(*v);
    const auto& defaults = SettingsFile::defaultColours();
    if (index >= 1 && index <= kColourCount)
        return fromColourValue(defaults[static_cast<std::size_t>(index - 1)]);
    return QColor(Qt::white);
}

QColor themeColour(int index)
{
    const MenuSettings& m = menuSettings();
    if (index < 1 || index > kColourCount)
        return QColor(Qt::white);
    return colourFromText(m.col[static_cast<std::size_t>(index - 1)], index);
}

void paintBackground(QWidget* w, const QColor& colour)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, colour);
    p.setColor(QPalette::Button, colour);
    p.setColor(QPalette::Base, colour);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

namespace {

// Enter (Return or the keypad's Enter) on a focused button presses it, as Space does. A held key's
// repeats are ignored, so Enter that moved the focus onto a button does not press it as well.
class PressOnEnter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
            if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && plain) {
                if (!key->isAutoRepeat())
                    static_cast<QPushButton*>(watched)->click();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    // Not a default button, so Enter in a text box does only what the screen says.
    b->setAutoDefault(false);
    b->setDefault(false);
    b->installEventFilter(new PressOnEnter(b));
    return b;
}

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& caption)
{
    auto* l = new QLabel(caption, parent);
    if (!name.isEmpty())
        l->setObjectName(name);
    return l;
}

QLineEdit* makeLineEdit(QWidget* parent, const QString& name)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    return e;
}

QCheckBox* makeCheckBox(QWidget* parent, const QString& name, const QString& caption, bool checked)
{
    auto* c = new QCheckBox(caption, parent);
    c->setObjectName(name);
    c->setChecked(checked);
    return c;
}

namespace {

class EnterFilter : public QObject {
public:
    EnterFilter(QObject* parent, std::function<void()> action) : QObject(parent), action_(std::move(action)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                action_();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> action_;
};

class EscapeFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
            return true;
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void onEnter(QLineEdit* box, std::function<void()> action)
{
    box->installEventFilter(new EnterFilter(box, std::move(action)));
}

void keepOpenOnEscape(QWidget* window)
{
    window->installEventFilter(new EscapeFilter(window));
}

} // namespace kadelo::ui

static void registerKadeloAssets()
{
    Q_INIT_RESOURCE(assets);
}

namespace kadelo::ui {

void initResources()
{
    static const bool once = [] {
        registerKadeloAssets();
        return true;
    }();
    (void)once;
}

} // namespace kadelo::ui
