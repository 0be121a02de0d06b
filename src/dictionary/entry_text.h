#pragma once
// Whether a typed text can stand in a field of the dictionary files, the rules for what the
// dictionary screen accepts as a stroke count and as a reading, and the byte-exact edits of a
// dictionary file's contents that a correction or a removal makes.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kadelo {

// The notice that refuses a text that would break a dictionary line or that Shift-JIS cannot hold
// (a double quote, a comma, a line break, a character such as 𠮷 or an emoji); empty when the text
// can be stored. The notice names the first offending character.
std::u32string unstorableNotice(std::u32string_view text);

// The same for the stroke files, which hold any character (漢字UTF8.dat takes those Shift-JIS cannot
// hold): only a double quote, a comma or a line break is refused.
std::u32string unfieldableNotice(std::u32string_view text);

// The notice that refuses a kanji for かな.dat: one that would break a line, or one that Shift-JIS
// cannot hold ("「𠮷」はかな.datに登録できない文字です。"); empty when it can be stored.
std::u32string kanaKanjiNotice(std::u32string_view kanji);

// A stroke count a character can have: 1 to 99. Anything else would poison every judgement.
constexpr bool isStrokeCount(long long count)
{
    return count >= 1 && count <= 99;
}

// Full-width katakana ァ … ヶ turned into the hiragana they stand for (カケル into かける, ヴ into ゔ);
// every other character stays as it is.
std::u32string katakanaToHiragana(std::u32string_view text);

// True when the text is a reading as the naming assistant looks it up: not empty, and made only of
// hiragana ぁ … ゖ and the long-vowel mark ー.
bool isHiraganaReading(std::u32string_view text);

// One edit of a file's bytes: `length` bytes from `offset` give way to `replacement`.
struct ByteEdit {
    std::size_t offset = 0;
    std::size_t length = 0;
    std::string replacement;
};

// The bytes with the edits made; the edits are in file order and do not overlap. Every byte outside
// them stays as it was.
std::string applyEdits(std::string_view bytes, const std::vector<ByteEdit>& edits);

// The edit that puts `replacement` in place of `field`, a view into `bytes`.
ByteEdit replaceField(std::string_view bytes, std::string_view field, std::string replacement);

} // namespace kadelo
