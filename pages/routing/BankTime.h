// The read-only texts of the banks tab: a bank's remaining time and the date of
// the next automatic transfer, as the gateway keeps them.
#pragma once

#include <string>

namespace kw::routing {

struct TRemainTime {
    std::string text;
    bool overdrawn = false; // shown in red
};

// "minutes:seconds" from the texts of RemainMins and RemainSecs. Bit 7 of the
// seconds marks a bank in debt: the time gets a minus sign and the lower seven
// bits are the seconds. Seconds never show above 59 (nor below 0).
TRemainTime FormatRemainTime(const std::string& minutes, const std::string& seconds);

// "yy/mm/dd" from the texts of TransferYear, TransferMonth and TransferDay.
std::string FormatTransferDate(const std::string& year, const std::string& month,
                               const std::string& day);

} // namespace kw::routing
