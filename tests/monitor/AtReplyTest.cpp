// The AT reply reader against replies as real modules send them: unsolicited
// codes and echoes before and between the lines, extra spaces, missing and
// extra fields, and texts cut off. Every row reads one reply with one reader.
#include "AtReply.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

using Reader = std::function<std::string(const std::string& received, const char* command)>;

std::string Or(const std::optional<std::string>& text) {
    return text ? "'" + *text + "'" : "none";
}

const Reader kText = [](const std::string& r, const char* c) {
    return Or(kw::AtInformationText(r, c));
};
const Reader kQuoted = [](const std::string& r, const char* c) {
    return Or(kw::AtQuotedValue(r, c));
};
const Reader kOperator = [](const std::string& r, const char* c) {
    const auto code = kw::AtOperatorCode(r, c);
    return code ? "'" + code->code + "' " + std::to_string(code->accessTechnology) : "none";
};
const Reader kCalls = [](const std::string& r, const char* c) {
    const kw::TAtCalls calls = kw::AtCalls(r, c);
    if (!calls.readable)
        return std::string("unreadable");
    if (!calls.first)
        return std::string("no call");
    return std::to_string(calls.first->direction) + " '" + calls.first->number + "'";
};
const Reader kSignal = [](const std::string& r, const char* c) {
    const auto quality = kw::AtSignalQuality(r, c);
    return quality ? std::to_string(*quality) : "none";
};

struct Case {
    const char* name;
    const Reader& reader;
    const char* command;
    std::string received;
    const char* expected;
};

// A reply longer than the receive buffer leaves only its tail there.
const std::string kWrappedTail = std::string(300, '7') + "\",145\r\n\r\nOK\r\n";

