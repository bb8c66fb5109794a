#include "BankTime.h"

#include "ParBasic.h"

#include <algorithm>
#include <cstdio>

namespace kw::routing {
namespace {

// At least two digits, as "%.2i" prints them.
std::string TwoDigits(int64_t number) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2lld", static_cast<long long>(number));
    return text;
}

} // namespace

TRemainTime FormatRemainTime(const std::string& minutes, const std::string& seconds) {
    const int64_t s = kw::ParseNumber(seconds);
    if (s >= 0 && (s & 0x80) != 0)
        return {"-" + minutes + ":" + TwoDigits(std::min<int64_t>(s & 0x7F, 59)), true};
    return {minutes + ":" + TwoDigits(std::clamp<int64_t>(s, 0, 59)), false};
}

std::string FormatTransferDate(const std::string& year, const std::string& month,
                               const std::string& day) {
    return TwoDigits(kw::ParseNumber(year)) + "/" + TwoDigits(kw::ParseNumber(month)) + "/" +
           TwoDigits(kw::ParseNumber(day));
}

} // namespace kw::routing
