#include "SyntheticFirmware.h"

#include "FirmwareLayout.h"

#include <algorithm>
#include <cstring>
#include <random>

namespace kw {

std::vector<uint8_t> SyntheticFirmware(const std::string& defaultVersion, unsigned seed,
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

} // namespace kw
