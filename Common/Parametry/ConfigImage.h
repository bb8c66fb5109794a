// The 12288-byte configuration image and the checksums of its two transferred
// regions: the one's complement of the 16-bit byte sum, stored low byte first
// in the last two bytes of the region.
#pragma once

#include <cstdint>

namespace kw {

inline constexpr int32_t kImageSize = 12288;

struct ImageRegion {
    char letter;   // 'A' or 'B', as messages name them
    int32_t begin; // first image byte
    int32_t size;  // bytes including the checksum
};

inline constexpr ImageRegion kRegionA{'A', 0, 2048};
inline constexpr ImageRegion kRegionB{'B', 4096, 8192};

// Sum of the region's bytes before its checksum, modulo 65536.
uint16_t RegionSum(const uint8_t* image, const ImageRegion& region);
void StoreRegionChecksum(uint8_t* image, const ImageRegion& region);
bool RegionChecksumValid(const uint8_t* image, const ImageRegion& region);

} // namespace kw
