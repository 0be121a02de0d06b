#pragma once
// The supplied 漢字.dat and かな.dat grown 10× and 100×, as users' dictionaries grow: the supplied
// lines first, then synthetic entries in the same layout appended until the file has the wanted
// number of lines. Written once per program to a temporary folder that is removed at the end.
//
// The lookups keep an index of a file only when the file has been quiet for two seconds, so after
// writing the files this waits that long once: the keystroke figures are those of typing into an
// unchanged dictionary. The figures after a change are measured separately (each iteration appends
// a line to the file, or rewrites a byte of its first line, first).
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "text/cp932.h"
#include "text/file_cache.h"
#include "text/file_io.h"
#include "text/records.h"
#include "text/unicode.h"

namespace kadelo::bench {

namespace fs = std::filesystem;

inline const fs::path& grownFolder()
{
    static const struct Folder {
        fs::path path = fs::temp_directory_path() / ("kadelo-grown-" + std::to_string(std::random_device{}()));
        Folder() { fs::create_directories(path); }
        ~Folder()
        {
            std::error_code ec;
            fs::remove_all(path, ec);
        }
    } folder;
    return folder.path;
}

inline std::string suppliedBytes(const char* utf8Name)
{
    const auto bytes = text::readFileBytes(fs::path(KADELO_DATA_DIR) / fs::path(text::fromUtf8(utf8Name)));
    return bytes ? *bytes : std::string();
}

inline std::vector<std::string_view> lines(std::string_view bytes)
{
    std::vector<std::string_view> out;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find('\n', pos);
        end = end == std::string_view::npos ? bytes.size() : end + 1;
        out.push_back(bytes.substr(pos, end - pos));
        pos = end;
    }
    return out;
}

// Every two-byte character of Shift-JIS levels 1 and 2 (lead bytes 0x88–0x9F, 0xE0–0xEA).
inline const std::vector<std::string>& kanjiCodes()
{
    static const std::vector<std::string> codes = [] {
        std::vector<std::string> out;
        for (unsigned lead = 0x88; lead <= 0xEA; ++lead) {
            if (!text::isCp932LeadByte(static_cast<unsigned char>(lead)))
                continue;
            for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
                const std::string ch{static_cast<char>(lead), static_cast<char>(trail)};
                if (text::decodeSingleCharacter(ch))
                    out.push_back(ch);
            }
        }
        return out;
    }();
    return codes;
}

// 漢字.dat with `scale` times its lines: "X",N entries of random kanji appended.
inline std::string grownStrokeBytes(int scale)
{
    const std::string supplied = suppliedBytes("漢字.dat");
    const std::size_t wanted = lines(supplied).size() * static_cast<std::size_t>(scale);
    std::string out = supplied;
    std::mt19937 random(7);
    const auto& codes = kanjiCodes();
    for (std::size_t n = lines(supplied).size(); n < wanted; ++n)
        out += '"' + codes[random() % codes.size()] + "\"," + std::to_string(1 + random() % 29) + "\r\n";
    return out;
}

// かな.dat with `scale` times its lines: "reading","X",N entries appended, the readings drawn from the
// supplied lines (so every reading grows in proportion), the kanji at random.
inline std::string grownKanaBytes(int scale)
{
    const std::string supplied = suppliedBytes("かな.dat");
    std::vector<std::string> readings;
    for (std::string_view line : lines(supplied)) {
        text::FieldList fields;
        text::splitFields(line.substr(0, line.find_first_of("\r\n")), fields);
        if (fields.size() >= 3)
            readings.emplace_back(fields[0]);
    }
    const std::size_t wanted = lines(supplied).size() * static_cast<std::size_t>(scale);
    std::string out = supplied;
    std::mt19937 random(11);
    const auto& codes = kanjiCodes();
    for (std::size_t n = lines(supplied).size(); n < wanted && !readings.empty(); ++n)
        out += '"' + readings[random() % readings.size()] + "\",\"" + codes[random() % codes.size()] + "\","
            + std::to_string(1 + random() % 29) + "\r\n";
    return out;
}

