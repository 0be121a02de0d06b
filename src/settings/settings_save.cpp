#include "settings/settings_save.h"

#include <algorithm>

#include "text/cp932.h"
#include "text/file_io.h"
#include "text/numbers.h"
#include "text/unicode.h"

namespace kadelo {
namespace {

// A typed month or day as a whole number that fits an int; empty otherwise.
std::optional<int> wholeNumber(std::u32string_view text)
{
    const std::optional<long long> v = text::parseInteger(text);
    if (!v || *v < -100000 || *v > 100000)
        return std::nullopt;
    return static_cast<int>(*v);
}

// A character that would change the file's layout when read back: a control character such as a
// line break splits the line, a comma ends the field (the rest would be read as a key of its own),
// a double quote opens a quoted field.
bool breaksLayout(char32_t c)
{
    return c < 0x20 || c == 0x7F || c == U',' || c == U'"';
}

// A filled date box: its digits (half- or full-width) without the blanks around them; empty when
// the box holds anything else. `blank` tells an empty or blank box.
std::optional<std::u32string> dateDigits(std::u32string_view typed, bool& blank)
{
    const std::u32string_view text = text::trimBlanks(typed);
    blank = text.empty();
    std::u32string digits;
    for (char32_t c : text) {
        if (c >= U'0' && c <= U'9')
            digits.push_back(c);
        else if (c >= U'０' && c <= U'９')
            digits.push_back(U'0' + (c - U'０'));
        else
            return std::nullopt;
    }
    return digits;
}

// The value of a digit string, capped so that long strings stay out of every range checked here.
long long digitValue(const std::u32string& digits)
{
    long long v = 0;
    for (char32_t c : digits)
        v = std::min<long long>(v * 10 + (c - U'0'), 1000000);
    return v;
}

} // namespace

bool isBirthDate(std::u32string_view year, std::u32string_view month, std::u32string_view day)
{
    bool yearBlank = false, monthBlank = false, dayBlank = false;
    const std::optional<std::u32string> y = dateDigits(year, yearBlank);
    const std::optional<std::u32string> m = dateDigits(month, monthBlank);
    const std::optional<std::u32string> d = dateDigits(day, dayBlank);
    if (!y || !m || !d)
        return false;
    if (!monthBlank && (digitValue(*m) < 1 || digitValue(*m) > 12))
        return false;
    if (dayBlank)
        return true;
    int longest = 31;
    if (!monthBlank && y->size() == 4)
        longest = daysInMonth(static_cast<int>(digitValue(*y)), static_cast<int>(digitValue(*m)));
    return digitValue(*d) >= 1 && digitValue(*d) <= longest;
}

const std::u32string& ProfileTexts::text(ProfileBox box) const
{
    switch (box) {
    case ProfileBox::FamilyName:
        return familyName;
    case ProfileBox::Name:
        return name;
    case ProfileBox::Year:
        return year;
    case ProfileBox::Month:
        return month;
    case ProfileBox::Day:
        return day;
    case ProfileBox::Blood:
        break;
    }
    return blood;
}

OpenedProfile openProfile(const SettingsFile& file)
{
    OpenedProfile opened;
    opened.profile = file.readProfile();
    if (opened.profile)
        return opened;

    const text::ReadResult present = text::readFile(file.path());
    if (!present.missing) {
        // Something is there but cannot be read: never replace it with the defaults.
        opened.error = present.error.empty() ? "cannot read " + file.path().string() : present.error;
        return opened;
    }
    const text::WriteResult written = file.writeDefaults();
    if (!written) {
        opened.error = written.error;
        return opened;
    }
    opened.wroteDefaults = true;
    opened.profile = file.readProfile();
    if (!opened.profile)
        opened.error = "cannot read " + file.path().string() + " after writing the defaults";
    return opened;
}

std::optional<std::int16_t> userAnimalType(
    const DateConversionTable& table, std::u32string_view year, std::u32string_view month, std::u32string_view day)
{
    const std::optional<int> m = wholeNumber(month);
    const std::optional<int> d = wholeNumber(day);
    if (!m || !d)
        return std::nullopt;
    const std::vector<std::int16_t> types = table.animalTypes(year, *m, *d);
    if (types.empty())
        return std::nullopt;
    return types.back();
}

std::optional<UnstorableText> firstUnstorableBox(const ProfileTexts& profile)
{
    for (ProfileBox box : {ProfileBox::FamilyName, ProfileBox::Name, ProfileBox::Year, ProfileBox::Month,
             ProfileBox::Day, ProfileBox::Blood}) {
        const std::u32string& typed = profile.text(box);
        std::u32string controls;
        for (char32_t c : typed)
            if (breaksLayout(c) && controls.find(c) == std::u32string::npos)
                controls.push_back(c);
        if (!controls.empty())
            return UnstorableText{box, controls, true};
        const text::Cp932Bytes encoded = text::encodeCp932(typed);
        if (!encoded.ok())
            return UnstorableText{box, encoded.unencodable, false};
    }
    return std::nullopt;
}

SaveOutcome saveSettings(
    const SettingsFile& file, const DateConversionTable& table, const SettingsChoice& choice, std::int16_t mouseInEffect)
{
    SaveOutcome outcome;
    if (auto unstorable = firstUnstorableBox(choice.profile)) {
        outcome.status = SaveOutcome::Status::Unstorable;
        outcome.unstorable = std::move(unstorable);
        return outcome;
    }

    const ProfileTexts& p = choice.profile;
    if (!isBirthDate(p.year, p.month, p.day)) {
        outcome.status = SaveOutcome::Status::BadDate;
        return outcome;
    }
    const std::optional<std::int16_t> animal = userAnimalType(table, p.year, p.month, p.day);
    outcome.animalFound = animal.has_value();
    outcome.animal = animal.value_or(0);

    if (choice.mouse && *choice.mouse >= 0 && *choice.mouse <= 2)
        outcome.mouse = *choice.mouse;
    else if (mouseInEffect >= 0 && mouseInEffect <= 2)
        outcome.mouse = mouseInEffect;
    else
        outcome.mouse = 2;

    SettingsRecord record;
    record.name = p.name;
    record.familyName = p.familyName;
    record.year = p.year;
    record.month = p.month;
    record.day = p.day;
    record.animal = outcome.animal;
    record.blood = p.blood;
    record.mouse = outcome.mouse;
    record.animation1 = choice.animation1 ? 1 : 0;
    record.animation2 = choice.animation2 ? 1 : 0;
    record.colours = choice.colours;

    // A file that is there but cannot be read is someone's settings: never replace it unseen.
    const text::ReadResult present = text::readFile(file.path());
    if (!present.bytes && !present.missing) {
        outcome.status = SaveOutcome::Status::WriteFailed;
        outcome.error = present.error;
        return outcome;
    }
    const text::WriteResult written = file.save(record);
    if (!written) {
        outcome.status = SaveOutcome::Status::WriteFailed;
        outcome.error = written.error;
    }
    return outcome;
}

} // namespace kadelo
