// The seven sections of the main window and the page each one shows. A page
// joins by adding its case to CreateSectionPage; a section without a page
// shows an empty page area.
#pragma once

class CPageHost;
class QWidget;
class TFDForm;

namespace kw {

enum Section {
    kSectionLines = 0, // TFSLICParametry
    kSectionRouting,   // TFSmerovaciTabulka
    kSectionSmsInput,  // TFLogickyVstup
    kSectionGsmSim,    // TFGSMSIM
    kSectionService,   // TFServis
    kSectionInit,      // TFInicializace
    kSectionSecurity,  // TFZabezpeceni
    kSectionCount
};

// A new page for the section, owned by `parent`; nullptr while the section has
// no page yet. Called once per section when the main window is built.
TFDForm* CreateSectionPage(int section, CPageHost& host, QWidget* parent);

} // namespace kw
