// The gateway's program memory: the firmware slice of its hardware letter, which
// page and block writes replace, and from which "C" takes the running version.
#pragma once

#include "FirmwareLayout.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kw::sim {

class GatewayFlash {
public:
    // A flash that holds some firmware: filler bytes, a device area of its own
    // (derived from the serial number), the version text and a correct slice sum.
    GatewayFlash(char letter, const std::string& version, const std::string& serial);

    const FirmwareSlice& Layout() const { return m_Layout; }
    const std::vector<uint8_t>& Bytes() const { return m_Bytes; }
    // Replaces the whole content (a saved flash); false when the size is wrong.
    bool Assign(const std::vector<uint8_t>& bytes);

    // Page write of the 256-byte dialect; false when the page lies outside.
    bool WritePage(int page, const uint8_t* data);
    // Block write of the 2048-byte dialect at a byte address; false outside.
    bool WriteBlock(int32_t address, const uint8_t* data);
    // 256 bytes of a page, zeros outside the slice.
    void ReadPage(int page, uint8_t* out) const;

    std::string VersionText() const { return SliceVersionText(m_Bytes.data(), m_Layout); }
    // True once every page or block has been written since the flash was made.
    bool UpgradeComplete() const { return m_UnitsWritten == Units(); }
    int Units() const { return m_Layout.size / m_Layout.blockSize; }

private:
    void MarkWritten(int unit);

    FirmwareSlice m_Layout;
    std::vector<uint8_t> m_Bytes;
    std::vector<bool> m_Written;
    int m_UnitsWritten = 0;
};

} // namespace kw::sim
