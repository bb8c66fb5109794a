#include "SectionPages.h"

#include "GSMSIM.h"
#include "Inicializace.h"
#include "LogickyVstup.h"
#include "SLICParametry.h"
#include "Servis.h"
#include "SmerovaciTabulka.h"
#include "Zabezpeceni.h"

namespace kw {
namespace {

template <typename TPage> TFDForm* Make(CPageHost& host, QWidget* parent) {
    return new TPage(host, parent);
}

// In section order.
constexpr TFDForm* (*kMakers[])(CPageHost&, QWidget*) = {
    Make<TFSLICParametry>, Make<TFSmerovaciTabulka>, Make<TFLogickyVstup>, Make<TFGSMSIM>,
    Make<TFServis>,        Make<TFInicializace>,     Make<TFZabezpeceni>};
static_assert(std::size(kMakers) == kSectionCount);

} // namespace

TFDForm* CreateSectionPage(int section, CPageHost& host, QWidget* parent) {
    return section >= 0 && section < kSectionCount ? kMakers[section](host, parent) : nullptr;
}

} // namespace kw
