#include "dictionary/counting.h"

#include "text/cp932.h"
#include "text/records.h"
#include "text/unicode.h"

namespace kadelo {
namespace {

std::filesystem::path inFolder(const std::filesystem::path& folder, const std::filesystem::path& name)
{
    return folder.empty() ? name : folder / name;
}

// The single character of a UTF-8 field; 0 unless the field holds exactly one.
char32_t utf8Character(std::string_view field)
{
    const std::u32string text = text::fromUtf8(field);
    return text.size() == 1 ? text[0] : 0;
}

std::u32string number(long long n)
{
    return text::numberField(n);
}

} // namespace

CountingChoice readCountingChoice(const std::filesystem::path& path)
{
    CountingChoice choice;
    const std::optional<std::string> bytes = text::readFileBytes(path);
    if (!bytes)
        return choice;
    text::forEachLine(*bytes, [&](const text::FieldList& fields) {
        if (fields.empty())
            return;
        const std::string_view line = fields[0];
        if (line == "Way=1")
            choice.way = CountingWay::Traditional;
        else if (line.starts_with("Way="))
            choice.way = CountingWay::Modern;
        else if (line == "Numerals=1")
            choice.numeralsByValue = true;
        else if (line.starts_with("Numerals="))
            choice.numeralsByValue = false;
    });
    return choice;
}

std::string countingFileBytes(const CountingChoice& choice)
{
    return std::string("Way=") + (choice.traditional() ? "1" : "0") + "\r\nNumerals=" + (choice.numeralsByValue ? "1" : "0")
        + "\r\n";
}

text::WriteResult writeCountingChoice(const CountingChoice& choice, const std::filesystem::path& path)
{
    return text::writeFileAtomic(path, countingFileBytes(choice));
}

std::optional<std::int16_t> numeralValue(char32_t c)
{
    static constexpr std::u32string_view kNumerals = U"一二三四五六七八九十";
    const std::size_t at = kNumerals.find(c);
    if (at == std::u32string_view::npos)
        return std::nullopt;
    return static_cast<std::int16_t>(at + 1);
}

CountingFiles countingFiles(CountingWay way, const std::filesystem::path& folder)
{
    if (way == CountingWay::Traditional)
        return {inFolder(folder, text::traditionalStrokeFileName()), inFolder(folder, text::traditionalWideFileName())};
    return {inFolder(folder, text::strokeFileName()), inFolder(folder, text::wideStrokeFileName())};
}

StrokeLookup strokeLookupFor(const CountingChoice& choice, const std::filesystem::path& folder)
{
    const CountingFiles files = countingFiles(choice.way, folder);
    return StrokeLookup(files.strokes, files.wide);
}

void countEach(const CountingChoice& choice, std::span<const char32_t> wanted,
    std::span<std::optional<std::int16_t>> counts, const std::filesystem::path& folder)
{
    strokeLookupFor(choice, folder).lookUpEach(wanted, counts);
    if (choice.traditional() && choice.numeralsByValue)
        for (std::size_t i = 0; i < wanted.size(); ++i)
            if (const std::optional<std::int16_t> v = wanted[i] ? numeralValue(wanted[i]) : std::nullopt)
                counts[i] = v;
}

std::vector<std::optional<Derivation>> findDerivations(std::span<const char32_t> wanted, const std::filesystem::path& path)
{
    std::vector<std::optional<Derivation>> found(wanted.size());
    const std::optional<std::string> bytes = text::readFileBytes(path);
    if (!bytes)
        return found;
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        if (wanted[i] == 0)
            continue;
        Utf8StrokeDictionary::forEachLineOf(*bytes, wanted[i], [&](const text::FieldList& fields) {
            if (fields.size() < 5)
                return false;
            const std::optional<std::int16_t> radicalStrokes = text::fieldInt16(fields[3]);
            const std::optional<std::int16_t> residual = text::fieldInt16(fields[4]);
            const char32_t radical = utf8Character(fields[2]);
            if (!radicalStrokes || !residual || !radical)
                return false;
            found[i] = Derivation{wanted[i], utf8Character(fields[1]), radical, *radicalStrokes, *residual};
            return true;
        });
    }
    return found;
}

std::u32string radicalText(char32_t radical)
{
    struct Shape {
        char32_t whole;
        char32_t shape;
    };
    // The shapes these radicals take at the side or top of most characters.
    static constexpr Shape kShapes[] = {
        {U'水', U'氵'}, {U'手', U'扌'}, {U'心', U'忄'}, {U'犬', U'犭'}, {U'示', U'礻'}, {U'衣', U'衤'},
        {U'艸', U'艹'}, {U'辵', U'⻌'}, {U'阜', U'阝'}, {U'邑', U'阝'}, {U'玉', U'王'}, {U'肉', U'月'},
        {U'网', U'罒'}, {U'老', U'耂'},
    };
    for (const Shape& s : kShapes)
        if (s.whole == radical)
            return std::u32string(1, s.shape) + U"（" + std::u32string(1, radical) + U"）";
    return std::u32string(1, radical);
}

std::u32string derivationText(const CountingChoice& choice, char32_t character, std::optional<std::int16_t> count,
    const std::optional<Derivation>& derivation)
{
    if (!count)
        return {};
    const std::u32string c(1, character);
    if (choice.traditional()) {
        if (choice.numeralsByValue && numeralValue(character) == count)
            return c + U"：数の値で " + number(*count);
        if (derivation && derivation->character == character && derivation->radicalStrokes + derivation->residual == *count) {
            std::u32string text = c;
            if (derivation->oldForm)
                text += U" → " + std::u32string(1, derivation->oldForm);
            const std::u32string radical = radicalText(derivation->radical);
            text += U"：" + radical + (radical.back() == U'）' ? U"" : U" ") + number(derivation->radicalStrokes);
            text += derivation->residual < 0 ? U" － " + number(-derivation->residual) : U" ＋ " + number(derivation->residual);
            return text + U" ＝ " + number(*count);
        }
    }
    return c + U" " + number(*count) + U"画";
}

std::u32string countingWayCaption(const CountingChoice& choice)
{
    return choice.traditional() ? U"旧字体で数えています" : U"新字体で数えています";
}

} // namespace kadelo
