#include "FuzzFolder.h"

#include "FuzzCheck.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace kw::fuzz {
namespace {

std::string MakeFolder() {
    for (const char* base : {"/dev/shm", "/tmp"}) {
        std::string pattern = std::string(base) + "/kw-fuzz-XXXXXX";
        if (::access(base, W_OK) == 0 && ::mkdtemp(pattern.data()) != nullptr)
            return pattern + "/";
    }
    KW_FUZZ_REQUIRE(false, "a temporary folder can be made");
    return {};
}

void RemoveFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(FuzzFolder(), ignored);
}

} // namespace

const std::string& FuzzFolder() {
    // Never destroyed: the removal at exit still needs the name.
    static const std::string* folder = [] {
        auto* made = new std::string(MakeFolder());
        std::atexit(&RemoveFolder);
        return made;
    }();
    return *folder;
}

std::string WriteFuzzFile(const std::string& name, const std::string& bytes) {
    const std::string path = FuzzFolder() + name;
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    KW_FUZZ_REQUIRE(file.good(), "the input file can be written");
    return path;
}

} // namespace kw::fuzz
