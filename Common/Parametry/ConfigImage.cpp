#include "ConfigImage.h"

namespace kw {

uint16_t RegionSum(const uint8_t* image, const ImageRegion& region) {
    uint32_t sum = 0;
    const uint8_t* bytes = image + region.begin;
    for (int32_t i = 0; i < region.size - 2; ++i)
        sum += bytes[i];
    return static_cast<uint16_t>(sum);
}

void StoreRegionChecksum(uint8_t* image, const ImageRegion& region) {
    const auto stored = static_cast<uint16_t>(~RegionSum(image, region));
    uint8_t* end = image + region.begin + region.size - 2;
    end[0] = static_cast<uint8_t>(stored);
    end[1] = static_cast<uint8_t>(stored >> 8);
}

bool RegionChecksumValid(const uint8_t* image, const ImageRegion& region) {
    const uint8_t* end = image + region.begin + region.size - 2;
    const auto stored = static_cast<uint16_t>(end[0] | (end[1] << 8));
    return static_cast<uint16_t>(~stored) == RegionSum(image, region);
}

} // namespace kw
