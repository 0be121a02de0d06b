#pragma once
// Hand-kept stroke counts of kanji whose first KANJIDIC2 count is not that of the form printed today.
//
// The rule of 漢字.dat: a character is counted in the form printed in the official tables: the main
// form of the 常用漢字表, and the form of the 人名用漢字 table as JIS X 0213:2004 fonts draw it (so 辻
// has the two-dot 辶 and counts 6, 餌 has the 𩙿 radical and counts 15). Other characters are counted
// as those fonts print them. KANJIDIC2 lists several counts for many characters and gives first the one
// it prefers, which is sometimes an older glyph or a count by radical; these entries replace it.
//
// Each count was checked against KanjiVG's stroke data (© Ulrich Apel and contributors, CC BY-SA 3.0),
// Unihan (Unicode 15.0) and the sum of the character's components. `kanjidic` is KANJIDIC2's first
// count, so the generator notices when a new edition of the source changes it.

#include <string_view>

namespace kadelo::tools {

struct PrintedStroke {
    char32_t character;
    int kanjidic; // KANJIDIC2's first count, which this entry replaces
    int strokes;  // the count of the printed form
    std::string_view reason;
};

inline constexpr PrintedStroke kPrintedStrokes[] = {
    {U'葛', 11, 12, "常用: official table form"},
    {U'僅', 12, 13, "常用: official table form"},
    {U'牙', 5, 4, "常用: official table form; 牙 in 4 strokes"},
    {U'賭', 15, 16, "常用: official table form; 者 with its dot"},
    {U'遡', 13, 14, "常用: official table form; 辶 with two dots"},
    {U'遜', 13, 14, "常用: official table form; 辶 with two dots"},
    {U'謎', 16, 17, "常用: official table form; 辶 with two dots"},
    {U'餌', 14, 15, "常用: official table form; 食 radical drawn 𩙿"},
    {U'餅', 14, 15, "常用: official table form; 食 radical drawn 𩙿"},
    {U'厩', 12, 14, "人名用: official table form"},
    {U'襖', 17, 18, "人名用: official table form"},
    {U'晦', 10, 11, "人名用: official table form"},
    {U'笈', 9, 10, "人名用: official table form"},
    {U'櫛', 17, 19, "人名用: official table form"},
    {U'噌', 14, 15, "人名用: official table form"},
    {U'歎', 14, 15, "人名用: official table form"},
    {U'灘', 21, 22, "人名用: official table form"},
    {U'瀕', 20, 19, "人名用: official table form"},
    {U'煉', 12, 13, "人名用: official table form"},
    {U'倦', 11, 10, "人名用: official table form; 卷 form"},
    {U'捲', 12, 11, "人名用: official table form; 卷 form"},
    {U'穿', 10, 9, "人名用: official table form; 牙 in 4 strokes"},
    {U'祇', 8, 9, "人名用: official table form; 示 radical, not 礻"},
    {U'祁', 7, 8, "人名用: official table form; 示 radical, not 礻"},
    {U'榊', 13, 14, "人名用: official table form; 示 radical, not 礻"},
    {U'禰', 18, 19, "人名用: official table form; 示 radical, not 礻"},
    {U'堵', 11, 12, "人名用: official table form; 者 with its dot"},
    {U'儲', 17, 18, "人名用: official table form; 者 with its dot"},
    {U'逢', 10, 11, "人名用: official table form; 辶 with two dots"},
    {U'迂', 6, 7, "人名用: official table form; 辶 with two dots"},
    {U'迦', 8, 9, "人名用: official table form; 辶 with two dots"},
    {U'逗', 10, 11, "人名用: official table form; 辶 with two dots"},
    {U'辿', 6, 7, "人名用: official table form; 辶 with two dots"},
    {U'槌', 13, 14, "人名用: official table form; 辶 with two dots"},
    {U'辻', 5, 6, "人名用: official table form; 辶 with two dots"},
    {U'遁', 12, 13, "人名用: official table form; 辶 with two dots"},
    {U'這', 10, 11, "人名用: official table form; 辶 with two dots"},
    {U'樋', 14, 15, "人名用: official table form; 辶 with two dots"},
    {U'蓬', 13, 14, "人名用: official table form; 辶 with two dots"},
    {U'迄', 6, 7, "人名用: official table form; 辶 with two dots"},
    {U'漣', 13, 14, "人名用: official table form; 辶 with two dots"},
    {U'飴', 13, 14, "printed form; 食 radical drawn 𩙿"},
    {U'欝', 26, 25, "printed form; KanjiVG and Unihan agree"},
    {U'薯', 16, 17, "printed form; 者 with its dot"},
    {U'藷', 18, 19, "printed form; 者 with its dot"},
    {U'蝕', 14, 15, "printed form; 食 radical drawn 𩙿"},
    {U'腿', 13, 14, "printed form; 辶 with two dots"},
    {U'瀦', 18, 19, "printed form; 者 with its dot"},
    {U'鎚', 17, 18, "printed form; 辶 with two dots"},
    {U'屠', 11, 12, "printed form; 者 with its dot"},
    {U'稗', 14, 13, "printed form; KanjiVG and Unihan agree"},
    {U'逼', 12, 13, "printed form; 辶 with two dots"},
    {U'鑓', 21, 22, "printed form; 辶 with two dots"},
    {U'僊', 13, 14, "printed form; KanjiVG and Unihan agree"},
    {U'呀', 8, 7, "printed form; KanjiVG and Unihan agree"},
    {U'嚔', 17, 18, "printed form; KanjiVG and Unihan agree"},
    {U'圍', 13, 12, "printed form; KanjiVG and Unihan agree"},
    {U'嫂', 13, 12, "printed form; KanjiVG and Unihan agree"},
    {U'幃', 13, 12, "printed form; KanjiVG and Unihan agree"},
    {U'惓', 12, 11, "printed form; 卷 form; KanjiVG and Unihan agree"},
    {U'旡', 5, 4, "printed form; KanjiVG and Unihan agree"},
    {U'沛', 8, 7, "printed form; KanjiVG and Unihan agree"},
    {U'潛', 17, 15, "printed form; KanjiVG and Unihan agree"},
    {U'煕', 13, 14, "printed form; KanjiVG and Unihan agree"},
    {U'祓', 9, 10, "printed form; 示 radical, not 礻"},
    {U'筬', 13, 12, "printed form; KanjiVG and Unihan agree"},
    {U'絳', 13, 12, "printed form; KanjiVG and Unihan agree"},
    {U'縋', 15, 16, "printed form; 辶 with two dots"},
    {U'繦', 17, 18, "printed form; KanjiVG and Unihan agree"},
    {U'蕚', 16, 15, "printed form; KanjiVG and Unihan agree"},
    {U'蕣', 16, 15, "printed form; KanjiVG and Unihan agree"},
    {U'訝', 12, 11, "printed form; KanjiVG and Unihan agree"},
    {U'諛', 16, 15, "printed form; KanjiVG and Unihan agree"},
    {U'譖', 21, 19, "printed form; KanjiVG and Unihan agree"},
    {U'谺', 12, 11, "printed form; KanjiVG and Unihan agree"},
    {U'赱', 7, 6, "printed form; KanjiVG and Unihan agree"},
    {U'遏', 12, 13, "printed form; 辶 with two dots"},
    {U'邉', 18, 17, "printed form; KanjiVG and Unihan agree"},
    {U'鑁', 22, 21, "printed form; KanjiVG and Unihan agree"},
    {U'隧', 15, 16, "printed form; 辶 with two dots"},
    {U'霈', 16, 15, "printed form; KanjiVG and Unihan agree"},
    {U'頤', 15, 16, "printed form; KanjiVG and Unihan agree"},
    {U'鴉', 16, 15, "printed form; KanjiVG and Unihan agree"},
    {U'麭', 12, 16, "printed form; KanjiVG and Unihan agree"},
    {U'郞', 14, 10, "人名用: 良 7 + 阝 3"},
    {U'\uF9DC', 17, 12, "old form of 隆 (a compatibility code point): 阝3 夂3 一1 生5"},
    {U'鄕', 17, 13, "printed form: 鄉 with 皀"},
    {U'\uFA16', 13, 12, "人名用 old form of 猪 (a compatibility code point): 犭3 + 者 with the dot 9"},
    {U'\uFA26', 11, 12, "人名用 old form of 都 (a compatibility code point): 者 with the dot 9 + 阝3"},
    {U'德', 16, 15, "人名用: 徳 14 + 一 1"},
    {U'瀨', 20, 19, "人名用: 氵3 + 賴 16"},
    {U'薰', 20, 17, "人名用: 艹3 + 熏 14"},
    // Old forms of the 人名用 table that Shift-JIS cannot hold (they go into the UTF-8 stroke file).
    // KANJIDIC2 first counts some by their radical in its full form (氵 as 水); these are the sums of
    // their printed components.
    {U'徵', 16, 15, "人名用 old form: 彳 3 + 山 3 + 一 1 + 王 4 + 攵 4"},
    {U'揭', 13, 12, "人名用 old form: 扌 3 + 曷 9"},
    {U'涉', 11, 10, "人名用 old form: 氵 3 + 步 7"},
    {U'淚', 12, 11, "人名用 old form: 氵 3 + 戾 8"},
    {U'渴', 13, 12, "人名用 old form: 氵 3 + 曷 9"},
    {U'溫', 14, 13, "人名用 old form: 氵 3 + 昷 10"},
    {U'狀', 9, 8, "人名用 old form: 爿 4 + 犬 4"},
    {U'\uF928', 12, 13, "人名用 old form of 廊 (a compatibility code point): 广 3 + 郞 10"},
    {U'\uFA41', 10, 11, "人名用 old form of 敏 (a compatibility code point): 每 7 + 攵 4, as 海 and 悔 count 每"},
    {U'\uFA44', 15, 11, "人名用 old form of 梅 (a compatibility code point): 木 4 + 每 7"},
};

} // namespace kadelo::tools
