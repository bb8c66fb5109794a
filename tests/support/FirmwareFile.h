// Synthetic firmware files for tests: the real firmware is the gateway maker's
// and never ships, so tests build files of the right layout themselves.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace kw::test {

// A 430080-byte firmware file: each letter's slice filled with bytes that
// depend on seed and letter, its version text (versions[letter], else
// defaultVersion) at the version position, the device area left zero as a
// shipped file has it, and the slice sum stored.
std::vector<uint8_t> MakeFirmware(const std::string& defaultVersion, unsigned seed = 1,
                                  const std::map<char, std::string>& versions = {});

// The same, written to path; returns the bytes (empty and a test failure when
// the file cannot be written).
std::vector<uint8_t> MakeFirmwareFile(const std::string& path, const std::string& defaultVersion,
                                      unsigned seed = 1,
                                      const std::map<char, std::string>& versions = {});

// The slice of a hardware letter within a firmware file's bytes.
std::vector<uint8_t> FirmwareSliceOf(const std::vector<uint8_t>& file, char letter);

} // namespace kw::test
