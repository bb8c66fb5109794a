// Reading what a GSM module answers to the monitor's AT commands. Real modules
// answer untidily: unsolicited result codes (RING, +CREG: ..., +CMTI: ...) and
// an echo of the command line arrive before or between the reply's lines, and
// fields carry extra spaces. These functions keep only the command's own
// information lines, so such noise never changes a value. Pure and bounded:
// nothing reads past the received text, and a missing value is an empty optional.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kw {

// The information lines of a reply to `command` ("AT+CSQ"), in order, trimmed
// of spaces and tabs: the echo, unsolicited result codes and final result codes
// left out. Empty when the reply's start was lost (the receive buffer wrapped
// over a reply longer than itself): such a reply holds no trustworthy value.
std::vector<std::string> AtInformationLines(std::string_view received, std::string_view command);

// The first information line, for the plain queries (manufacturer, model,
// revision, IMEI, IMSI).
std::optional<std::string> AtInformationText(std::string_view received, std::string_view command);

// The text between the first two double quotes of the command's own line
// ("+CSCA:", "+COPS:", "+CCLK:"), leading spaces and tabs skipped.
std::optional<std::string> AtQuotedValue(std::string_view received, std::string_view command);

// The numeric operator code of a "+COPS:" line and its access technology
// (-1 when the line has no such field).
struct TAtOperatorCode {
    std::string code;
    int accessTechnology = -1;
};
std::optional<TAtOperatorCode> AtOperatorCode(std::string_view received, std::string_view command);

// The first call a "+CLCC" reply lists. The number is empty when the module
// gives none.
struct TAtCall {
    int direction = 0; // 0: set up by the module (outgoing); anything else: received
    std::string number;
};
struct TAtCalls {
    bool readable = true;         // false: a "+CLCC:" line without its fields
    std::optional<TAtCall> first; // none: no call
};
TAtCalls AtCalls(std::string_view received, std::string_view command);

// The signal strength of a "+CSQ:" line: the number before its first comma.
std::optional<long> AtSignalQuality(std::string_view received, std::string_view command);

} // namespace kw
