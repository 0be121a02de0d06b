#pragma once
// Hand-kept old forms (旧字体) for the traditional counts, each row with its source.
//
// The old form of a character is taken first from this table, then from Unihan's kJinmeiyoKanji
// links and KANJIDIC2's variants. Those two list every variant, not only old forms, so this table
// also names the characters whose listed variant is not their old form: there `oldForm` is 0 and
// the character is counted as it stands, as the Kangxi dictionary (康熙字典) has it as a head
// character of its own.

namespace kadelo::tools {

struct TraditionalHand {
    char32_t character;
    char32_t oldForm; // 0: the character is counted as it stands
    const char* source;
};

// The bracketed Kangxi forms of the list of characters for general use (常用漢字表, Cabinet notice
// no. 2 of 2010).
inline constexpr const char* kJoyoList = "常用漢字表（平成22年内閣告示第2号）の括弧内の康熙字典体";
// KANJIDIC2 or Unihan lists a variant, but it is a popular or old variant (俗字・古字・異体字), not
// the old form; the Kangxi dictionary has the character itself as a head character.
inline constexpr const char* kOwnHead = "康熙字典の見出し字。挙がる異体字は俗字・古字で旧字体ではない";
// A 常用 character for which the 常用漢字表 gives no Kangxi form: it has no old form, though the
// sources link it to the Kangxi dictionary's head form.
inline constexpr const char* kNoJoyoForm = "常用漢字表に括弧内の康熙字典体がない（旧字体なし）";
// Several old forms are listed; the one the 常用漢字表 gives first.
inline constexpr const char* kJoyoFirst = "常用漢字表の括弧内の康熙字典体（複数のうち最初のもの）";

inline constexpr TraditionalHand kTraditionalHand[] = {
    // Old forms that neither KANJIDIC2 nor Unihan links to the new form.
    {U'衛', U'衞', kJoyoList}, {U'縁', U'緣', kJoyoList}, {U'概', U'槪', kJoyoList},
    {U'巻', U'卷', kJoyoList}, {U'郷', U'鄕', kJoyoList}, {U'研', U'硏', kJoyoList},
    {U'圏', U'圈', kJoyoList}, {U'恒', U'恆', kJoyoList}, {U'渉', U'涉', kJoyoList},
    {U'慎', U'愼', kJoyoList}, {U'巣', U'巢', kJoyoList}, {U'鎮', U'鎭', kJoyoList},
    {U'届', U'屆', kJoyoList}, {U'晩', U'晚', kJoyoList}, {U'秘', U'祕', kJoyoList},
    {U'瓶', U'甁', kJoyoList}, {U'併', U'倂', kJoyoList}, {U'歩', U'步', kJoyoList},
    {U'麺', U'麵', kJoyoList}, {U'頼', U'賴', kJoyoList}, {U'緑', U'綠', kJoyoList},
    {U'戻', U'戾', kJoyoList}, {U'録', U'錄', kJoyoList}, {U'既', U'旣', kJoyoList},
    {U'駆', U'驅', kJoyoList}, // Unihan links 駈, a variant, to 駆

    // Characters with several listed variants: the old form.
    {U'挙', U'擧', kJoyoList}, {U'径', U'徑', kJoyoList}, {U'渓', U'溪', kJoyoList},
    {U'鉱', U'鑛', kJoyoList}, {U'写', U'寫', kJoyoList}, {U'潜', U'潛', kJoyoList},
    {U'体', U'體', kJoyoList}, {U'鉄', U'鐵', kJoyoList}, {U'弐', U'貳', kJoyoList},
    {U'辺', U'邊', kJoyoList}, {U'宝', U'寶', kJoyoList}, {U'弁', U'辨', kJoyoFirst},

    // Listed variants that are not old forms.
    {U'島', 0, kOwnHead}, {U'園', 0, kOwnHead}, {U'杯', 0, kOwnHead}, {U'崎', 0, kOwnHead},
    {U'埼', 0, kOwnHead}, {U'秋', 0, kOwnHead}, {U'一', 0, kOwnHead}, {U'二', 0, kOwnHead},
    {U'育', 0, kOwnHead}, {U'怪', 0, kOwnHead}, {U'京', 0, kOwnHead}, {U'奇', 0, kOwnHead},
    {U'鼓', 0, kOwnHead}, {U'財', 0, kOwnHead}, {U'場', 0, kOwnHead}, {U'飾', 0, kOwnHead},
    {U'酢', 0, kOwnHead}, {U'垂', 0, kOwnHead}, {U'善', 0, kOwnHead}, {U'疎', 0, kOwnHead},
    {U'腸', 0, kOwnHead}, {U'刀', 0, kOwnHead}, {U'函', 0, kOwnHead}, {U'罰', 0, kOwnHead},
    {U'彬', 0, kOwnHead}, {U'婿', 0, kOwnHead}, {U'溜', 0, kOwnHead}, {U'瑠', 0, kOwnHead},
    {U'曳', 0, kOwnHead}, {U'粥', 0, kOwnHead}, {U'稚', 0, kOwnHead}, {U'纏', 0, kOwnHead},
    {U'芦', 0, kOwnHead}, {U'妊', 0, kOwnHead}, {U'兎', 0, kOwnHead}, {U'雁', 0, kOwnHead},
    {U'厩', 0, kOwnHead}, {U'蓑', 0, kOwnHead}, {U'蒙', 0, kOwnHead}, {U'梅', 0, kOwnHead},
    {U'猪', 0, kOwnHead}, {U'苺', 0, kOwnHead}, {U'嘩', 0, kOwnHead}, {U'竪', 0, kOwnHead},
    {U'氷', 0, kNoJoyoForm}, {U'窓', 0, kNoJoyoForm}, {U'唇', 0, kNoJoyoForm}, {U'踊', 0, kNoJoyoForm},
    {U'痴', 0, kNoJoyoForm}, {U'凄', 0, kNoJoyoForm}, {U'楕', 0, kNoJoyoForm}, {U'却', 0, kNoJoyoForm},
};

} // namespace kadelo::tools
