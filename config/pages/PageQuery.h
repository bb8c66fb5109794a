// Questions about the section pages that need no widgets: which page, group and
// row show a parameter, and the text a page shows for a value. The command line,
// comparisons and reports ask here; the pages are built from the same data.
#pragma once

#include "PageDeclaration.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CLanguage;

namespace kw::pages {

// The section pages, indexed by kw::Section.
const std::vector<const TPage*>& SectionPages();

// Whether a variant code ("" for none) has what `which` names.
bool Shows(Variants which, const std::string& variant);
// The variants that have a group: its own, else those of the sheet or the inner
// tab control it lies in.
Variants VariantsOf(const TPage& page, const TGroup& group);
// The same for a row of the group.
Variants VariantsOf(const TPage& page, const TGroup& group, const TRow& row);

struct TPlace {
    const TPage* page = nullptr;
    const TGroup* group = nullptr;
    const TRow* row = nullptr;
};

// The control that edits row `valueRow` of a parameter on a gateway of the
// variant, or, when none edits it, the first display that shows it; nothing
// when no page shows it for that variant.
std::optional<TPlace> FindRow(std::string_view param, int valueRow = 0,
                              const std::string& variant = {});

inline constexpr std::string_view kTicked = "\u2611";   // a ticked check box
inline constexpr std::string_view kUnticked = "\u2610"; // a check box not ticked

// The text the page shows for a value: a list the text of the item carrying it
// in the loaded language (a value no item carries shows the first item, in a
// grid nothing), a check box kTicked or kUnticked, a track bar its position.
// Every other value is shown as it is: the registry's bytes (Windows-1252),
// where the texts above are UTF-8 as the language gives them.
std::string DisplayedValue(const TRow& row, const std::string& value, const CLanguage& language);

} // namespace kw::pages
