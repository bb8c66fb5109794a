// Where the program keeps the user's files: the data folder (the application
// INI) is "KolbraWin program" under the user's documents folder, or "kolbrawin"
// in the XDG data folder ($XDG_DATA_HOME, ~/.local/share) when the documents
// folder cannot be had. KOLBRAWIN_DATA_DIR overrides it, which keeps tests and
// portable use away from the user's real files. (The program folder is
// kw::ProgramFolder of the language module.)
#pragma once

#include <string>

namespace kw {

// Determines the data folder and creates every missing level of it.
// Ends in a separator.
std::string DataFolder();
// The application INI inside the data folder.
std::string SettingsFilePath(const std::string& dataFolder);

} // namespace kw
