#include "text/data_folder.h"

#include <system_error>

namespace kadelo::text {

namespace fs = std::filesystem;

const fs::path& settingsFileName()
{
    static const fs::path p{u8"Kadelo.ini"};
    return p;
}
const fs::path& strokeFileName()
{
    static const fs::path p{u8"漢字.dat"};
    return p;
}
const fs::path& wideStrokeFileName()
{
    static const fs::path p{u8"漢字UTF8.dat"};
    return p;
}
const fs::path& kanaFileName()
{
    static const fs::path p{u8"かな.dat"};
    return p;
}
const fs::path& conversionFileName()
{
    static const fs::path p{u8"conve.dat"};
    return p;
}
const fs::path& helpFileName()
{
    static const fs::path p{u8"kadelo_help.html"};
    return p;
}

const fs::path& traditionalStrokeFileName()
{
    static const fs::path p{u8"旧字体.dat"};
    return p;
}
const fs::path& traditionalWideFileName()
{
    static const fs::path p{u8"旧字体UTF8.dat"};
    return p;
}
const fs::path& derivationFileName()
{
    static const fs::path p{u8"旧字体由来.dat"};
    return p;
}
const fs::path& countingFileName()
{
    static const fs::path p{u8"画数.ini"};
    return p;
}

std::vector<fs::path> suppliedFileNames()
{
    return {strokeFileName(), wideStrokeFileName(), kanaFileName(), conversionFileName(), helpFileName(),
        traditionalStrokeFileName(), traditionalWideFileName(), derivationFileName()};
}

DataFolder chooseDataFolder(const fs::path& current, const fs::path& userFolder, const std::vector<fs::path>& supplyFolders)
{
    DataFolder result;
    std::error_code ec;
    if (fs::exists(current / settingsFileName(), ec) || fs::exists(current / strokeFileName(), ec)) {
        result.folder = current;
        result.portable = true;
        return result;
    }
    result.folder = userFolder;
    fs::create_directories(userFolder, ec);
    if (ec) {
        result.error = "cannot create " + userFolder.string() + ": " + ec.message();
        return result;
    }
    for (const fs::path& name : suppliedFileNames()) {
        if (fs::exists(userFolder / name, ec))
            continue;
        for (const fs::path& source : supplyFolders) {
            if (!fs::is_regular_file(source / name, ec))
                continue;
            fs::copy_file(source / name, userFolder / name, ec);
            if (ec)
                result.error = "cannot copy " + (source / name).string() + ": " + ec.message();
            else
                result.copied.push_back(name);
            break;
        }
    }
    return result;
}

} // namespace kadelo::text
