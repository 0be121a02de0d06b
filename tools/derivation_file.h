#pragma once
// 旧字体由来.dat, UTF-8 with CR LF: how each kanji's traditional count is reached,
// "沢","澤","水",4,13 — the character, its old form or "" when it has none, the radical, the
// radical's whole strokes and the residual strokes.
#include <filesystem>
#include <string>

#include "traditional_table.h"

namespace kadelo::tools {

std::string derivationBytes(const TraditionalTable& table);

// Writes it into `folder` and says so on standard output; throws std::runtime_error on failure.
void writeDerivationFile(const std::filesystem::path& folder, const TraditionalTable& table);

} // namespace kadelo::tools
