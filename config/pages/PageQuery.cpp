#include "PageQuery.h"

#include "HardwareVariant.h"
#include "Language.h"
#include "Pages.h"
#include "ParBasic.h"

#include <algorithm>
#include <charconv>

namespace kw::pages {
namespace {

// The item carrying a number, -1 when none does.
int IndexOf(const TRow& row, int64_t number) {
    const auto it = std::find(row.items.begin(), row.items.end(), number);
    return it == row.items.end() ? -1 : static_cast<int>(it - row.items.begin());
}

// A grid cell names an item only when it holds a whole number and nothing else.
int CellIndex(const TRow& row, const std::string& value) {
    constexpr const char* kBlanks = " \t\n\v\f\r";
    const size_t first = value.find_first_not_of(kBlanks);
    if (first == std::string::npos)
        return -1;
    const std::string_view number(value.data() + first,
                                  value.find_last_not_of(kBlanks) - first + 1);
    const bool plus = number.front() == '+' && number.size() > 1 && number[1] != '-';
    int parsed = 0;
    const auto [end, error] =
        std::from_chars(number.data() + (plus ? 1 : 0), number.data() + number.size(), parsed);
    return error == std::errc() && end == number.data() + number.size() ? IndexOf(row, parsed) : -1;
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
                    if (!param.empty() && row.param == param && (row.kind != Kind::Display) == editing &&
                        (row.row == valueRow || row.row == kEveryRow) &&
                        Shows(VariantsOf(*page, group, row), variant))
                        return TPlace{page, &group, &row};
    return std::nullopt;
}

std::string DisplayedValue(const TRow& row, const std::string& value, const CLanguage& language) {
    switch (row.kind) {
    case Kind::List: {
        // A value no item carries shows the first item.
        const int index = IndexOf(row, ParseNumber(value));
        return language.GetItem(row.ItemsWord(), index < 0 ? 0 : index);
    }
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
