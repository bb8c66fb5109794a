// Layout of a firmware file: one slice per hardware letter, each ending in a
// version text and a 32-bit byte sum, most with a device area the gateway fills.
#pragma once

#include <cstdint>
#include <string>

namespace kw {

inline constexpr int32_t kFirmwareFileSize = 430080;
inline constexpr int32_t kPageSize = 256;
inline constexpr int32_t kFirmwareBlockSize = 2048;
// Page 238 holds data of the individual gateway; a firmware file leaves it zero.
inline constexpr int32_t kDeviceAreaPage = 238;
inline constexpr int32_t kDeviceAreaOffset = kDeviceAreaPage * kPageSize; // 60928
inline constexpr int32_t kDeviceAreaSize = kPageSize;
inline constexpr int32_t kVersionTextSize = 16;
// Block writes above this address need the "Q" command instead of "K".
inline constexpr int32_t kHighBlockAddress = 65536;

struct FirmwareSlice {
    char letter;       // the table's letter (G also stands for unknown letters)
    int32_t offset;    // in the firmware file
    int32_t size;      // bytes of the slice
    int32_t blockSize; // 256 (pages) for A, 2048 otherwise
    bool hasDeviceArea;

    int32_t Blocks() const { return size / blockSize; }
    int32_t VersionOffset() const { return size - kVersionTextSize; }
    int32_t SumOffset() const { return size - 4; }
    int32_t VersionTextMax() const { return SumOffset() - VersionOffset(); }
    bool PageDialect() const { return blockSize == kPageSize; }
};

// The slice of a hardware letter; any letter outside A, C, D, E, F takes G's.
FirmwareSlice SliceFor(char letter);

// Sum of the slice's bytes before its last four, modulo 2^32.
uint32_t SliceSum(const uint8_t* slice, const FirmwareSlice& layout);
uint32_t StoredSliceSum(const uint8_t* slice, const FirmwareSlice& layout);
void StoreSliceSum(uint8_t* slice, const FirmwareSlice& layout);

// The zero-terminated text at the version position; it ends at the latest where
// the slice sum begins (12 bytes).
std::string SliceVersionText(const uint8_t* slice, const FirmwareSlice& layout);
// Firmware that can run: the text starts with a digit or has "." second.
bool IsValidFirmwareVersion(const std::string& text);

} // namespace kw
