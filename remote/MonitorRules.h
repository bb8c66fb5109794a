// How the monitor turns a module's answers into what its rows show: the
// manufacturer's comma and one maker's revision tail, the operator with its
// code and radio technology, the call, and the signal bar.
#pragma once

#include "AtReply.h"
#include "MonitorDisplay.h"

#include <optional>
#include <string>

namespace kw {

// Manufacturer, model and revision joined by single spaces; parts the module
// did not give are left out. Empty when it gave none.
std::string ModuleText(const std::optional<std::string>& manufacturer,
                       const std::optional<std::string>& model,
                       const std::optional<std::string>& revision);

// The operator's name, its numeric code in parentheses and " GSM" or " UMTS"
// for those access technologies. Empty when the module gave neither.
std::string OperatorText(const std::string& name, const std::optional<TAtOperatorCode>& code);

// The call row for an answered "AT+CLCC": no call, the first call's direction
// and number, or "not available" when its line cannot be read.
TMonitorValue CallValue(const TAtCalls& calls);

// The signal row for an answered "AT+CSQ": the bar for 0 to 32; the text label
// otherwise, saying "not available" when the reply held no number.
void ShowSignal(CMonitorDisplay& display, const std::optional<long>& quality);

} // namespace kw
