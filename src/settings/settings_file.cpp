#include "settings/settings_file.h"

#include "text/cp932.h"
#include "text/numbers.h"
#include "text/records.h"
#include "text/unicode.h"

namespace kadelo {
namespace {

constexpr std::u32string_view kName = U"Name=";
constexpr std::u32string_view kFamilyName = U"Family name=";
constexpr std::u32string_view kYear = U"year=";
constexpr std::u32string_view kMonth = U"month=";
constexpr std::u32string_view kDay = U"day=";
constexpr std::u32string_view kUserAnimal = U"user_animal=";
constexpr std::u32string_view kBlood = U"Blood=";
constexpr std::u32string_view kMouse = U"Mouse=";
constexpr std::u32string_view kAnimation1 = U"Animation1=";
constexpr std::u32string_view kAnimation2 = U"Animation2=";

std::u32string colourKey(int index) // index 0..22 gives "No1=" … "No23="
{
    return U"No" + text::numberField(index + 1) + U"=";
}

std::optional<std::int16_t> sliceNumber(const std::u32string& slice)
{
    return text::toInt16(text::parseInteger(slice));
}

struct Lines {
    std::u32string out;
    void add(std::u32string_view line)
    {
        out.append(line);
        out.append(U"\r\n");
    }
};

// The defaults leave the animal type empty; a saved record always writes its number.
std::u32string fileText(const SettingsRecord& r, std::u32string_view animalText, std::u32string_view endLine)
{
    Lines l;
    l.add(U"[Kadelo]");
    l.add(U"");
    l.add(std::u32string(kName) + r.name);
    l.add(std::u32string(kFamilyName) + r.familyName);
    l.add(U"");
    l.add(U"[option]");
    l.add(U"");
    l.add(std::u32string(kYear) + r.year);
    l.add(std::u32string(kMonth) + r.month);
    l.add(std::u32string(kDay) + r.day);
    l.add(std::u32string(kUserAnimal) + std::u32string(animalText));
    l.add(std::u32string(kBlood) + r.blood);
    l.add(U"");
    l.add(U"[Mouse]");
    l.add(U"");
    l.add(std::u32string(kMouse) + text::numberField(r.mouse));
    l.add(U"");
    l.add(U"[Animation]");
    l.add(U"");
    l.add(std::u32string(kAnimation1) + text::numberField(r.animation1));
    l.add(std::u32string(kAnimation2) + text::numberField(r.animation2));
    l.add(U"");
    l.add(U"[Color]");
    l.add(U"");
    for (int i = 0; i < kColourCount; ++i)
        l.add(colourKey(i) + text::numberField(r.colours[i]));
    l.add(U"");
    l.add(endLine);
    return l.out;
}

text::WriteResult writeText(const std::filesystem::path& path, const std::u32string& content)
{
    const text::Cp932Bytes bytes = text::encodeCp932(content);
    if (!bytes.ok())
        return text::WriteResult{false, "characters that Shift-JIS cannot hold: " + text::toUtf8(bytes.unencodable)};
    return text::writeFileAtomic(path, bytes.bytes);
}

} // namespace

SettingsFile::SettingsFile(std::filesystem::path path) : path_(std::move(path)) {}

const std::array<std::uint32_t, kColourCount>& SettingsFile::defaultColours()
{
    static const std::array<std::uint32_t, kColourCount> colours = {16777088, 16750487, 16702900, 16744448, 16744703,
        8454143, 8453888, 11592197, 8421631, 8454143, 8454016, 16777088, 16744448, 16744703, 16711680, 16744703,
        16777088, 8454143, 8453888, 11138558, 16744703, 12615935, 8454143};
    return colours;
}

std::u32string SettingsFile::defaultsText()
{
    SettingsRecord defaults;
    defaults.colours = defaultColours();
    return fileText(defaults, U"", U"#end");
}

std::u32string SettingsFile::saveText(const SettingsRecord& record)
{
    return fileText(record, text::numberField(record.animal), U"#End");
}

text::WriteResult SettingsFile::writeDefaults() const
{
    return writeText(path_, defaultsText());
}

text::WriteResult SettingsFile::save(const SettingsRecord& record) const
{
    return writeText(path_, saveText(record));
}

std::optional<std::vector<std::u32string>> SettingsFile::fields() const
{
    const std::optional<std::string> bytes = text::readFileBytes(path_);
    if (!bytes)
        return std::nullopt;
    return text::decodedFields(*bytes);
}

std::optional<std::u32string> SettingsFile::keySlice(const std::u32string& field, std::u32string_view key, std::size_t length)
{
    if (field.size() < key.size() || std::u32string_view(field).substr(0, key.size()) != key)
        return std::nullopt;
    return field.substr(key.size(), length);
}

std::optional<MenuSettings> SettingsFile::readMenuSettings() const
{
    const auto all = fields();
    if (!all)
        return std::nullopt;
    MenuSettings m;
    const auto& defaults = defaultColours();
    std::array<std::u32string, kColourCount> colourKeys;
    for (int i = 0; i < kColourCount; ++i)
        colourKeys[i] = colourKey(i);
    for (const std::u32string& f : *all) {
        if (auto v = keySlice(f, kMouse, 1))
            m.mflag = sliceNumber(*v).value_or(0);
        else if (auto v = keySlice(f, kAnimation1, 1))
            m.aflag1 = sliceNumber(*v).value_or(1);
        else if (auto v = keySlice(f, kAnimation2, 2))
            m.aflag2 = sliceNumber(*v).value_or(1);
        else {
            for (int i = 0; i < kColourCount; ++i) {
                if (auto v = keySlice(f, colourKeys[i], 11)) {
                    // A colour that is not a number keeps its default; the rest of the file still loads.
                    m.col[i] = colourValue(*v) ? *v : text::numberField(defaults[i]);
                    break;
                }
            }
        }
    }
    return m;
}

std::optional<ProfileSettings> SettingsFile::readProfile() const
{
    const auto all = fields();
    if (!all)
        return std::nullopt;
    ProfileSettings p;
    for (const std::u32string& f : *all) {
        if (auto v = keySlice(f, kName, 3))
            p.name = *v;
        else if (auto v = keySlice(f, kFamilyName, 3))
            p.familyName = *v;
        else if (auto v = keySlice(f, kYear, 4))
            p.year = *v;
        else if (auto v = keySlice(f, kMonth, 2))
            p.month = *v;
        else if (auto v = keySlice(f, kDay, 2))
            p.day = *v;
        else if (auto v = keySlice(f, kBlood, 2))
            p.blood = *v;
        else if (auto v = keySlice(f, kMouse, 1))
            p.mouse = sliceNumber(*v);
    }
    return p;
}

std::optional<std::int16_t> SettingsFile::firstUserAnimal() const
{
    const auto all = fields();
    if (!all)
        return std::nullopt;
    for (const std::u32string& f : *all)
        if (auto v = keySlice(f, kUserAnimal, 2))
            return sliceNumber(*v).value_or(0);
    return std::nullopt;
}

std::optional<std::u32string> SettingsFile::firstFamilyName() const
{
    const auto all = fields();
    if (!all)
        return std::nullopt;
    for (const std::u32string& f : *all)
        if (auto v = keySlice(f, kFamilyName, 3); v && !v->empty())
            return *v;
    return std::nullopt;
}

std::optional<std::vector<std::u32string>> SettingsFile::familyNames() const
{
    const auto all = fields();
    if (!all)
        return std::nullopt;
    std::vector<std::u32string> names;
    for (const std::u32string& f : *all)
        if (auto v = keySlice(f, kFamilyName, 3))
            names.push_back(*v);
    return names;
}

std::optional<std::uint32_t> colourValue(std::u32string_view text)
{
    const std::optional<long long> v = text::parseInteger(text);
    if (!v || *v < 0 || *v > 0xFFFFFF)
        return std::nullopt;
    return static_cast<std::uint32_t>(*v);
}

} // namespace kadelo
