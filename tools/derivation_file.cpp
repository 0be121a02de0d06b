#include "derivation_file.h"

#include <iostream>
#include <stdexcept>

#include "text/data_folder.h"
#include "text/file_io.h"
#include "text/records.h"
#include "text/unicode.h"

namespace kadelo::tools {
namespace {

std::u32string quoted(char32_t c)
{
    return text::quotedField(c ? std::u32string(1, c) : std::u32string());
}

void write(const std::filesystem::path& path, const std::string& bytes)
{
    const text::WriteResult result = text::writeFileAtomic(path, bytes);
    if (!result)
        throw std::runtime_error("cannot write " + path.string() + ": " + result.error);
    std::cout << path.string() << ": " << bytes.size() << " bytes\n";
}

} // namespace

std::string derivationBytes(const TraditionalTable& table)
{
    std::u32string out;
    for (const Derivation& d : table.derivations)
        out += quoted(d.character) + U"," + quoted(d.oldForm) + U"," + quoted(d.radical) + U","
            + text::numberField(d.radicalStrokes) + U"," + text::numberField(d.residual) + U"\r\n";
    return text::toUtf8(out);
}

void writeDerivationFile(const std::filesystem::path& folder, const TraditionalTable& table)
{
    write(folder / text::derivationFileName(), derivationBytes(table));
}

} // namespace kadelo::tools
