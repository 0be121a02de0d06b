#pragma once
// Hand-kept stroke counts of what 漢字.dat holds beside the kanji of KANJIDIC2: the kana, the
// marks, and one kanji of Shift-JIS that KANJIDIC2 does not list but surnames use often.
//
// The counts are those of ordinary handwriting in modern forms, as taught in school. A voiced mark
// (゛) adds 2 strokes and a semi-voiced mark (゜) adds 1; a small form counts as its large form.
// ゐ, ゑ, ヰ and ヱ, out of everyday use, are counted as they are usually written today (ゑ in one
// stroke, like ゐ).
//
// kSurnameCharacters: characters Shift-JIS cannot hold that common surnames use. They go into the
// UTF-8 stroke file beside the 常用 and 人名用 kanji outside Shift-JIS. A count of 0 takes KANJIDIC2's.

#include <string_view>

namespace kadelo::tools {

struct HandStroke {
    char32_t character;
    int strokes;
};

inline constexpr int kVoiced = 2;     // ゛
inline constexpr int kSemiVoiced = 1; // ゜

inline constexpr HandStroke kHandStrokes[] = {
    // Hiragana
    {U'あ', 3}, {U'い', 2}, {U'う', 2}, {U'え', 2}, {U'お', 3},
    {U'ぁ', 3}, {U'ぃ', 2}, {U'ぅ', 2}, {U'ぇ', 2}, {U'ぉ', 3},
    {U'か', 3}, {U'き', 4}, {U'く', 1}, {U'け', 3}, {U'こ', 2},
    {U'が', 3 + kVoiced}, {U'ぎ', 4 + kVoiced}, {U'ぐ', 1 + kVoiced}, {U'げ', 3 + kVoiced}, {U'ご', 2 + kVoiced},
    {U'さ', 3}, {U'し', 1}, {U'す', 2}, {U'せ', 3}, {U'そ', 1},
    {U'ざ', 3 + kVoiced}, {U'じ', 1 + kVoiced}, {U'ず', 2 + kVoiced}, {U'ぜ', 3 + kVoiced}, {U'ぞ', 1 + kVoiced},
    {U'た', 4}, {U'ち', 2}, {U'つ', 1}, {U'て', 1}, {U'と', 2},
    {U'っ', 1},
    {U'だ', 4 + kVoiced}, {U'ぢ', 2 + kVoiced}, {U'づ', 1 + kVoiced}, {U'で', 1 + kVoiced}, {U'ど', 2 + kVoiced},
    {U'な', 4}, {U'に', 3}, {U'ぬ', 2}, {U'ね', 2}, {U'の', 1},
    {U'は', 3}, {U'ひ', 1}, {U'ふ', 4}, {U'へ', 1}, {U'ほ', 4},
    {U'ば', 3 + kVoiced}, {U'び', 1 + kVoiced}, {U'ぶ', 4 + kVoiced}, {U'べ', 1 + kVoiced}, {U'ぼ', 4 + kVoiced},
    {U'ぱ', 3 + kSemiVoiced}, {U'ぴ', 1 + kSemiVoiced}, {U'ぷ', 4 + kSemiVoiced}, {U'ぺ', 1 + kSemiVoiced}, {U'ぽ', 4 + kSemiVoiced},
    {U'ま', 3}, {U'み', 2}, {U'む', 3}, {U'め', 2}, {U'も', 3},
    {U'や', 3}, {U'ゆ', 2}, {U'よ', 2},
    {U'ゃ', 3}, {U'ゅ', 2}, {U'ょ', 2},
    {U'ら', 2}, {U'り', 2}, {U'る', 1}, {U'れ', 2}, {U'ろ', 1},
    {U'わ', 2}, {U'ゎ', 2}, {U'ゐ', 1}, {U'ゑ', 1}, {U'を', 3},
    {U'ん', 1},
    {U'ゝ', 1}, {U'ゞ', 1 + kVoiced},

    // Katakana
    {U'ア', 2}, {U'イ', 2}, {U'ウ', 3}, {U'エ', 3}, {U'オ', 3},
    {U'ァ', 2}, {U'ィ', 2}, {U'ゥ', 3}, {U'ェ', 3}, {U'ォ', 3},
    {U'ヴ', 3 + kVoiced},
    {U'カ', 2}, {U'キ', 3}, {U'ク', 2}, {U'ケ', 3}, {U'コ', 2},
    {U'ヵ', 2}, {U'ヶ', 3},
    {U'ガ', 2 + kVoiced}, {U'ギ', 3 + kVoiced}, {U'グ', 2 + kVoiced}, {U'ゲ', 3 + kVoiced}, {U'ゴ', 2 + kVoiced},
    {U'サ', 3}, {U'シ', 3}, {U'ス', 2}, {U'セ', 2}, {U'ソ', 2},
    {U'ザ', 3 + kVoiced}, {U'ジ', 3 + kVoiced}, {U'ズ', 2 + kVoiced}, {U'ゼ', 2 + kVoiced}, {U'ゾ', 2 + kVoiced},
    {U'タ', 3}, {U'チ', 3}, {U'ツ', 3}, {U'テ', 3}, {U'ト', 2},
    {U'ッ', 3},
    {U'ダ', 3 + kVoiced}, {U'ヂ', 3 + kVoiced}, {U'ヅ', 3 + kVoiced}, {U'デ', 3 + kVoiced}, {U'ド', 2 + kVoiced},
    {U'ナ', 2}, {U'ニ', 2}, {U'ヌ', 2}, {U'ネ', 4}, {U'ノ', 1},
    {U'ハ', 2}, {U'ヒ', 2}, {U'フ', 1}, {U'ヘ', 1}, {U'ホ', 4},
    {U'バ', 2 + kVoiced}, {U'ビ', 2 + kVoiced}, {U'ブ', 1 + kVoiced}, {U'ベ', 1 + kVoiced}, {U'ボ', 4 + kVoiced},
    {U'パ', 2 + kSemiVoiced}, {U'ピ', 2 + kSemiVoiced}, {U'プ', 1 + kSemiVoiced}, {U'ペ', 1 + kSemiVoiced}, {U'ポ', 4 + kSemiVoiced},
    {U'マ', 2}, {U'ミ', 3}, {U'ム', 2}, {U'メ', 2}, {U'モ', 3},
    {U'ヤ', 2}, {U'ユ', 2}, {U'ヨ', 3},
    {U'ャ', 2}, {U'ュ', 2}, {U'ョ', 3},
    {U'ラ', 2}, {U'リ', 2}, {U'ル', 2}, {U'レ', 1}, {U'ロ', 3},
    {U'ワ', 2}, {U'ヮ', 2}, {U'ヰ', 4}, {U'ヱ', 3}, {U'ヲ', 3},
    {U'ン', 2},
    {U'ヽ', 1}, {U'ヾ', 1 + kVoiced},

    // Marks
    {U'ー', 1}, // the long-vowel mark
    {U'々', 3}, // the kanji repeat mark
    {U'〆', 2},

    // Kanji
    {U'髙', 11}, // the ladder form of 高, as in 髙橋 (a vendor character of Shift-JIS)
};

struct SurnameCharacter {
    char32_t character;
    int strokes; // 0: KANJIDIC2's count
    std::string_view reason;
};

inline constexpr SurnameCharacter kSurnameCharacters[] = {
    {U'\U00020BB7', 6, "𠮷, 吉 with the longer lower stroke, as in 𠮷田 and 𠮷野: 土 3 + 口 3 (not in KANJIDIC2)"},
    {U'\U0002123D', 0, "𡈽, 土 with a dot, as in 𡈽屋 and 𡈽井: 土 3 + 丶 1"},
};

} // namespace kadelo::tools
