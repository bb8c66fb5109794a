// The configuration memory of the simulated gateway and the files it persists
// to: the catalogue's default image, whole-file reads and atomic saves.
#pragma once

#include "ConfigImage.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace kw::sim {

using MemoryImage = std::array<uint8_t, kImageSize>;

// Every parameter at its default, both region checksums valid.
MemoryImage DefaultMemoryImage();

// Reads a whole file; false with a reason when it cannot be read.
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& error);

// Writes a file so that a reader sees the old or the new content, never a part:
// a temporary file beside it, renamed over it.
bool SaveFileAtomically(const std::string& path, const uint8_t* data, size_t size,
                        std::string& error);

} // namespace kw::sim
