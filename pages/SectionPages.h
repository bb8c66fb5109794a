// The page each section of the main window shows (sections: config/pages/Pages.h).
#pragma once

#include "Pages.h"

class CPageHost;
class QWidget;
class TFDForm;

namespace kw {

// A new page for the section, owned by `parent`; nullptr for a section without
// one. Called once per section when the main window is built.
TFDForm* CreateSectionPage(int section, CPageHost& host, QWidget* parent);

} // namespace kw
