// The simulated GSM module's options: each makes it answer as a real module
// in that state does, byte for byte.
#include "GsmModule.h"

#include <gtest/gtest.h>

namespace {

using kw::sim::GsmModule;
using kw::sim::GsmOptions;

GsmModule With(const std::vector<std::string>& options) {
    GsmOptions parsed;
    for (const std::string& option : options)
        EXPECT_EQ(kw::sim::ParseGsmOption(option, parsed), "") << option;
    GsmModule module([] { return std::time_t(0); });
    module.Configure(parsed);
    return module;
}

TEST(SimGsmModule, OptionsShapeTheReplies) {
    struct Case {
        std::vector<std::string> options;
        const char* command;
        const char* reply;
    };
    const Case cases[] = {
        {{}, "AT+CSQ", "AT+CSQ\r\r\n+CSQ: 23,0\r\n\r\nOK\r\n"},
        {{"echo:off"}, "AT+CSQ", "\r\n+CSQ: 23,0\r\n\r\nOK\r\n"},
        {{"echo:between"}, "AT+CSQ", "\r\n+CSQ: 23,0\r\nAT+CSQ\r\r\nOK\r\n"},
        {{"echo:between"}, "AT", "AT\r\r\nOK\r\n"},
        {{"urc", "echo:off"},
         "AT+GMM",
         "\r\nRING\r\n\r\nGS-2G\r\n\r\n+CREG: 1,\"00C3\",\"1A2B\"\r\n"
         "\r\nOK\r\n"},
        {{"urc", "echo:off"}, "AT", "\r\nRING\r\n\r\nOK\r\n"},
        {{"no-sim", "echo:off"}, "AT+CIMI", "\r\n+CME ERROR: 10\r\n"},
        {{"no-sim", "echo:off"}, "AT+CSCA?", "\r\n+CMS ERROR: 310\r\n"},
        {{"no-sim", "echo:off"}, "AT+COPS?", "\r\n+COPS: 0\r\n\r\nOK\r\n"},
        {{"unregistered", "echo:off"}, "AT+CSQ", "\r\n+CSQ: 99,99\r\n\r\nOK\r\n"},
        {{"call:in:+420777", "call:out", "echo:off"},
         "AT+CLCC",
         "\r\n+CLCC: 1,1,0,0,0,\"+420777\",129\r\n\r\n+CLCC: 2,0,0,0,0\r\n\r\nOK\r\n"},
        {{"call:out:", "echo:off"}, "AT+CLCC", "\r\n+CLCC: 1,0,0,0,0,\"\",129\r\n\r\nOK\r\n"},
        {{"error:at+gmi", "echo:off"}, "AT+GMI", "\r\nERROR\r\n"},
        {{"error:AT+GMI", "echo:off"}, "AT+CGMI", "\r\nGWSIM Modules\r\n\r\nOK\r\n"},
        {{"silent"}, "AT", ""},
    };
    for (const Case& c : cases) {
        GsmModule module = With(c.options);
        EXPECT_EQ(module.Answer(c.command), c.reply) << c.command;
    }
}

TEST(SimGsmModule, UnknownOptionsAreRefused) {
    GsmOptions options;
    EXPECT_EQ(kw::sim::ParseGsmOption("echo:sideways", options),
              "unknown GSM module option echo:sideways");
    EXPECT_EQ(kw::sim::ParseGsmOption("error:", options), "unknown GSM module option error:");
}

} // namespace
