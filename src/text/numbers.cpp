#include "text/numbers.h"

#include <cmath>
#include <limits>

namespace kadelo::text {
namespace {

bool isBlank(char32_t c)
{
    return c == U' ' || c == U'\u3000' || c == U'\t';
}

int digitValue(char32_t c)
{
    if (c >= U'0' && c <= U'9')
        return static_cast<int>(c - U'0');
    if (c >= U'\uFF10' && c <= U'\uFF19')
        return static_cast<int>(c - U'\uFF10');
    return -1;
}

bool isSign(char32_t c, bool& negative)
{
    if (c == U'-' || c == U'\uFF0D' || c == U'\u2212') {
        negative = true;
        return true;
    }
    if (c == U'+' || c == U'\uFF0B')
        return true;
    return false;
}

bool isPoint(char32_t c)
{
    return c == U'.' || c == U'\uFF0E';
}

// Reads [sign] digits [. digits] from pos; returns the number of characters taken (0 if none).
std::size_t scanNumber(std::u32string_view t, std::size_t pos, double& value, bool& hasFraction)
{
    const std::size_t start = pos;
    bool negative = false;
    if (pos < t.size() && isSign(t[pos], negative))
        ++pos;
    double v = 0;
    int digits = 0;
    while (pos < t.size() && digitValue(t[pos]) >= 0) {
        v = v * 10 + digitValue(t[pos]);
        ++pos;
        ++digits;
    }
    hasFraction = false;
    if (pos < t.size() && isPoint(t[pos])) {
        std::size_t p = pos + 1;
        double scale = 0.1;
        int fracDigits = 0;
        while (p < t.size() && digitValue(t[p]) >= 0) {
            v += digitValue(t[p]) * scale;
            scale /= 10;
            ++p;
            ++fracDigits;
        }
        if (fracDigits > 0 || digits > 0) {
            pos = p;
            digits += fracDigits;
            hasFraction = fracDigits > 0;
        }
    }
    if (digits == 0)
        return 0;
    value = negative ? -v : v;
    return pos - start;
}

// The text without blanks (space, U+3000, tab) at either end.
std::u32string_view withoutBlanks(std::u32string_view text)
{
    std::size_t b = 0;
    std::size_t e = text.size();
    while (b < e && isBlank(text[b]))
        ++b;
    while (e > b && isBlank(text[e - 1]))
        --e;
    return text.substr(b, e - b);
}

} // namespace

std::optional<long long> parseInteger(std::u32string_view typed)
{
    const std::u32string_view text = withoutBlanks(typed);
    std::size_t b = 0;
    const std::size_t e = text.size();
    if (b == e)
        return std::nullopt;
    bool negative = false;
    if (isSign(text[b], negative))
        ++b;
    if (b == e)
        return std::nullopt;
    unsigned long long v = 0;
    for (std::size_t i = b; i < e; ++i) {
        const int d = digitValue(text[i]);
        if (d < 0)
            return std::nullopt;
        if (v > (static_cast<unsigned long long>(std::numeric_limits<long long>::max()) - d) / 10)
            return std::nullopt;
        v = v * 10 + d;
    }
    return negative ? -static_cast<long long>(v) : static_cast<long long>(v);
}

std::optional<double> parseDecimal(std::u32string_view typed)
{
    const std::u32string_view text = withoutBlanks(typed);
    double v = 0;
    bool fraction = false;
    const std::size_t taken = scanNumber(text, 0, v, fraction);
    if (taken == 0 || taken != text.size())
        return std::nullopt;
    return v;
}

std::optional<double> leadingNumber(std::u32string_view text)
{
    std::size_t b = 0;
    while (b < text.size() && isBlank(text[b]))
        ++b;
    double v = 0;
    bool fraction = false;
    if (scanNumber(text, b, v, fraction) == 0)
        return std::nullopt;
    return v;
}

double roundHalfEven(double value)
{
    return std::nearbyint(value); // the default rounding mode rounds halves to even
}

std::optional<std::int16_t> toInt16(std::optional<long long> value)
{
    if (!value || *value < std::numeric_limits<std::int16_t>::min() || *value > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(*value);
}

std::optional<std::int16_t> toInt16(std::optional<double> value)
{
    if (!value || !std::isfinite(*value))
        return std::nullopt;
    const double r = roundHalfEven(*value);
    if (r < std::numeric_limits<std::int16_t>::min() || r > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(r);
}

} // namespace kadelo::text
