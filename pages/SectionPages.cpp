#include "SectionPages.h"

#include "DForm.h"

namespace kw {

TFDForm* CreateSectionPage(int section, CPageHost& host, QWidget* parent) {
    (void)host;
    (void)parent;
    switch (section) {
    // Each page adds its line here, e.g.
    //     case kSectionLines: return new TFSLICParametry(host, parent);
    default:
        return nullptr;
    }
}

} // namespace kw