// The path of the grown file (1, 10 or 100 times the supplied lines). All are written at the first
// call, then the folder is left quiet for the index to be kept.
inline fs::path grownFile(const char* utf8Name, int scale)
{
    static const std::map<std::pair<std::string, int>, fs::path> files = [] {
        std::map<std::pair<std::string, int>, fs::path> out;
        for (int s : {1, 10, 100}) {
            for (const char* name : {"漢字.dat", "かな.dat"}) {
                const fs::path dir = grownFolder() / ("x" + std::to_string(s));
                fs::create_directories(dir);
                const fs::path path = dir / fs::path(text::fromUtf8(name));
                const std::string bytes = std::string(name) == "漢字.dat" ? grownStrokeBytes(s) : grownKanaBytes(s);
                std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
                out[{name, s}] = path;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2100));
        return out;
    }();
    return files.at({utf8Name, scale});
}

// Copies of a grown file, each written once and left quiet for two seconds: a dictionary replaced
// (by another program, or rewritten by a correction) some time before the keystroke. Taken in turn,
// more copies than a cache keeps, so that each keystroke meets a copy it holds no index of.
inline const std::vector<fs::path>& quietCopies(const char* utf8Name, int scale)
{
    static std::map<std::pair<std::string, int>, std::vector<fs::path>> made;
    std::vector<fs::path>& copies = made[{utf8Name, scale}];
    if (copies.empty()) {
        const fs::path source = grownFile(utf8Name, scale);
        for (int i = 0; i < 10; ++i) {
            const fs::path dir = grownFolder() / ("quiet" + std::to_string(scale) + "-" + std::to_string(i));
            fs::create_directories(dir);
            copies.push_back(dir / source.filename());
            fs::copy_file(source, copies.back(), fs::copy_options::overwrite_existing);
            fs::last_write_time(copies.back(), fs::file_time_type::clock::now() - std::chrono::hours(1));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2100));
    }
    return copies;
}

// Waits for the indexes being built on the worker thread, busy: a thread that sleeps meets cold
// caches when it wakes, which would be charged to the keystroke timed next (every other case runs
// its keystrokes back to back).
inline void finishIndexBuilds()
{
    while (text::pendingFileIndexBuilds() != 0) {
    }
}

// Appends one line, as registering a kanji or a reading does.
inline void appendLine(const fs::path& path, std::string_view line)
{
    std::ofstream(path, std::ios::binary | std::ios::app).write(line.data(), static_cast<std::streamsize>(line.size()));
}

// Rewrites one digit of the first line's count in place (1 and 2 in turn), as an edit of an early
// line would: nothing of the earlier index can be carried on.
inline void rewriteFirstLine(const fs::path& path)
{
    std::fstream file(path, std::ios::binary | std::ios::in | std::ios::out);
    std::string first;
    std::getline(file, first);
    const std::size_t digit = first.find_first_of("0123456789");
    if (digit == std::string::npos)
        return;
    file.seekp(static_cast<std::streamoff>(digit));
    file.put(first[digit] == '1' ? '2' : '1');
}

// The floors the keystroke figures are set against, each iteration a plain read of a file into
// memory: the same file again and again; the file right after each change, timed like the keystrokes
// after a change (the change and the pause around it left out); and the replaced copies in turn.
inline void timeRawReads(benchmark::State& state, const fs::path& path)
{
    for (auto _ : state) {
        auto bytes = text::readFileBytes(path);
        benchmark::DoNotOptimize(bytes);
    }
}

inline void timeRawReadsAfterRewrite(benchmark::State& state, const fs::path& path)
{
    for (auto _ : state) {
        state.PauseTiming();
        rewriteFirstLine(path);
        state.ResumeTiming();
        auto bytes = text::readFileBytes(path);
        benchmark::DoNotOptimize(bytes);
    }
}

inline void timeRawReadsInTurn(benchmark::State& state, const std::vector<fs::path>& copies)
{
    std::size_t turn = 0;
    for (auto _ : state) {
        auto bytes = text::readFileBytes(copies[turn++ % copies.size()]);
        benchmark::DoNotOptimize(bytes);
    }
}

inline std::size_t lineCount(const fs::path& path)
{
    const auto bytes = text::readFileBytes(path);
    return bytes ? lines(*bytes).size() : 0;
}

} // namespace kadelo::bench
