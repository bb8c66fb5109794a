// The seven sections of the main window, in the order the section list shows
// them, and the declaration of each one's page (see PageDeclaration.h). Each
// declaration is built once, on first use, and lives as long as the program.
#pragma once

#include "PageDeclaration.h"

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

namespace kw::pages {

const TPage& LinesPage();
const TPage& RoutingPage();
const TPage& SmsInputPage();
const TPage& GsmSimPage();
const TPage& ServicePage();
// Its nine buttons are declared in InitialisationPage.h; it shows no parameter.
const TPage& InitialisationPage();
const TPage& SecurityPage();

} // namespace kw::pages
