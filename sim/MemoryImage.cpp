#include "MemoryImage.h"

#include "ParameterCatalogue.h"
#include "Parameters.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace kw::sim {

MemoryImage DefaultMemoryImage() {
    CParameters parameters;
    RegisterCatalogue(parameters);
    MemoryImage image{};
    parameters.StoreToImage(image.data(), kImageSize);
    StoreRegionChecksum(image.data(), kRegionA);
    StoreRegionChecksum(image.data(), kRegionB);
    return image;
}

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& error) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        error = std::strerror(errno);
        return false;
    }
    bytes.clear();
    uint8_t buffer[65536];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + got);
    const bool failed = std::ferror(file) != 0;
    if (failed)
        error = std::strerror(errno);
    std::fclose(file);
    return !failed;
}

bool SaveFileAtomically(const std::string& path, const uint8_t* data, size_t size,
                        std::string& error) {
    const std::string temporary = path + ".tmp" + std::to_string(getpid());
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, data + done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            error = std::strerror(errno);
            ::close(fd);
            ::unlink(temporary.c_str());
            return false;
        }
        done += static_cast<size_t>(n);
    }
    // No fsync: the file must survive the simulator being killed, not a power cut.
    if (::close(fd) != 0 || ::rename(temporary.c_str(), path.c_str()) != 0) {
        error = std::strerror(errno);
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

} // namespace kw::sim
