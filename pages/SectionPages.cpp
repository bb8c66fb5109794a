#include "SectionPages.h"

#include "DForm.h"
#include "GSMSIM.h"
#include "Inicializace.h"
#include "LogickyVstup.h"
#include "SLICParametry.h"
#include "Servis.h"
#include "SmerovaciTabulka.h"
#include "Zabezpeceni.h"

namespace kw {

TFDForm* CreateSectionPage(int section, CPageHost& host, QWidget* parent) {
    switch (section) {
    case kSectionLines:
        return new TFSLICParametry(host, parent);
    case kSectionRouting:
        return new TFSmerovaciTabulka(host, parent);
    case kSectionSmsInput:
        return new TFLogickyVstup(host, parent);
    case kSectionGsmSim:
        return new TFGSMSIM(host, parent);
    case kSectionService:
        return new TFServis(host, parent);
    case kSectionInit:
        return new TFInicializace(host, parent);
    case kSectionSecurity:
        return new TFZabezpeceni(host, parent);
    default:
        return nullptr;
    }
}

} // namespace kw
