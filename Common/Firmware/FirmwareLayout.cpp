#include "FirmwareLayout.h"

#include <cstring>

namespace kw {

FirmwareSlice SliceFor(char letter) {
    switch (letter) {
    case 'A':
        return {'A', 0, 61440, kPageSize, true};
    case 'D':
        return {'D', 61440, 61440, kFirmwareBlockSize, true};
    case 'C':
        return {'C', 122880, 61440, kFirmwareBlockSize, true};
    case 'E':
        return {'E', 184320, 122880, kFirmwareBlockSize, false};
    case 'F':
        return {'F', 307200, 61440, kFirmwareBlockSize, true};
    default:
        return {'G', 368640, 61440, kFirmwareBlockSize, true};
    }
}

uint32_t SliceSum(const uint8_t* slice, const FirmwareSlice& layout) {
    uint32_t sum = 0;
    for (int32_t i = 0; i < layout.SumOffset(); ++i)
        sum += slice[i];
    return sum;
}

uint32_t StoredSliceSum(const uint8_t* slice, const FirmwareSlice& layout) {
    const uint8_t* p = slice + layout.SumOffset();
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

void StoreSliceSum(uint8_t* slice, const FirmwareSlice& layout) {
    const uint32_t sum = SliceSum(slice, layout);
    uint8_t* p = slice + layout.SumOffset();
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(sum >> (8 * i));
}

std::string SliceVersionText(const uint8_t* slice, const FirmwareSlice& layout) {
    const char* text = reinterpret_cast<const char*>(slice + layout.VersionOffset());
    return std::string(text, strnlen(text, layout.VersionTextMax()));
}

bool IsValidFirmwareVersion(const std::string& text) {
    const bool digitFirst = !text.empty() && text[0] >= '0' && text[0] <= '9';
    const bool dotSecond = text.size() >= 2 && text[1] == '.';
    return digitFirst || dotSecond;
}

} // namespace kw
