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
    resolveSurname(surname, strokeLookupFor(choice, folder), sei);
    if (!choice.traditional() || !choice.numeralsByValue)
        return;
    for (std::size_t p = 0; p < 3 && p < surname.size(); ++p)
        if (const std::optional<std::int16_t> v = numeralValue(surname[p]))
            sei[p] = *v;
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
