#include "dictionary/entry_text.h"

#include "text/cp932.h"

namespace kadelo {

namespace {

bool isLineBreak(char32_t c)
{
    return c == U'\r' || c == U'\n' || c == U'\u2028' || c == U'\u2029';
}

std::u32string quoted(char32_t c)
{
    return U"「" + std::u32string(1, c) + U"」";
}

} // namespace

std::u32string unstorableNotice(std::u32string_view text)
{
    for (char32_t c : text) {
        if (isLineBreak(c))
            return U"改行は登録できません。";
        if (c == U'"' || c == U',' || text::encodeCp932Char(c).empty())
            return quoted(c) + U"は登録できない文字です。";
    }
    return {};
}

std::u32string unfieldableNotice(std::u32string_view text)
{
    for (char32_t c : text) {
        if (isLineBreak(c))
            return U"改行は登録できません。";
        if (c == U'"' || c == U',')
            return quoted(c) + U"は登録できない文字です。";
    }
    return {};
}

std::u32string kanaKanjiNotice(std::u32string_view kanji)
{
    const std::u32string refusal = unfieldableNotice(kanji);
    if (!refusal.empty())
        return refusal;
    for (char32_t c : kanji)
        if (text::encodeCp932Char(c).empty())
            return quoted(c) + U"はかな.datに登録できない文字です。";
    return {};
}

std::u32string katakanaToHiragana(std::u32string_view text)
{
    std::u32string out(text);
    for (char32_t& c : out)
        if (c >= U'ァ' && c <= U'ヶ')
            c -= U'ァ' - U'ぁ';
    return out;
}

bool isHiraganaReading(std::u32string_view text)
{
    if (text.empty())
        return false;
    for (char32_t c : text)
        if (!((c >= U'ぁ' && c <= U'ゖ') || c == U'ー'))
            return false;
    return true;
}

std::string applyEdits(std::string_view bytes, const std::vector<ByteEdit>& edits)
{
    std::string out;
    out.reserve(bytes.size() + 16 * edits.size());
    std::size_t pos = 0;
    for (const ByteEdit& edit : edits) {
        out.append(bytes.substr(pos, edit.offset - pos));
        out.append(edit.replacement);
        pos = edit.offset + edit.length;
    }
    out.append(bytes.substr(pos));
    return out;
}

ByteEdit replaceField(std::string_view bytes, std::string_view field, std::string replacement)
{
    return ByteEdit{static_cast<std::size_t>(field.data() - bytes.data()), field.size(), std::move(replacement)};
}

} // namespace kadelo
