#pragma once
// The UTF-8 files of the traditional counts: 旧字体UTF8.dat (漢字.dat's line layout, UTF-8, for
// characters Shift-JIS cannot hold) and 旧字体由来.dat (how each kanji's count is reached:
// "沢","澤","水",4,13 — the character, its old form or "" when it has none, the radical, the
// radical's whole strokes and the residual strokes).
#include <filesystem>
#include <string>

#include "traditional_table.h"

namespace kadelo::tools {

std::string traditionalUtf8Bytes(const TraditionalTable& table);
std::string derivationBytes(const TraditionalTable& table);

// Writes both into `folder` and says so on standard output; throws std::runtime_error on failure.
void writeTraditionalUtf8Files(const std::filesystem::path& folder, const TraditionalTable& table);

} // namespace kadelo::tools
