#pragma once
// A fresh temporary folder made current for one test, with small helpers for the files in it.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>

#include "text/cp932.h"
#include "text/unicode.h"

namespace kadelo::testing {

class TempFolder {
public:
    TempFolder()
    {
        previous_ = std::filesystem::current_path();
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() / ("kadelo-test-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(path_);
        std::filesystem::current_path(path_);
    }
    ~TempFolder()
    {
        std::error_code ec;
        std::filesystem::current_path(previous_, ec);
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path previous_;
    std::filesystem::path path_;
};

// The CP932 bytes of a UTF-8 text (test data is written in UTF-8 source and stored as CP932).
inline std::string cp932(std::string_view utf8)
{
    return text::encodeCp932(text::fromUtf8(utf8)).bytes;
}

inline void writeBytes(const std::filesystem::path& path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string readBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A file name given in UTF-8 (漢字.dat) as a path.
inline std::filesystem::path u8path(std::string_view utf8)
{
    return std::filesystem::path(text::fromUtf8(utf8));
}

} // namespace kadelo::testing