const Case kCases[] = {
    {"plain", kText, "AT+GMI", "\r\nMaker\r\n\r\nOK\r\n", "'Maker'"},
    {"echo before", kText, "AT+GMI", "AT+GMI\r\r\nMaker\r\n\r\nOK\r\n", "'Maker'"},
    {"echo between", kText, "AT+GMI", "\r\nMaker\r\nAT+GMI\r\r\nOK\r\n", "'Maker'"},
    {"echo's last part", kText, "AT+GMI", "MI\r\r\nMaker\r\n\r\nOK\r\n", "'Maker'"},
    {"ring first", kText, "AT+GSN", "\r\nRING\r\n\r\n3512\r\n\r\nOK\r\n", "'3512'"},
    {"spaces around", kText, "AT+GMM", "\r\n \t Model X \t\r\n\r\nOK\r\n", "'Model X'"},
    {"no information", kText, "AT+GMI", "\r\nOK\r\n", "none"},
    {"start lost", kText, "AT+GMI", "ker Ltd\r\n\r\nOK\r\n", "none"},
    {"zero byte ends the text", kText, "AT+GMI", std::string("\r\nMa\0ker\r\nOK\r\n", 14), "'Ma'"},

    {"centre", kQuoted, "AT+CSCA?", "\r\n+CSCA: \"+420602909909\",145\r\n\r\nOK\r\n",
     "'+420602909909'"},
    {"centre after a quoted message code", kQuoted, "AT+CSCA?",
     "\r\n+CMTI: \"SM\",3\r\n\r\n+CSCA: \"+4206\",145\r\n\r\n+CIEV: 2,3\r\n\r\nOK\r\n", "'+4206'"},
    {"centre without closing quote", kQuoted, "AT+CSCA?", "\r\n+CSCA: \"+4206\r\n\r\nOK\r\n",
     "none"},
    {"centre longer than the buffer", kQuoted, "AT+CSCA?", kWrappedTail, "none"},
    {"not registered", kQuoted, "AT+COPS?", "\r\n+COPS: 0\r\n\r\nOK\r\n", "none"},

    {"code with UMTS", kOperator, "AT+COPS?", "\r\n+COPS: 0,2,\"23099\",2\r\n\r\nOK\r\n",
     "'23099' 2"},
    {"code with LTE", kOperator, "AT+COPS?", "\r\n+COPS: 0,2,\"23099\",7\r\n\r\nOK\r\n",
     "'23099' 7"},
    {"code without technology", kOperator, "AT+COPS?", "\r\n+COPS: 0,2,\"23099\"\r\n\r\nOK\r\n",
     "'23099' -1"},
    {"code with a fifth field", kOperator, "AT+COPS?", "\r\n+COPS: 0,2,\"23099\",2,1\r\n\r\nOK\r\n",
     "'23099' 2"},
    {"code with spaces", kOperator, "AT+COPS?", "\r\n+COPS: 0 , 2 , \" 23099\" \t, 2\r\n\r\nOK\r\n",
     "'23099' 2"},
    {"code among codes", kOperator, "AT+COPS?",
     "\r\n+CREG: 1,\"00C3\",\"1A2B\"\r\n\r\n+COPS: 0,2,\"23001\",0\r\nAT+COPS?\r\r\nOK\r\n",
     "'23001' 0"},
    {"code without closing quote", kOperator, "AT+COPS?", "\r\n+COPS: 0,2,\"23099\r\nOK\r\n",
     "none"},
    {"code not registered", kOperator, "AT+COPS?", "\r\n+COPS: 0\r\n\r\nOK\r\n", "none"},
    // Ten digits would not fit an int: read as the largest number, never wrapped.
    {"technology of many digits", kOperator, "AT+COPS?",
     "\r\n+COPS: 0,2,\"23099\",+420602909909\r\n\r\nOK\r\n", "'23099' 1000000000"},

    {"no call", kCalls, "AT+CLCC", "\r\nOK\r\n", "no call"},
    {"received call", kCalls, "AT+CLCC", "\r\n+CLCC: 1,1,4,0,0,\"+420777\",145\r\n\r\nOK\r\n",
     "1 '+420777'"},
    {"empty number", kCalls, "AT+CLCC", "\r\n+CLCC: 1,1,4,0,0,\"\",129\r\n\r\nOK\r\n", "1 ''"},
    {"no number field", kCalls, "AT+CLCC", "\r\n+CLCC: 1,1,4,0,0\r\n\r\nOK\r\n", "1 ''"},
    {"two calls", kCalls, "AT+CLCC",
     "\r\n+CLCC: 1,0,0,0,0,\"111\",129\r\n+CLCC: 2,1,5,0,0,\"222\",129\r\n\r\nOK\r\n", "0 '111'"},
    {"call between codes", kCalls, "AT+CLCC",
     "\r\n+CIEV: 2,3\r\n\r\n+CLCC: 1,1,4,0,0,\"+420\",129\r\n\r\nRING\r\n\r\nOK\r\n", "1 '+420'"},
    {"number without closing quote", kCalls, "AT+CLCC", "\r\n+CLCC: 1,1,4,0,0,\"+420\r\nOK\r\n",
     "unreadable"},
    {"call without fields", kCalls, "AT+CLCC", "\r\n+CLCC: 1\r\n\r\nOK\r\n", "unreadable"},
    {"direction of many digits stays received", kCalls, "AT+CLCC",
     "\r\n+CLCC: 1,4294967296,4,0,0,\"+420777\",145\r\n\r\nOK\r\n", "1000000000 '+420777'"},

    {"signal", kSignal, "AT+CSQ", "\r\n+CSQ: 23,0\r\n\r\nOK\r\n", "23"},
    {"signal with spaces", kSignal, "AT+CSQ", "\r\n+CSQ:  31 , 0\r\n\r\nOK\r\n", "31"},
    {"signal among codes and echo", kSignal, "AT+CSQ",
     "AT+CSQ\r\r\n+CIEV: 2,3\r\n\r\n+CSQ: 0,0\r\n\r\n+CMTI: \"SM\",3\r\n\r\nOK\r\n", "0"},
    {"signal without comma", kSignal, "AT+CSQ", "\r\n+CSQ: 23\r\n\r\nOK\r\n", "none"},
    {"signal not a number", kSignal, "AT+CSQ", "\r\n+CSQ: 2x,0\r\n\r\nOK\r\n", "none"},
    {"signal in an error", kSignal, "AT+CSQ", "\r\n+CME ERROR: 30\r\n", "none"},
};

TEST(AtReply, ReadsEachReplyAsItsCleanForm) {
    for (const Case& c : kCases)
        EXPECT_EQ(c.reader(c.received, c.command), c.expected) << c.name;
}

} // namespace
