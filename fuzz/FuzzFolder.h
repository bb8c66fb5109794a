// A private folder for targets whose reader takes a file: made on first use
// (in memory when /dev/shm is there), removed when the run ends.
#pragma once

#include <string>

namespace kw::fuzz {

// The folder, ending in '/'.
const std::string& FuzzFolder();
// Writes `bytes` to FuzzFolder() + name and returns the path; aborts when it cannot.
std::string WriteFuzzFile(const std::string& name, const std::string& bytes);

} // namespace kw::fuzz
