#pragma once
// Reading what the traditional stroke counts need from Debian's unicode-data package: the Kangxi
// radical and residual strokes of each character (Unihan kRSKangXi), the links between old and new
// 人名用 forms (Unihan kJinmeiyoKanji, "2010:U+XXXX"), and the ideograph of each Kangxi radical
// (CJKRadicals.txt).
#include <array>
#include <filesystem>
#include <map>
#include <vector>

namespace kadelo::tools {

struct RadicalStrokes {
    int radical = 0;  // Kangxi radical number, 1 to 214
    int residual = 0; // strokes beside the radical (a few characters give a negative number)
};

struct Unihan {
    std::map<char32_t, RadicalStrokes> kangxi;          // the first kRSKangXi value of each character
    std::map<char32_t, std::vector<char32_t>> oldForms; // new 人名用 form -> the old forms linked to it
    std::array<char32_t, 215> radicalCharacters{};      // [n]: the CJK ideograph of radical n
};

// Loads the three files from `folder` (default /usr/share/unicode). Throws std::runtime_error
// with the reason when a file cannot be read or holds nothing usable.
Unihan loadUnihan(const std::filesystem::path& folder);

// Whole strokes of Kangxi radical n (1 to 214): the radicals are numbered in stroke order,
// 1–6 one stroke, 7–29 two, … 214 (龠) seventeen.
int radicalStrokeCount(int radical);

} // namespace kadelo::tools
