#include "FirmwareInfo.h"

#include "Fatal.h"
#include "FirmwareFiles.h"

#include <cstdio>

namespace kw {
namespace {

std::string Hex(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", value);
    return text;
}

} // namespace

std::string PrintableText(const std::string& text) {
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
            out += c;
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            out += escaped;
        }
    }
    return out;
}

std::vector<TSliceInfo> InspectFirmware(const std::vector<uint8_t>& file) {
    KW_ASSERT(file.size() == size_t(kFirmwareFileSize));
    std::vector<TSliceInfo> slices;
    for (const char letter : {'A', 'D', 'C', 'E', 'F', 'G'}) {
        const FirmwareSlice layout = SliceFor(letter);
        const uint8_t* slice = file.data() + layout.offset;
        TSliceInfo info{letter,
                        SliceVersionText(slice, layout),
                        SliceVersionAcceptable(slice, layout),
                        StoredSliceSum(slice, layout),
                        SliceSum(slice, layout),
                        TSliceInfo::DeviceArea::None};
        if (layout.hasDeviceArea)
            info.deviceArea =
                DeviceAreaEmpty(slice) ? TSliceInfo::DeviceArea::Zero : TSliceInfo::DeviceArea::Set;
        slices.push_back(info);
    }
    return slices;
}

std::string DescribeSlice(const TSliceInfo& info) {
    std::string line(1, info.letter);
    line += "  version \"" + PrintableText(info.version) + "\"";
    line += info.versionAcceptable ? " (valid)" : " (not valid firmware)";
    line += "  sum " + Hex(info.storedSum);
    line += info.SumHolds() ? " ok" : " wrong, computed " + Hex(info.computedSum);
    switch (info.deviceArea) {
    case TSliceInfo::DeviceArea::None:
        line += "  no device area";
        break;
    case TSliceInfo::DeviceArea::Zero:
        line += "  device area zero (filled from the gateway)";
        break;
    case TSliceInfo::DeviceArea::Set:
        line += "  device area set (sent as it stands)";
        break;
    }
    return line;
}

} // namespace kw
