#include "PageQuery.h"

#include "HardwareVariant.h"
#include "Language.h"
#include "Pages.h"
#include "ParBasic.h"

#include <algorithm>
#include <cctype>
#include <climits>

namespace kw::pages {
namespace {

bool Edits(const TRow& row) {
    return row.kind != Kind::Display;
}

// The item a list selects for a value: the first carrying it, else the first.
int ListIndex(const TRow& row, const std::string& value) {
    const int64_t number = std::clamp<int64_t>(ParseNumber(value), INT_MIN, INT_MAX);
    const auto it = std::find(row.items.begin(), row.items.end(), number);
    return it == row.items.end() ? 0 : static_cast<int>(it - row.items.begin());
}

// A grid cell names an item only when it holds a whole number and nothing else.
int CellIndex(const TRow& row, const std::string& value) {
    size_t begin = value.find_first_not_of(" \t\n\v\f\r");
    const size_t end = value.find_last_not_of(" \t\n\v\f\r");
    if (begin == std::string::npos)
        return -1;
    const bool negative = value[begin] == '-';
    if (value[begin] == '+' || negative)
        ++begin;
    if (begin > end || end - begin > 9)
        return -1;
    int64_t number = 0;
    for (size_t i = begin; i <= end; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(value[i])))
            return -1;
        number = number * 10 + (value[i] - '0');
    }
    const auto it = std::find(row.items.begin(), row.items.end(), negative ? -number : number);
    return it == row.items.end() ? -1 : static_cast<int>(it - row.items.begin());
}

} // namespace

const std::vector<const TPage*>& SectionPages() {
    static const std::vector<const TPage*> kPages = {
        &LinesPage(),   &RoutingPage(),        &SmsInputPage(), &GsmSimPage(),
        &ServicePage(), &InitialisationPage(), &SecurityPage()};
    return kPages;
}

bool Shows(Variants which, const std::string& variant) {
    switch (which) {
    case Variants::All:
        return true;
    case Variants::FxoLine:
        return HasFxoLine(variant);
    case Variants::NoFxoLine:
        return !HasFxoLine(variant);
    case Variants::RemoteSupervision:
        return HasRemoteSupervision(variant);
    case Variants::PowerSupply:
        return HasPowerSupply(variant);
    }
    return false;
}

Variants VariantsOf(const TPage& page, const TGroup& group) {
    if (group.variants != Variants::All || group.in.empty())
        return group.variants;
    for (const TSheet& sheet : page.sheets)
        if (sheet.name == group.in)
            return sheet.variants;
    // An inner tab control's sheet: as the group holding the tab control.
    for (const TGroup& holder : page.groups)
        for (const TRow& row : holder.rows)
            if (row.kind == Kind::Tabs && row.name == group.in)
                return VariantsOf(page, holder);
    return Variants::All;
}

Variants VariantsOf(const TPage& page, const TGroup& group, const TRow& row) {
    return row.variants != Variants::All ? row.variants : VariantsOf(page, group);
}

std::optional<TPlace> FindRow(std::string_view param, int valueRow, const std::string& variant) {
    for (bool editing : {true, false})
        for (const TPage* page : SectionPages())
            for (const TGroup& group : page->groups)
                for (const TRow& row : group.rows)
                    if (!param.empty() && row.param == param && Edits(row) == editing &&
                        (row.row == valueRow || row.row == kEveryRow) &&
                        Shows(VariantsOf(*page, group, row), variant))
                        return TPlace{page, &group, &row};
    return std::nullopt;
}

std::string DisplayedValue(const TRow& row, const std::string& value, const CLanguage& language) {
    switch (row.kind) {
    case Kind::List:
        return language.GetItem(row.ItemsWord(), ListIndex(row, value));
    case Kind::GridList: {
        const int index = CellIndex(row, value);
        return index < 0 ? std::string() : language.GetItem(row.ItemsWord(), index);
    }
    case Kind::Check:
    case Kind::InvertedCheck:
        return std::string(
            (ParseNumber(value) != 0) != (row.kind == Kind::InvertedCheck) ? kTicked : kUnticked);
    case Kind::Track: {
        // A position below the track bar's start shows at its start.
        const int64_t position = ParseNumber(value);
        return std::to_string(row.min != kCatalogueMin ? std::max<int64_t>(position, row.min)
                                                       : position);
    }
    default:
        return value;
    }
}

} // namespace kw::pages
