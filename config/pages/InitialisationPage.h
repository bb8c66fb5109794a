// The initialisation page as data: nine buttons, each putting one group of
// parameters back to its defaults once the user has confirmed it, and the
// groups themselves. Widget-free, so the reset is the same everywhere.
#pragma once

#include "PageDeclaration.h"

#include <string_view>
#include <vector>

class CParameters;

namespace kw::pages {

enum class ResetGroup {
    FxsLine,
    FxoLine,
    FxsRouting,
    FxoRouting,
    GsmRouting,
    GsmSim,
    SmsInput,
    Banks,
    All
};

struct TResetButton {
    std::string_view name; // the button's objectName
    int word;              // its caption
    int question;          // the word asked before the reset
    ResetGroup group;
    Variants variants;
};

// In the order they stand on the page, the first at the top.
const std::vector<TResetButton>& ResetButtons();

// The parameters of a group in reset order (All: every group, then the
// service and security settings).
std::vector<std::string_view> ResetGroupParameters(ResetGroup group);

// Every parameter of the group back to its default in all its rows; the
// modified flag is left as it was.
void ResetToDefaults(CParameters& parameters, ResetGroup group);

} // namespace kw::pages
