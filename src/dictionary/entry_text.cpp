#include "dictionary/entry_text.h"

#include "text/cp932.h"

namespace kadelo {

std::u32string unstorableNotice(std::u32string_view text)
{
    for (char32_t c : text) {
        if (c == U'\r' || c == U'\n' || c == U'\u2028' || c == U'\u2029')
            return U"改行は登録できません。";
        if (c == U'"' || c == U',' || text::encodeCp932Char(c).empty())
            return U"「" + std::u32string(1, c) + U"」は登録できない文字です。";
    }
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

} // namespace kadelo
