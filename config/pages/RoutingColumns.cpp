#include "RoutingColumns.h"

#include "Fatal.h"
#include "Pages.h"

namespace kw::routing {
namespace {

// TableId lists each main table just before its default table.
int IndexOf(TableId table) {
    return static_cast<int>(table);
}

} // namespace

bool IsDefaultTable(TableId table) {
    return IndexOf(table) % 2 == 1;
}

TableId MainTableOf(TableId table) {
    return static_cast<TableId>(IndexOf(table) / 2 * 2);
}

TableId DefaultTableOf(TableId mainTable) {
    return static_cast<TableId>(IndexOf(MainTableOf(mainTable)) + 1);
}

const pages::TGroup& Declaration(TableId table) {
    static constexpr std::string_view kNames[] = {"TabFXS",    "TabFXSDef", "TabFXO",
                                                  "TabFXODef", "TabGSM",    "TabGSMDef"};
    for (const pages::TGroup& group : pages::RoutingPage().groups)
        if (group.name == kNames[IndexOf(table)])
            return group;
    KW_ASSERT_TEXT(false, "every routing table is declared");
    return pages::RoutingPage().groups.front();
}

int DefaultColumnOffset(TableId defaultTable) {
    KW_ASSERT(IsDefaultTable(defaultTable));
    return MainTableOf(defaultTable) == TableId::GSM ? 2 : 1;
}

} // namespace kw::routing
