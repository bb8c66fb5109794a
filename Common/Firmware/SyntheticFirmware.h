// Firmware files of the right layout with made-up content: the real firmware
// is the gateway maker's and never ships, so tests and the simulator's demo
// build their own to upgrade with.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace kw {

// A whole firmware file: each letter's slice filled with bytes that depend on
// seed and letter, its version text (versions[letter], else defaultVersion),
// page 238 left zero as a shipped file has it, and the slice sum stored.
std::vector<uint8_t> SyntheticFirmware(const std::string& defaultVersion, unsigned seed = 1,
                                       const std::map<char, std::string>& versions = {});

} // namespace kw
