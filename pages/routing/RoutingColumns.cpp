#include "RoutingColumns.h"

#include "Fatal.h"
#include "Pages.h"

namespace kw::routing {

bool IsDefaultTable(TableId table) {
    return table == TableId::FXSDef || table == TableId::FXODef || table == TableId::GSMDef;
}

TableId MainTableOf(TableId table) {
    switch (table) {
    case TableId::FXSDef:
        return TableId::FXS;
    case TableId::FXODef:
        return TableId::FXO;
    case TableId::GSMDef:
        return TableId::GSM;
    default:
        return table;
    }
}

TableId DefaultTableOf(TableId mainTable) {
    switch (mainTable) {
    case TableId::FXS:
        return TableId::FXSDef;
    case TableId::FXO:
        return TableId::FXODef;
    default:
        return TableId::GSMDef;
    }
}

const pages::TGroup& Declaration(TableId table) {
    static constexpr std::string_view kNames[] = {"TabFXS",    "TabFXSDef", "TabFXO",
                                                  "TabFXODef", "TabGSM",    "TabGSMDef"};
    const std::string_view name = kNames[static_cast<int>(table)];
    for (const pages::TGroup& group : pages::RoutingPage().groups)
        if (group.name == name)
            return group;
    KW_ASSERT_TEXT(false, "every routing table is declared");
    return pages::RoutingPage().groups.front();
}

int DefaultColumnOffset(TableId defaultTable) {
    KW_ASSERT(IsDefaultTable(defaultTable));
    return MainTableOf(defaultTable) == TableId::GSM ? 2 : 1;
}

} // namespace kw::routing
