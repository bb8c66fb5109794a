#include "FirmwareFile.h"

#include "FirmwareLayout.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <random>

namespace kw::test {

std::vector<uint8_t> MakeFirmware(const std::string& defaultVersion, unsigned seed,
                                  const std::map<char, std::string>& versions) {
    std::vector<uint8_t> file(kFirmwareFileSize, 0);
    for (char letter : {'A', 'D', 'C', 'E', 'F', 'G'}) {
        const FirmwareSlice layout = SliceFor(letter);
        uint8_t* slice = file.data() + layout.offset;
        std::mt19937 random(seed * 131u + static_cast<unsigned>(letter));
        for (int32_t i = 0; i < layout.size; ++i)
            slice[i] = static_cast<uint8_t>(random());
        if (layout.hasDeviceArea)
            std::memset(slice + kDeviceAreaOffset, 0, kDeviceAreaSize);
        const auto found = versions.find(letter);
        const std::string& version = found != versions.end() ? found->second : defaultVersion;
        std::memset(slice + layout.VersionOffset(), 0, kVersionTextSize);
        std::memcpy(slice + layout.VersionOffset(), version.data(),
                    std::min<size_t>(version.size(), layout.VersionTextMax() - 1));
        StoreSliceSum(slice, layout);
    }
    return file;
}

std::vector<uint8_t> MakeFirmwareFile(const std::string& path, const std::string& defaultVersion,
                                      unsigned seed, const std::map<char, std::string>& versions) {
    std::vector<uint8_t> bytes = MakeFirmware(defaultVersion, seed, versions);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    file.close();
    if (!file) {
        ADD_FAILURE() << "cannot write the firmware file " << path;
        return {};
    }
    return bytes;
}

std::vector<uint8_t> FirmwareSliceOf(const std::vector<uint8_t>& file, char letter) {
    const FirmwareSlice layout = SliceFor(letter);
    if (file.size() < size_t(layout.offset + layout.size))
        return {};
    return std::vector<uint8_t>(file.begin() + layout.offset,
                                file.begin() + layout.offset + layout.size);
}

} // namespace kw::test
