// CRC-32 as HDLC and Ethernet use it (reflected, all-ones start, inverted result):
// the check the gateway echoes for every firmware block it receives.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kw {

uint32_t Crc32(const uint8_t* data, size_t size);

} // namespace kw
