// Where the program keeps its files. The data folder (the application INI) is
// "KolbraWin program" under the user's documents folder; the program folder
// (language files, firmware files, the about-box logo) is the executable's
// folder when it holds "L_Init.ini", else the installed share folder.
// KOLBRAWIN_DATA_DIR and KOLBRAWIN_PROGRAM_DIR override them, which keeps tests
// and portable use away from the user's real files. Both end in a separator.
#pragma once

#include <string>

namespace kw {

// Determines the data folder and creates every missing level of it.
std::string DataFolder();
std::string ProgramFolder();
// The application INI inside the data folder.
std::string SettingsFilePath(const std::string& dataFolder);

} // namespace kw
