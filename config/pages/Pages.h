// The declaration of every section page (see PageDeclaration.h). Each is built
// once, on first use, and lives as long as the program.
#pragma once

#include "PageDeclaration.h"

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
