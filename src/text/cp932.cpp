#include "text/cp932.h"

#include <array>
#include <cerrno>
#include <iconv.h>
#include <memory>
#include <mutex>
#include <stdexcept>

namespace kadelo::text {
namespace {

constexpr char32_t kInvalid = 0xFFFD;

// Converts one short byte sequence to a single code point with an open iconv descriptor;
// kInvalid when iconv rejects it or yields anything but exactly one character.
char32_t convertOne(iconv_t cd, const unsigned char* in, std::size_t inLen)
{
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char inBuf[2] = {static_cast<char>(in[0]), inLen > 1 ? static_cast<char>(in[1]) : '\0'};
    char outBuf[16];
    char* inPtr = inBuf;
    char* outPtr = outBuf;
    std::size_t inLeft = inLen;
    std::size_t outLeft = sizeof outBuf;
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) || inLeft != 0)
        return kInvalid;
    if (sizeof outBuf - outLeft != 4)
        return kInvalid;
    const auto* o = reinterpret_cast<const unsigned char*>(outBuf);
    return static_cast<char32_t>(o[0]) | (static_cast<char32_t>(o[1]) << 8) | (static_cast<char32_t>(o[2]) << 16)
        | (static_cast<char32_t>(o[3]) << 24);
}

// Decoding table for every single byte and every lead/trail pair, filled once from iconv, so that
// reading a file on every keystroke costs a table lookup per character instead of an iconv call.
struct DecodeTable {
    std::array<char32_t, 256> single{};
    std::array<char32_t, 65536> pair{};

    DecodeTable()
    {
        iconv_t cd = iconv_open("UTF-32LE", "CP932");
        if (cd == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error("iconv cannot convert from CP932");
        for (unsigned b = 0; b < 256; ++b) {
            const unsigned char in[1] = {static_cast<unsigned char>(b)};
            single[b] = isCp932LeadByte(in[0]) ? kInvalid : convertOne(cd, in, 1);
        }
        pair.fill(kInvalid);
        for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
            if (!isCp932LeadByte(static_cast<unsigned char>(lead)))
                continue;
            for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
                if (trail == 0x7F)
                    continue;
                const unsigned char in[2] = {static_cast<unsigned char>(lead), static_cast<unsigned char>(trail)};
                pair[(lead << 8) | trail] = convertOne(cd, in, 2);
            }
        }
        iconv_close(cd);
    }
};

const DecodeTable& decodeTable()
{
    static const DecodeTable table;
    return table;
}

struct Encoder {
    iconv_t cd;
    std::mutex mutex;
    Encoder() : cd(iconv_open("CP932", "UTF-32LE"))
    {
        if (cd == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error("iconv cannot convert to CP932");
    }
    ~Encoder() { iconv_close(cd); }
};

Encoder& encoder()
{
    static Encoder e;
    return e;
}

} // namespace

std::u32string decodeCp932(std::string_view bytes)
{
    // Plain ASCII (the settings file at start, as a rule) needs no table, which takes a couple of
    // milliseconds to fill on first use.
    bool ascii = true;
    for (char c : bytes)
        ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii)
        return std::u32string(bytes.begin(), bytes.end());
    const DecodeTable& t = decodeTable();
    std::u32string out;
    out.reserve(bytes.size());
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    std::size_t i = 0;
    while (i < n) {
        const unsigned char b = p[i];
        if (b < 0x80) {
            out.push_back(b);
            ++i;
        } else if (isCp932LeadByte(b)) {
            if (i + 1 < n) {
                const char32_t c = t.pair[(static_cast<unsigned>(b) << 8) | p[i + 1]];
                if (c != kInvalid) {
                    out.push_back(c);
                    i += 2;
                    continue;
                }
            }
            out.push_back(kInvalid);
            ++i;
        } else {
            out.push_back(t.single[b]);
            ++i;
        }
    }
    return out;
}

std::optional<char32_t> decodeSingleCharacter(std::string_view bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    if (bytes.size() == 1 && !isCp932LeadByte(p[0]))
        return p[0] < 0x80 ? static_cast<char32_t>(p[0]) : decodeTable().single[p[0]];
    if (bytes.size() == 2 && isCp932LeadByte(p[0])) {
        const char32_t c = decodeTable().pair[(static_cast<unsigned>(p[0]) << 8) | p[1]];
        if (c != kInvalid)
            return c;
    }
    return std::nullopt;
}

std::string encodeCp932Char(char32_t c)
{
    if (c < 0x80)
        return std::string(1, static_cast<char>(c));
    if (c == kInvalid || c > 0x10FFFF)
        return {};
    Encoder& e = encoder();
    std::lock_guard lock(e.mutex);
    iconv(e.cd, nullptr, nullptr, nullptr, nullptr);
    char in[4] = {static_cast<char>(c & 0xFF), static_cast<char>((c >> 8) & 0xFF), static_cast<char>((c >> 16) & 0xFF),
        static_cast<char>((c >> 24) & 0xFF)};
    char out[8];
    char* inPtr = in;
    char* outPtr = out;
    std::size_t inLeft = sizeof in;
    std::size_t outLeft = sizeof out;
    if (iconv(e.cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) || inLeft != 0)
        return {};
    std::size_t len = sizeof out - outLeft;
    // Flush any shift state (CP932 has none, but keep the descriptor clean).
    iconv(e.cd, nullptr, nullptr, &outPtr, &outLeft);
    len = sizeof out - outLeft;
    if (len == 0 || len > 2)
        return {};
    return std::string(out, len);
}

Cp932Bytes encodeCp932(std::u32string_view text)
{
    Cp932Bytes result;
    result.bytes.reserve(text.size() * 2);
    for (char32_t c : text) {
        std::string b = encodeCp932Char(c);
        if (b.empty()) {
            if (result.unencodable.find(c) == std::u32string::npos)
                result.unencodable.push_back(c);
            continue;
        }
        result.bytes += b;
    }
    return result;
}

bool cp932CanHold(std::u32string_view text)
{
    for (char32_t c : text)
        if (encodeCp932Char(c).empty())
            return false;
    return true;
}

} // namespace kadelo::text
