#include "FirmwareFile.h"

#include "FirmwareLayout.h"
#include "SyntheticFirmware.h"

#include <gtest/gtest.h>

#include <fstream>

namespace kw::test {

std::vector<uint8_t> MakeFirmware(const std::string& defaultVersion, unsigned seed,
                                  const std::map<char, std::string>& versions) {
    return SyntheticFirmware(defaultVersion, seed, versions);
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
