#include "ProgramFolder.h"

#include "Language.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace kw {

std::string WithSlash(std::string folder) {
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    return folder;
}

std::string ExecutableFolder() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : WithSlash(exe.parent_path().string());
}

std::string ProgramFolder() {
    if (const char* dir = std::getenv("KOLBRAWIN_PROGRAM_DIR"); dir && *dir)
        return WithSlash(dir);
    const std::string exeFolder = ExecutableFolder();
    std::error_code ec;
    if (!exeFolder.empty() && std::filesystem::exists(exeFolder + CLanguage::kIndexFile, ec))
        return exeFolder;
    return WithSlash(KW_INSTALLED_DATA_DIR);
}

} // namespace kw
