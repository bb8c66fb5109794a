#include "SectionPages.h"

#include "DForm.h"
#include "Inicializace.h"
#include "SLICParametry.h"
#include "Servis.h"

namespace kw {

TFDForm* CreateSectionPage(int section, CPageHost& host, QWidget* parent) {
    switch (section) {
    case kSectionLines:
        return new TFSLICParametry(host, parent);
    case kSectionService:
        return new TFServis(host, parent);
    case kSectionInit:
        return new TFInicializace(host, parent);
    default:
        return nullptr;
    }
}

} // namespace kw
