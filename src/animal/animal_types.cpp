#include "animal/animal_types.h"

#include <array>
#include <optional>
#include <string>
#include <utility>

#include "text/file_io.h"
#include "text/numbers.h"
#include "text/records.h"
#include "text/unicode.h"

namespace kadelo {

namespace {

struct AnimalType {
    std::u32string_view animal;
    std::u32string_view phrase;
};

constexpr std::array<AnimalType, 60> typeTable{{
    {U"チーター", U"マラソン選手"},         // 1
    {U"タヌキ", U"社交家"},                 // 2
    {U"猿", U"落ち着きない"},               // 3
    {U"コアラ", U"ボクサー"},               // 4
    {U"黒ひょう", U"面倒見がいい"},         // 5
    {U"虎", U"愛情たっぷり"},               // 6
    {U"チーター", U"短距離選手"},           // 7
    {U"たぬき", U"ぴかぴか"},               // 8
    {U"猿", U"夢いっぱい"},                 // 9
    {U"コアラ", U"やさしさいっぱい"},       // 10
    {U"子鹿", U"正直者"},                   // 11
    {U"ゾウ", U"人気者"},                   // 12
    {U"狼", U"明るい"},                     // 13
    {U"ひつじ", U"わが道を行く"},           // 14
    {U"猿", U"どっしりとした"},             // 15
    {U"コアラ", U"そのまんま"},             // 16
    {U"子鹿", U"強い意思"},                 // 17
    {U"ゾウ", U"デリケート"},               // 18
    {U"猿", U"自由気まま"},                 // 19
    {U"ひつじ", U"おとなしい"},             // 20
    {U"ペガサス", U"何事にも動じない"},     // 21
    {U"ペガサス", U"不屈の精神力"},         // 22
    {U"ひつじ", U"子供心いっぱい"},         // 23
    {U"狼", U"クリエイティブ"},             // 24
    {U"狼", U"おとなしい"},                 // 25
    {U"ひつじ", U"粘り強い"},               // 26
    {U"ペガサス", U"波乱万丈"},             // 27
    {U"ペガサス", U"優雅"},                 // 28
    {U"ひつじ", U"チャレンジ精神の旺盛"},   // 29
    {U"狼", U"順応性がある"},               // 30
    {U"ゾウ", U"指導者"},                   // 31
    {U"子鹿", U"しっかり者の子"},           // 32
    {U"コアラ", U"行動的"},                 // 33
    {U"猿", U"気分屋"},                     // 34
    {U"ひつじ", U"頼りがいある"},           // 35
    {U"狼", U"友達がいっぱい"},             // 36
    {U"ゾウ", U"わが道を行く"},             // 37
    {U"子鹿", U"おしゃれ\uFF5E"},           // 38 (full-width tilde)
    {U"コアラ", U"ロマンチスト"},           // 39
    {U"猿", U"一途"},                       // 40
    {U"たぬき", U"大器晩成"},               // 41
    {U"チーター", U"下半身を鍛えよう"},     // 42
    {U"虎", U"じっとしてない。"},           // 43
    {U"黒ひょう", U"情熱的"},               // 44
    {U"コアラ", U"サービス上手"},           // 45
    {U"猿", U"守り上手"},                   // 46
    {U"たぬき", U"人間味たっぷり"},         // 47
    {U"チーター", U"品格がある"},           // 48
    {U"虎", U"楽観的"},                     // 49
    {U"黒ひょう", U"落ち込みやすい"},       // 50
    {U"ライオン", U"わが道を行く"},         // 51
    {U"ライオン", U"統率力がある"},         // 52
    {U"黒ひょう", U"感情豊"},               // 53
    {U"虎", U"楽天的"},                     // 54
    {U"虎", U"強い人"},                     // 55
    {U"黒ひょう", U"気さく"},               // 56
    {U"ライオン", U"感情的"},               // 57
    {U"ライオン", U"傷つきやすい"},         // 58
    {U"黒ひょう", U"自由奔放"},             // 59
    {U"虎", U"神様みたい"},                 // 60
}};

// The two-character year key ("63" for 1963, "00" for 2000), or nothing when the text does not
// begin with a year from kFirstTableYear to kLastTableYear.
std::optional<std::u32string> yearKey(std::u32string_view yearText)
{
    const std::optional<int> year = leadingYear(yearText);
    if (!year || *year < kFirstTableYear || *year > kLastTableYear)
        return std::nullopt;
    const int twoDigits = *year % 100;
    return std::u32string{static_cast<char32_t>(U'0' + twoDigits / 10), static_cast<char32_t>(U'0' + twoDigits % 10)};
}

// The base number of a field: the integer value of its first two characters, 0..99; nothing when
// they are not a number.
std::optional<int> baseNumber(std::string_view field)
{
    const std::u32string head(text::firstChars(text::fieldText(field), 2));
    const std::optional<long long> value = text::parseInteger(head);
    if (!value || *value < 0 || *value > 99)
        return std::nullopt;
    return static_cast<int>(*value);
}

} // namespace

std::optional<int> leadingYear(std::u32string_view yearText)
{
    if (yearText.size() < 4)
        return std::nullopt;
    const std::optional<long long> year = text::parseInteger(yearText.substr(0, 4));
    if (!year)
        return std::nullopt;
    return static_cast<int>(*year); // four characters: never more than 9999
}

int daysInMonth(int year, int month)
{
    static constexpr int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

DateConversionTable::DateConversionTable(std::filesystem::path path) : path_(std::move(path)) {}

bool DateConversionTable::available() const
{
    return text::readFileBytes(path_).has_value();
}

std::vector<std::int16_t> DateConversionTable::animalTypes(std::u32string_view yearText, int month, int day) const
{
    std::vector<std::int16_t> types;
    const std::optional<std::u32string> key = yearKey(yearText);
    if (!key || month < 1 || month > 12 || day < 1 || day > 31)
        return types;
    const std::optional<std::string> bytes = text::readFileBytes(path_);
    if (!bytes)
        return types;
    text::forEachLine(*bytes, [&](const text::FieldList& fields) {
        if (fields.size() <= static_cast<std::size_t>(month))
            return;
        if (text::firstChars(text::fieldText(fields[0]), 2) != *key)
            return;
        const std::optional<int> base = baseNumber(fields[static_cast<std::size_t>(month)]);
        if (!base)
            return;
        int type = day + *base;
        // Bases run from 0 to 99; a sum above 60 starts again at 1.
        while (type > 60)
            type -= 60;
        types.push_back(static_cast<std::int16_t>(type));
    });
    return types;
}

std::u32string_view animalOfType(int type)
{
    if (type < 1 || type > 60)
        return {};
    return typeTable[static_cast<std::size_t>(type - 1)].animal;
}

std::u32string_view typePhraseOfType(int type)
{
    if (type < 1 || type > 60)
        return {};
    return typeTable[static_cast<std::size_t>(type - 1)].phrase;
}

} // namespace kadelo
