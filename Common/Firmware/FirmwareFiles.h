// The firmware files beside the program: which ones are offered for an upgrade,
// and reading the chosen one whole into the upgrade's buffer.
#pragma once

#include "FirmwareLayout.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kw {

// The default file, used when no candidate was found.
inline constexpr const char* kDefaultFirmwareName = "Kolbra.Bin";

// True for names that start with "Kolbra" and end with ".Bin", "Kolbra.Bin"
// included. Letter case does not matter: the files are often copied from
// systems that do not keep it.
bool IsFirmwareFileName(const std::string& name);

// The names (without folder) of the regular files in `folder` whose name fits,
// whose size is exactly a firmware file's and whose slice for `slice` has a
// digit as the first byte of its version text; in alphabetical order.
std::vector<std::string> FindFirmwareCandidates(const std::string& folder,
                                                const FirmwareSlice& slice);

// The candidates of the first of `folders` that has any (empty entries are
// skipped), with that folder; none anywhere: no names and the first folder.
struct FirmwareCandidates {
    std::string folder;
    std::vector<std::string> names;
};
FirmwareCandidates FindFirmwareCandidates(const std::vector<std::string>& folders,
                                          const FirmwareSlice& slice);

enum class FirmwareLoad { Loaded, CannotOpen, TooShort };

// Fills `buffer` with zeros, resizes it to a firmware file's size and reads up
// to that many bytes of the file into it.
FirmwareLoad LoadFirmwareFile(const std::string& path, std::vector<uint8_t>& buffer);

// The first version byte is a digit or the second one a dot: the slice holds
// firmware a gateway can run.
bool SliceVersionAcceptable(const uint8_t* slice, const FirmwareSlice& layout);

// The 256 bytes of page 238, which a shipped file leaves zero.
bool DeviceAreaEmpty(const uint8_t* slice);

} // namespace kw
