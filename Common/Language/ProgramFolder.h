// Where the program's own files live (language files, firmware files, the
// about-box logo): $KOLBRAWIN_PROGRAM_DIR when set; else the executable's folder
// when it holds "L_Init.ini" (a build tree or a portable copy); else the
// installed data folder <prefix>/share/kolbrawin. Always ends with '/'.
#pragma once

#include <string>

namespace kw {

std::string ProgramFolder();

// The folder of the running executable, ending with '/' ("" when unknown).
std::string ExecutableFolder();

// A folder name as the program keeps them: ending with '/' unless empty.
std::string WithSlash(std::string folder);

} // namespace kw
