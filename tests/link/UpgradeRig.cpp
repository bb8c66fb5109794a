#include "UpgradeRig.h"

#include "FirmwareFile.h"
#include "FirmwareLayout.h"

#include <algorithm>
#include <cstring>
#include <fstream>

namespace kw::test {

Bytes GatewayDeviceArea() {
    Bytes area(kDeviceAreaSize);
    for (int i = 0; i < kDeviceAreaSize; ++i)
        area[size_t(i)] = static_cast<uint8_t>(0x30 + (i * 11) % 200);
    return area;
}

Bytes WithGatewayDeviceArea(Bytes slice, char letter) {
    const FirmwareSlice layout = SliceFor(letter);
    const Bytes area = GatewayDeviceArea();
    std::copy(area.begin(), area.end(), slice.begin() + kDeviceAreaOffset);
    StoreSliceSum(slice.data(), layout);
    return slice;
}

int CountLines(const std::vector<std::string>& lines, const std::string& line) {
    return static_cast<int>(std::count(lines.begin(), lines.end(), line));
}

size_t IndexOf(const std::vector<std::string>& lines, const std::string& line, size_t from) {
    const auto found =
        std::find(lines.begin() + long(std::min(from, lines.size())), lines.end(), line);
    return found == lines.end() ? std::string::npos : size_t(found - lines.begin());
}

UpgradeRig::UpgradeRig() {
    link.Tap().Add([this](const TLinkTapEvent& event) {
        if (event.Sent())
            tapped.push_back(event);
    });
    user.SetVersionAnswer(true);
}

void UpgradeRig::StartSim(char letter, std::vector<std::string> options) {
    // The firmware it runs now: another file's slice with the gateway's page 238.
    Bytes flash = FirmwareSliceOf(MakeFirmware("1.07", 99), letter);
    if (SliceFor(letter).hasDeviceArea)
        flash = WithGatewayDeviceArea(flash, letter);
    {
        std::ofstream file(sim.Path("flash.bin"), std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(flash.data()), std::streamsize(flash.size()));
    }
    options.insert(options.end(),
                   {"--hw", std::string(1, letter), "--flash", sim.Path("flash.bin")});
    ASSERT_TRUE(sim.Start(options));
    link.SetComPort(sim.LinkPath());
}

Bytes UpgradeRig::MakeFile(const std::string& name, const std::string& version, unsigned seed,
                           const std::map<char, std::string>& versions) {
    return MakeFirmwareFile(program.Path(name), version, seed, versions);
}

void UpgradeRig::WriteFile(const std::string& name, const Bytes& bytes) {
    program.Write(name, std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

TUpgradeHost UpgradeRig::Host() {
    return TUpgradeHost{link, user, Folder(), firmware, {}, failureLimit};
}

Bytes UpgradeRig::FlashAfterStop() {
    sim.Stop();
    const std::string bytes = ReadFileBytes(sim.Path("flash.bin"));
    return Bytes(bytes.begin(), bytes.end());
}

std::vector<std::string> UpgradeRig::RawWrites() const {
    std::vector<std::string> writes;
    for (const TLinkTapEvent& event : tapped)
        if (event.kind == TLinkTapEvent::Kind::Raw)
            writes.push_back(event.bytes);
    return writes;
}

} // namespace kw::test
