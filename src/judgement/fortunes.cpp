#include "judgement/fortunes.h"

#include <algorithm>
#include <limits>

#include "text/unicode.h"

namespace kadelo {
namespace {

constexpr char32_t kRepeatMark = U'々';
constexpr std::size_t kMaxChars = 3;

// Sums are formed in int and kept inside the 16-bit range; real stroke counts never come near it,
// but a hand-edited dictionary with huge counts must not wrap round into a small or negative number.
std::int16_t clamp16(int v)
{
    return static_cast<std::int16_t>(
        std::clamp(v, int{std::numeric_limits<std::int16_t>::min()}, int{std::numeric_limits<std::int16_t>::max()}));
}

} // namespace

std::u32string prepareName(std::u32string_view text)
{
    // Cut first, then trim: " 山田太" keeps only 山田.
    return std::u32string(text::trimBlanks(text::firstChars(text, kMaxChars)));
}

namespace {

// Counts one half; lookUpEach(wanted, found) looks the wanted characters up.
template <class LookUpEach>
NameHalf countHalf(std::u32string_view text, bool isSurname, LookUpEach&& lookUpEach)
{
    NameHalf half;
    const std::u32string name = prepareName(text);
    half.length = static_cast<std::int16_t>(name.size());
    for (std::size_t i = 0; i < name.size(); ++i)
        half.chars[i] = std::u32string(1, name[i]);
    if (name.empty())
        return half;

    // Which positions take part in the scan: every position that holds a character, except the
    // repeat mark in position 2 of a surname, which borrows the count of position 1 afterwards.
    // One pass over the whole file serves all positions; the first entry for a character counts,
    // later duplicates are ignored, an entry whose character field is not one character never
    // matches, and an absent or unreadable file leaves every count at 0.
    const bool repeatInSurname = isSurname && name.size() >= 2 && name[1] == kRepeatMark;
    std::array<char32_t, 3> wanted{};
    for (std::size_t i = 0; i < name.size(); ++i)
        wanted[i] = (i == 1 && repeatInSurname) ? 0 : name[i];
    std::array<std::optional<std::int16_t>, 3> found;
    lookUpEach(std::span<const char32_t>(wanted), std::span<std::optional<std::int16_t>>(found));
    for (std::size_t i = 0; i < 3; ++i) {
        half.counts[i] = found[i].value_or(0);
        half.known[i] = found[i].has_value();
    }

    if (repeatInSurname) {
        half.counts[1] = half.counts[0];
        half.known[1] = true;
    }
    return half;
}

} // namespace

NameHalf lookupStrokes(std::u32string_view text, const StrokeLookup& dictionary, bool isSurname)
{
    return countHalf(text, isSurname, [&](auto wanted, auto found) { dictionary.lookUpEach(wanted, found); });
}

NameHalf lookupStrokes(std::u32string_view text, const CountingChoice& choice, bool isSurname, const std::filesystem::path& folder)
{
    return countHalf(text, isSurname, [&](auto wanted, auto found) { countEach(choice, wanted, found, folder); });
}

std::u32string uncountedCharacters(const NameHalf& half)
{
    std::u32string missing;
    const std::size_t length = static_cast<std::size_t>(std::clamp<int>(half.length, 0, 3));
    for (std::size_t i = 0; i < length; ++i) {
        if (half.known[i] || half.chars[i].empty())
            continue;
        if (missing.find(half.chars[i]) == std::u32string::npos)
            missing += half.chars[i];
    }
    return missing;
}

std::u32string uncountedCharacters(const NameStrokes& strokes)
{
    std::u32string missing = uncountedCharacters(strokes.surname);
    for (char32_t c : uncountedCharacters(strokes.given))
        if (missing.find(c) == std::u32string::npos)
            missing.push_back(c);
    return missing;
}

FortuneSet computeFortunes(const NameStrokes& strokes)
{
    const NameHalf& a = strokes.surname;
    const NameHalf& b = strokes.given;
    const int m = std::clamp<int>(a.length, 0, 3);
    const int n = std::clamp<int>(b.length, 0, 3);
    auto count = [](const NameHalf& h, int position) -> int { // position 1..3; 0 outside
        return position >= 1 && position <= 3 ? h.counts[static_cast<std::size_t>(position - 1)] : 0;
    };
    auto sum = [&](const NameHalf& h, int from, int to) {
        int s = 0;
        for (int k = from; k <= to; ++k)
            s += count(h, k);
        return s;
    };

    const int surnameAll = sum(a, 1, m);
    const int givenAll = sum(b, 1, n);
    const int last = count(a, m);
    const int first = count(b, 1);
    const int outerSurname = m == 1 ? count(a, 1) : sum(a, 1, m - 1);
    const int outerGiven = n == 1 ? count(b, 1) : sum(b, 2, n);

    FortuneSet f;
    f.soukaku = clamp16(surnameAll + givenAll);
    f.jinnkaku = clamp16(last + first);
    f.gaikaku = clamp16(outerSurname + outerGiven);
    f.tikaku = clamp16(last + first + givenAll);
    return f;
}

} // namespace kadelo
