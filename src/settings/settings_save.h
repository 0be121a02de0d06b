#pragma once
// What the settings screen does with the settings file, without the window: opening the profile
// (writing the defaults first when there is no file yet), and OK — the user's animal type from the
// typed birth date, the check that every box can be stored, and the save of the whole file.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "animal/animal_types.h"
#include "settings/settings_file.h"

namespace kadelo {

// The text boxes of the profile, in the order the screen shows them.
enum class ProfileBox { FamilyName, Name, Year, Month, Day, Blood };

// The profile texts exactly as typed.
struct ProfileTexts {
    std::u32string familyName, name, year, month, day, blood;

    const std::u32string& text(ProfileBox box) const;
};

// Opening of the settings screen.
struct OpenedProfile {
    std::optional<ProfileSettings> profile; // empty when the file could not be read
    bool wroteDefaults = false;             // there was no file, and the defaults were written
    std::string error;                      // why the file could not be read; empty when it was
};

// Reads the profile (last occurrence of each key wins). When there is no settings file yet, the
// defaults are written once and read back. A file that exists but cannot be read is left alone.
OpenedProfile openProfile(const SettingsFile& file);

// The user's animal type from the typed birth date: the year text as typed, the month and the day
// as whole numbers; the last type the table gives. Empty when no type can be found (year not in the
// table, month not 1..12, day not a whole number from 1 to 31, no table).
std::optional<std::int16_t> userAnimalType(
    const DateConversionTable& table, std::u32string_view year, std::u32string_view month, std::u32string_view day);

// True when a typed birth date can be a date. Empty (or blank) boxes are allowed; a filled box must
// hold digits only (half- or full-width, blanks around them allowed), the month 1 to 12 and the day a
// day of that month, February's 29th only in a leap year. When the year is not a four-digit number
// (or the month is empty) the day may be 1 to 31.
bool isBirthDate(std::u32string_view year, std::u32string_view month, std::u32string_view day);

// A box holding characters that the settings file cannot store: characters Shift-JIS cannot hold,
// or characters that would change the file's layout: control characters such as a pasted line
// break (they split the line), a comma or a double quote (they split or open a field, so that the
// rest of the text would be read back as a key of its own).
struct UnstorableText {
    ProfileBox box;
    std::u32string characters; // each such character once, in order of appearance
    bool controlCharacters = false; // the characters are ones that break the layout (see above)
};

// The first box, in screen order, whose text the settings file cannot store; empty when all can.
// Characters that break the layout are reported before characters Shift-JIS cannot hold.
std::optional<UnstorableText> firstUnstorableBox(const ProfileTexts& profile);

// Everything the settings screen holds when OK is pressed.
struct SettingsChoice {
    ProfileTexts profile;
    std::optional<std::int16_t> mouse; // the selected pointer option 0, 1 or 2; empty when none is
    bool animation1 = true;
    bool animation2 = true;
    std::array<std::uint32_t, kColourCount> colours{}; // 0x00BBGGRR
};

struct SaveOutcome {
    enum class Status { Saved, Unstorable, BadDate, WriteFailed };
    Status status = Status::Saved;
    std::optional<UnstorableText> unstorable; // Unstorable: the box and its characters
    std::string error;                        // WriteFailed: what went wrong
    std::int16_t animal = 0;                  // the animal type written, 0 for none
    bool animalFound = false;                 // the birth date gave a type
    std::int16_t mouse = 0;                   // the mouse code written
};

// OK of the settings screen: checks the boxes (what the file can store, then the birth date),
// derives the animal type and the mouse code and saves the whole file (end line "#End"). With no pointer option selected the code in effect is kept
// (`mouseInEffect`; a code other than 0, 1 or 2 acts as the standard pointer and is written as 2).
// A settings file that exists but cannot be read is never replaced (WriteFailed, with the reason).
// Nothing is written unless the outcome is Saved.
SaveOutcome saveSettings(
    const SettingsFile& file, const DateConversionTable& table, const SettingsChoice& choice, std::int16_t mouseInEffect);

} // namespace kadelo
