#include "naming/naming_counts.h"

#include <array>
#include <optional>
#include <vector>

namespace kadelo::naming {
namespace {

constexpr char32_t kRepeatMark = U'々';

} // namespace

void resolveSurname(std::u32string_view surname, const CountingChoice& choice, SurnameCounts& sei,
    const std::filesystem::path& folder)
{
    resolveSurname(surname, strokeDictionaryFor(choice, folder), sei);
    if (!choice.traditional())
        return;
    // The UTF-8 companion and the numerals: a character Shift-JIS cannot hold is never in the
    // Shift-JIS file, so only such positions are asked for.
    std::array<char32_t, 3> wanted{};
    for (std::size_t p = 0; p < 3 && p < surname.size(); ++p)
        wanted[p] = surname[p];
    if (surname.size() >= 2 && surname[1] == kRepeatMark)
        wanted[1] = 0;
    std::array<std::optional<std::int16_t>, 3> found;
    const CountingFiles files = countingFiles(choice.way, folder);
    std::array<char32_t, 3> wide{};
    for (std::size_t p = 0; p < 3; ++p)
        if (wanted[p] && text::encodeCp932Char(wanted[p]).empty())
            wide[p] = wanted[p];
    lookUpEachUtf8(files.wide, wide, found);
    for (std::size_t p = 0; p < 3; ++p) {
        if (choice.numeralsByValue && wanted[p])
            if (const std::optional<std::int16_t> v = numeralValue(wanted[p]))
                found[p] = v;
        if (found[p])
            sei[p] = *found[p];
    }
    if (surname.size() >= 2 && surname[1] == kRepeatMark)
        sei[1] = sei[0];
}

void countSlots(KanaSlots& slots, const CountingChoice& choice, const std::filesystem::path& folder)
{
    if (!choice.traditional() || slots.hits <= 0)
        return;
    const std::size_t n = static_cast<std::size_t>(slots.hits);
    std::vector<char32_t> wanted(n, 0);
    for (std::size_t i = 0; i < n; ++i)
        if (slots.kanji[i].size() == 1)
            wanted[i] = slots.kanji[i][0];
    std::vector<std::optional<std::int16_t>> counts(n);
    countEach(choice, wanted, counts, folder);
    for (std::size_t i = 0; i < n; ++i)
        slots.kaku[i] = counts[i].value_or(0);
}

} // namespace kadelo::naming
