#pragma once
// The about screen `frmAbout`: title, version, a note, and the user's own animal type.
#include <QDialog>
#include <cstdint>
#include <optional>

namespace kadelo {

class AboutScreen : public QDialog {
    Q_OBJECT
public:
    // Reads the user's animal type from the settings file each time the screen is made.
    explicit AboutScreen(QWidget* parent = nullptr);

    // "kadelo.exe Ver 1.5.6": the application title, ".exe", " Ver " and the version.
    static QString versionLine();
    // The animal line for a saved type: the request to set the birth date for none or 0.
    static QString animalLine(std::optional<std::int16_t> savedType);
};

} // namespace kadelo
