#include "MonitorRules.h"

#include "Words.h"

namespace kw {
namespace {

constexpr long kHighestSignal = 32;
constexpr int kAccessGsm = 0;
constexpr int kAccessUmts = 2;

// "Maker, Inc." shows as "Maker"; a text that starts with the comma stays whole.
std::string BeforeFirstComma(const std::string& text) {
    const size_t comma = text.find(',');
    return comma == std::string::npos || comma == 0 ? text : text.substr(0, comma);
}

// One maker's revision texts carry a long tail after the version itself.
std::string ShortRevision(const std::string& text) {
    if (text.find("Sierra") == std::string::npos)
        return text;
    const size_t space = text.find(' ');
    return space == std::string::npos || space == 0 ? text : text.substr(0, space);
}

void Append(std::string& text, const std::string& part) {
    if (part.empty())
        return;
    if (!text.empty())
        text += ' ';
    text += part;
}

} // namespace

std::string ModuleText(const std::optional<std::string>& manufacturer,
                       const std::optional<std::string>& model,
                       const std::optional<std::string>& revision) {
    std::string text;
    if (manufacturer)
        Append(text, BeforeFirstComma(*manufacturer));
    if (model)
        Append(text, *model);
    if (revision)
        Append(text, ShortRevision(*revision));
    return text;
}

std::string OperatorText(const std::string& name, const std::optional<TAtOperatorCode>& code) {
    std::string text = name;
    if (!code)
        return text;
    Append(text, "(" + code->code + ")");
    if (code->accessTechnology == kAccessGsm)
        text += " GSM";
    else if (code->accessTechnology == kAccessUmts)
        text += " UMTS";
    return text;
}

TMonitorValue CallValue(const TAtCalls& calls) {
    if (!calls.readable)
        return TMonitorValue::Word(word::kValueNotAvailable);
    if (!calls.first)
        return TMonitorValue::Word(word::kNoCall);
    return {calls.first->direction == 0 ? word::kOutgoingCall : word::kIncomingCall,
            " (" + calls.first->number + ")"};
}

void ShowSignal(CMonitorDisplay& display, const std::optional<long>& quality) {
    if (quality && *quality >= 0 && *quality <= kHighestSignal) {
        display.ShowSignalBar(static_cast<int>(*quality));
        return;
    }
    // 99 (not known) keeps the label's text.
    if (!quality)
        display.ShowValue(MonitorRow::Signal, TMonitorValue::Word(word::kValueNotAvailable));
    display.ShowSignalLabel();
}

} // namespace kw
