// What a firmware file holds for each hardware letter, as the file tool shows
// it: the version text, whether the slice sum holds, and the device area.
#pragma once

#include "FirmwareLayout.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kw {

struct TSliceInfo {
    enum class DeviceArea { None, Zero, Set };

    char letter;
    std::string version; // the zero-terminated text at the version position
    bool versionAcceptable;
    uint32_t storedSum;   // the slice's last four bytes
    uint32_t computedSum; // of all bytes before them
    DeviceArea deviceArea;

    bool SumHolds() const { return storedSum == computedSum; }
};

// The slices of a whole firmware file, in file order (A, D, C, E, F, G);
// `file` must hold kFirmwareFileSize bytes.
std::vector<TSliceInfo> InspectFirmware(const std::vector<uint8_t>& file);

// Bytes outside printable ASCII (and the backslash) as \xNN, so a version text
// from a file or a gateway prints safely on a terminal.
std::string PrintableText(const std::string& text);

// One line per slice, for a terminal.
std::string DescribeSlice(const TSliceInfo& info);

} // namespace kw
