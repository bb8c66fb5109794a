#include "GatewayFlash.h"

#include <algorithm>
#include <cstring>

namespace kw::sim {

GatewayFlash::GatewayFlash(char letter, const std::string& version, const std::string& serial)
    : m_Layout(SliceFor(letter)), m_Bytes(m_Layout.size),
      m_Written(m_Layout.size / m_Layout.blockSize, false) {
    // Filler that differs per letter, so a slice sent for the wrong letter shows.
    for (size_t i = 0; i < m_Bytes.size(); ++i)
        m_Bytes[i] = static_cast<uint8_t>((i * 7 + i / 256 + m_Layout.letter) & 0xFF);
    if (m_Layout.hasDeviceArea) {
        uint8_t* area = m_Bytes.data() + kDeviceAreaOffset;
        for (int i = 0; i < kDeviceAreaSize; ++i)
            area[i] = static_cast<uint8_t>(0xA0 + i % 16);
        std::memcpy(area, serial.data(), std::min<size_t>(serial.size(), kDeviceAreaSize));
    }
    uint8_t* text = m_Bytes.data() + m_Layout.VersionOffset();
    std::memset(text, 0, kVersionTextSize);
    std::memcpy(text, version.data(),
                std::min<size_t>(version.size(), m_Layout.VersionTextMax() - 1));
    StoreSliceSum(m_Bytes.data(), m_Layout);
}

bool GatewayFlash::Assign(const std::vector<uint8_t>& bytes) {
    if (bytes.size() != m_Bytes.size())
        return false;
    m_Bytes = bytes;
    return true;
}

void GatewayFlash::MarkWritten(int unit) {
    if (!m_Written[unit]) {
        m_Written[unit] = true;
        ++m_UnitsWritten;
    }
}

bool GatewayFlash::WritePage(int page, const uint8_t* data) {
    if (page < 0 || (page + 1) * kPageSize > m_Layout.size)
        return false;
    std::memcpy(m_Bytes.data() + page * kPageSize, data, kPageSize);
    // A unit is a page in the page dialect; in the block dialect a page write
    // is an oddity that does not count towards a complete upgrade.
    if (m_Layout.PageDialect())
        MarkWritten(page);
    return true;
}

bool GatewayFlash::WriteBlock(int32_t address, const uint8_t* data) {
    if (address < 0 || address > m_Layout.size - kFirmwareBlockSize)
        return false;
    std::memcpy(m_Bytes.data() + address, data, kFirmwareBlockSize);
    if (!m_Layout.PageDialect() && address % kFirmwareBlockSize == 0)
        MarkWritten(address / kFirmwareBlockSize);
    return true;
}

void GatewayFlash::ReadPage(int page, uint8_t* out) const {
    if (page < 0 || (page + 1) * kPageSize > m_Layout.size) {
        std::memset(out, 0, kPageSize);
        return;
    }
    std::memcpy(out, m_Bytes.data() + page * kPageSize, kPageSize);
}

} // namespace kw::sim
