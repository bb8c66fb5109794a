#include "PrivateFolder.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace kw {

std::string FileTimeText(std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d_%H-%M-%S", &local);
    return text;
}

bool OwnerOnlyFolder(const fs::path& folder, std::string& error) {
    std::error_code ec;
    // The data folder above is the program's; only what lies below is made here owner-only.
    fs::create_directories(folder.parent_path(), ec);
    errno = 0;
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        error = folder.string() + ": " + std::strerror(errno);
        return false;
    }
    if (!fs::is_directory(fs::symlink_status(folder, ec))) {
        error = folder.string() + ": not a folder";
        return false;
    }
    fs::permissions(folder, fs::perms::owner_all, ec);
    return true;
}

} // namespace kw
