// Where the program's own files live (language files, firmware files, the
// about-box logo): $KOLBRAWIN_PROGRAM_DIR when set; else the executable's folder
// when it holds "L_Init.ini" (a build tree or a portable copy); else the
// installed data folder <prefix>/share/kolbrawin, found from the executable's
// folder so a moved installation still works. Always ends with '/'.
#pragma once

#include <string>

namespace kw {

std::string ProgramFolder();

// The program folder for an executable in `exeFolder` (ending with '/'),
// without the environment's override.
std::string ProgramFolderBeside(const std::string& exeFolder);

// The shared data folder (<prefix>/share/) of the installation whose
// programs lie in `exeFolder`; ends with '/'.
std::string DataRootBeside(const std::string& exeFolder);

// The folder of the running executable, ending with '/' ("" when unknown).
std::string ExecutableFolder();

// A folder name as the program keeps them: ending with '/' unless empty.
std::string WithSlash(std::string folder);

} // namespace kw
