// What the backups and the link traces share: owner-only folders under the data
// folder and names made from the local time.
#pragma once

#include <ctime>
#include <filesystem>
#include <string>

namespace kw {

// YYYY-MM-DD_HH-MM-SS, local time.
std::string FileTimeText(std::time_t when);

// Creates an owner-only folder, or makes an existing one owner-only. A link or
// a file in its place is refused rather than followed; `error` says why.
bool OwnerOnlyFolder(const std::filesystem::path& folder, std::string& error);

} // namespace kw
