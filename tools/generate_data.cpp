// Generates the supplied data files 漢字.dat, 漢字UTF8.dat, かな.dat and conve.dat.
//
//   kadelo_generate_data [--kanjidic FILE] [--unihan FOLDER] [--out FOLDER] [--show READING ...]
//
// FILE defaults to Debian's /usr/share/edict/kanjidic2.xml.gz (package kanjidic-xml); the Unihan
// folder to /usr/share/unicode (package unicode-data), the source of the traditional counts in
// 旧字体.dat, 旧字体UTF8.dat and 旧字体由来.dat; the output FOLDER to the current folder. --show prints the first kanji of the given readings instead of writing files.
// Every line goes through the program's own Shift-JIS writer, so data and program agree byte for byte.
#include <exception>
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "birth_table.h"
#include "kana_readings.h"
#include "kanjidic_source.h"
#include "stroke_table.h"
#include "derivation_file.h"
#include "text/cp932.h"
#include "text/data_folder.h"
#include "text/file_io.h"
#include "text/records.h"
#include "text/unicode.h"

namespace {

using namespace kadelo;

constexpr int kFirstYear = 1941; // the year picker offers 1941 to 2000
constexpr int kLastYear = 2040;
constexpr std::size_t kNamingLimit = 30; // kanji of one reading that the naming assistant takes

// Collects the lines of one file as CP932 bytes (any character CP932 cannot hold is an error), or
// as UTF-8 bytes for the file of the characters CP932 cannot hold.
class DataFile {
public:
    enum class Encoding { Cp932, Utf8 };
    explicit DataFile(Encoding encoding = Encoding::Cp932) : encoding_(encoding) {}

