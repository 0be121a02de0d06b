#pragma once
// The settings file Kadelo.ini: its line layout, its defaults, and the one reading rule shared by
// every screen that reads it (each for its own keys).
#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "text/file_io.h"

namespace kadelo {

constexpr int kColourCount = 23;

// The whole record written by the settings screen.
struct SettingsRecord {
    std::u32string name;       // given name, as typed
    std::u32string familyName; // surname, as typed
    std::u32string year;
    std::u32string month;
    std::u32string day;
    std::int16_t animal = 0; // animal type 1..60, 0 for none
    std::u32string blood;
    std::int16_t mouse = 0; // 0, 1 or 2
    std::int16_t animation1 = 1;
    std::int16_t animation2 = 1;
    std::array<std::uint32_t, kColourCount> colours{}; // 0x00BBGGRR
};

// The start-up values the main menu keeps for the whole run.
struct MenuSettings {
    std::int16_t aflag1 = 0;
    std::int16_t aflag2 = 0;
    std::int16_t mflag = 0;
    std::array<std::u32string, kColourCount> col; // colour texts of up to 11 characters
};

// The profile values the settings screen shows when it opens.
struct ProfileSettings {
    std::u32string name, familyName, year, month, day, blood;
    std::optional<std::int16_t> mouse; // empty when the file has no usable "Mouse=" value
};

class SettingsFile {
public:
    explicit SettingsFile(std::filesystem::path path);

    const std::filesystem::path& path() const { return path_; }

    // The default colours, as written by writeDefaults().
    static const std::array<std::uint32_t, kColourCount>& defaultColours();

    // The 49 lines of the file of defaults (end line "#end"), CR LF after each.
    static std::u32string defaultsText();
    // The 49 lines of a saved record (end line "#End"), CR LF after each.
    static std::u32string saveText(const SettingsRecord& record);

    // Creates or replaces the file with the defaults.
    text::WriteResult writeDefaults() const;
    // Creates or replaces the file from a complete record. Refused, with nothing written, when a text
    // holds a character CP932 cannot hold (error names those characters).
    text::WriteResult save(const SettingsRecord& record) const;

    // The file's fields in sequence, decoded; empty when the file cannot be opened.
    std::optional<std::vector<std::u32string>> fields() const;

    // Start-up of the main menu: last occurrence of each key wins; a key that is missing leaves 0
    // or an empty text; a value that cannot be converted to a number keeps the default value.
    std::optional<MenuSettings> readMenuSettings() const;
    // Opening of the settings screen: last occurrence wins.
    std::optional<ProfileSettings> readProfile() const;
    // About screen: the first "user_animal=" field, its 2-character slice as a number (0 when empty
    // or not a number). Empty when the file cannot be read or has no such field.
    std::optional<std::int16_t> firstUserAnimal() const;
    // Naming screen: the first "Family name=" value that is not empty.
    std::optional<std::u32string> firstFamilyName() const;
    // Judgement screen: the value of every "Family name=" field, in file order.
    std::optional<std::vector<std::u32string>> familyNames() const;

    // The slice behind `key` when `field` starts with it exactly: up to `length` characters.
    static std::optional<std::u32string> keySlice(const std::u32string& field, std::u32string_view key, std::size_t length);

private:
    std::filesystem::path path_;
};

// A colour text from the file as a colour integer 0x00BBGGRR; empty when the text is not a whole
// number from 0 to 16777215.
std::optional<std::uint32_t> colourValue(std::u32string_view text);

} // namespace kadelo
