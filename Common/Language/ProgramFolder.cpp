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

std::string DataRootBeside(const std::string& exeFolder) {
    const std::filesystem::path folder = std::filesystem::path(exeFolder) / KW_DATA_FROM_BIN;
    return WithSlash(folder.lexically_normal().string());
}

std::string ProgramFolderBeside(const std::string& exeFolder) {
    // Without a known executable there is nothing to be relative to.
    if (exeFolder.empty())
        return WithSlash(KW_INSTALLED_DATA_DIR);
    std::error_code ec;
    if (std::filesystem::exists(exeFolder + CLanguage::kIndexFile, ec))
        return exeFolder;
    return DataRootBeside(exeFolder) + "kolbrawin/";
}

std::string ProgramFolder() {
    if (const char* dir = std::getenv("KOLBRAWIN_PROGRAM_DIR"); dir && *dir)
        return WithSlash(dir);
    return ProgramFolderBeside(ExecutableFolder());
}

} // namespace kw