    void addLine(const std::u32string& line)
    {
        if (encoding_ == Encoding::Utf8) {
            bytes_ += text::toUtf8(line + U"\r\n");
            ++lines_;
            return;
        }
        const text::Cp932Bytes encoded = text::encodeCp932(line + U"\r\n");
        if (!encoded.ok())
            throw std::runtime_error("Shift-JIS cannot hold " + text::toUtf8(encoded.unencodable) + " in " + text::toUtf8(line));
        bytes_ += encoded.bytes;
        ++lines_;
    }
    const std::string& bytes() const { return bytes_; }
    std::size_t lines() const { return lines_; }

private:
    Encoding encoding_;
    std::string bytes_;
    std::size_t lines_ = 0;
};

std::u32string textField(std::u32string_view value)
{
    if (!text::isSafeFieldText(value))
        throw std::runtime_error("a field holds a double quote, comma or line break: " + text::toUtf8(value));
    return text::quotedField(value);
}

DataFile strokeFile(const std::vector<tools::StrokeEntry>& entries, DataFile::Encoding encoding)
{
    DataFile file(encoding);
    for (const tools::StrokeEntry& e : entries)
        file.addLine(textField(std::u32string(1, e.character)) + U"," + text::numberField(e.strokes));
    return file;
}

DataFile kanaFile(const tools::KanaReadings& readings)
{
    DataFile file;
    for (const tools::KanaEntry& e : readings.entries)
        file.addLine(textField(e.reading) + U"," + textField(std::u32string(1, e.kanji)) + U"," + text::numberField(e.strokes));
    return file;
}

DataFile conversionFile(const std::vector<tools::BirthRow>& rows)
{
    DataFile file;
    for (const tools::BirthRow& row : rows) {
        const int key = row.year % 100;
        std::u32string line{static_cast<char32_t>(U'0' + key / 10), static_cast<char32_t>(U'0' + key % 10)};
        for (int base : row.bases)
            line += U"," + text::numberField(base);
        file.addLine(line);
    }
    return file;
}

void report(const std::string& heading, const std::vector<std::string>& lines)
{
    if (lines.empty())
        return;
    std::cerr << heading << " (" << lines.size() << "):\n";
    for (const std::string& line : lines)
        std::cerr << "  " << line << '\n';
}

void write(const std::filesystem::path& path, const DataFile& file)
{
    const text::WriteResult result = text::writeFileAtomic(path, file.bytes());
    if (!result)
        throw std::runtime_error("cannot write " + path.string() + ": " + result.error);
    std::cout << path.string() << ": " << file.lines() << " lines, " << file.bytes().size() << " bytes\n";
}

void show(const tools::KanaReadings& readings, const std::vector<std::string>& wanted)
{
    for (const std::string& w : wanted) {
        const std::u32string reading = text::fromUtf8(w);
        std::u32string kanji;
        std::size_t total = 0;
        for (const tools::KanaEntry& e : readings.entries) {
            if (e.reading != reading)
                continue;
            if (total < kNamingLimit)
                kanji.push_back(e.kanji);
            ++total;
        }
        std::cout << w << " (" << total << "): " << text::toUtf8(kanji) << '\n';
    }
}

int run(int argc, char** argv)
{
    std::filesystem::path source = "/usr/share/edict/kanjidic2.xml.gz";
    std::filesystem::path out = ".";
    std::filesystem::path unihanFolder = "/usr/share/unicode";
    std::vector<std::string> showReadings;
    bool showing = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--kanjidic" && i + 1 < argc) {
            source = argv[++i];
        } else if (arg == "--unihan" && i + 1 < argc) {
            unihanFolder = argv[++i];
        } else if (arg == "--out" && i + 1 < argc) {
            out = argv[++i];
        } else if (arg == "--show") {
            showing = true;
        } else if (showing && !arg.starts_with("--")) {
            showReadings.push_back(arg);
        } else {
            std::cerr << "usage: kadelo_generate_data [--kanjidic FILE] [--unihan FOLDER] [--out FOLDER] [--show READING ...]\n";
            return 2;
        }
    }

    const tools::Kanjidic kanjidic = tools::loadKanjidic(source);
    std::cerr << "KANJIDIC2 " << kanjidic.databaseVersion << " of " << kanjidic.dateOfCreation << ": "
              << kanjidic.entries.size() << " characters\n";

    const tools::StrokeTable strokes = tools::buildStrokeTable(kanjidic);
    const tools::KanaReadings readings = tools::buildKanaReadings(kanjidic, strokes);
    const tools::TraditionalTable traditional = tools::buildTraditionalTable(kanjidic, tools::loadUnihan(unihanFolder), strokes);

    std::cerr << "counts set by the printed-form table: " << strokes.corrected << "\n";
    std::cerr << "in the UTF-8 stroke file, not in Shift-JIS: " << strokes.wide.size() << " characters\n";
    std::cerr << "left out of both, not in Shift-JIS and not a name kanji: " << strokes.leftOut.size() << " characters\n";
    std::cerr << "かな.dat entries given by the name rules: " << readings.addedByRule[0] << " whole kun readings, "
              << readings.addedByRule[1] << " noun forms of verbs, " << readings.addedByRule[2] << " hand-kept\n";
    report("notes on 漢字.dat", strokes.notes);
    report("notes on かな.dat", readings.notes);
    report("notes on the traditional counts", traditional.notes);
    std::vector<std::string> problems = strokes.problems;
    problems.insert(problems.end(), readings.problems.begin(), readings.problems.end());
    problems.insert(problems.end(), traditional.problems.begin(), traditional.problems.end());
    if (!problems.empty()) {
        report("problems", problems);
        return 1;
    }

    if (showing) {
        show(readings, showReadings);
        return 0;
    }

    std::filesystem::create_directories(out);
    write(out / text::strokeFileName(), strokeFile(strokes.entries, DataFile::Encoding::Cp932));
    write(out / text::wideStrokeFileName(), strokeFile(strokes.wide, DataFile::Encoding::Utf8));
    write(out / text::kanaFileName(), kanaFile(readings));
    write(out / text::conversionFileName(), conversionFile(tools::birthRows(kFirstYear, kLastYear)));
    write(out / text::traditionalStrokeFileName(), strokeFile(traditional.entries, DataFile::Encoding::Cp932));
    write(out / text::traditionalWideFileName(), strokeFile(traditional.utf8Entries, DataFile::Encoding::Utf8));
    tools::writeDerivationFile(out, traditional);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        return run(argc, argv);
    } catch (const std::exception& e) {
        std::cerr << "kadelo_generate_data: " << e.what() << '\n';
        return 1;
    }
}
