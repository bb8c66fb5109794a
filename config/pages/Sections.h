// The seven sections of the main window, in the order the section list shows
// them; each has one section page.
#pragma once

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

} // namespace kw
