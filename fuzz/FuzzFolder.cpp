#include "FuzzFolder.h"

#include "FuzzCheck.h"

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
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
    // Written over in place and then cut to length rather than truncated
    // first: a truncation gives the file's pages back and the write takes them
    // again, which for a whole firmware file cost more than the run itself.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    KW_FUZZ_REQUIRE(fd >= 0, "the input file can be opened");
    size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::pwrite(fd, bytes.data() + written, bytes.size() - written,
                                   static_cast<off_t>(written));
        KW_FUZZ_REQUIRE(n > 0, "the input file can be written");
        written += static_cast<size_t>(n);
    }
    KW_FUZZ_REQUIRE(::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0,
                    "the input file can be cut to length");
    KW_FUZZ_REQUIRE(::close(fd) == 0, "the input file can be closed");
    return path;
}

} // namespace kw::fuzz
