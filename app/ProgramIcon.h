// The program's own icon for its windows, taken from the icon files of the
// installation (or build tree) it runs from, so a moved or unpacked tree shows
// it too; the desktop's icon theme is asked only when those are missing.
#pragma once

#include <QIcon>

#include <string>

namespace kw {

// `dataRoot` is the installation's shared data folder (<prefix>/share/), ending with '/'.
QIcon ProgramIcon(const std::string& dataRoot);

} // namespace kw
