// The monitor's reading of a GSM module's replies: any command the monitor
// sends (or any other), any received bytes. Every value found comes from the
// reply's own lines, holds no line break, and stays the same when unsolicited
// codes arrive before the reply's lines; nothing after a zero byte counts.
#include "AtReply.h"
#include "FuzzBytes.h"
#include "FuzzCheck.h"

#include <optional>
#include <string>
#include <vector>

namespace {

using namespace kw::fuzz;

const char* const kCommands[] = {"AT+CSQ",  "AT+COPS?", "AT+CSCA?", "AT+CCLK?", "AT+CLCC",
                                 "AT+CGMI", "AT+CGMM",  "AT+CGMR",  "AT+CGSN",  "AT+CIMI",
                                 "AT+GMI",  "AT+GMM",   "AT+GMR",   "AT+GSN",   "AT"};
constexpr size_t kCommandCount = sizeof(kCommands) / sizeof(kCommands[0]);

// Everything the six readers find in one reply.
struct Read {
    std::vector<std::string> lines;
    std::optional<std::string> text, quoted;
    std::optional<kw::TAtOperatorCode> code;
    kw::TAtCalls calls;
    std::optional<long> signal;

    bool operator==(const Read& o) const {
        auto sameCode = [](const auto& a, const auto& b) {
            return a.has_value() == b.has_value() &&
                   (!a || (a->code == b->code && a->accessTechnology == b->accessTechnology));
        };
        auto sameCalls = [](const kw::TAtCalls& a, const kw::TAtCalls& b) {
            return a.readable == b.readable && a.first.has_value() == b.first.has_value() &&
                   (!a.first || (a.first->direction == b.first->direction &&
                                 a.first->number == b.first->number));
        };
        return lines == o.lines && text == o.text && quoted == o.quoted && sameCode(code, o.code) &&
               sameCalls(calls, o.calls) && signal == o.signal;
    }
};

Read ReadAll(const std::string& received, const std::string& command) {
    return {kw::AtInformationLines(received, command),
            kw::AtInformationText(received, command),
            kw::AtQuotedValue(received, command),
            kw::AtOperatorCode(received, command),
            kw::AtCalls(received, command),
            kw::AtSignalQuality(received, command)};
}

bool Clean(const std::string& value, const std::string& received) {
    return value.find_first_of("\r\n") == std::string::npos &&
           received.find(value) != std::string::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CFuzzBytes in(data, size);
    const uint8_t choice = in.Byte();
    const std::string command = choice < kCommandCount ? kCommands[choice] : in.Run(choice % 24);
    const std::string received = in.Rest();
    const Read read = ReadAll(received, command);

    for (const std::string& line : read.lines) {
        KW_FUZZ_REQUIRE(!line.empty() && Clean(line, received), "a line of the reply");
        KW_FUZZ_REQUIRE(line.front() != ' ' && line.front() != '\t' && line.back() != ' ' &&
                            line.back() != '\t',
                        "lines are trimmed");
        KW_FUZZ_REQUIRE(line != "OK" && line != "ERROR" && line != "RING",
                        "result codes are no information");
    }
    KW_FUZZ_REQUIRE(read.text == (read.lines.empty() ? std::nullopt
                                                     : std::optional<std::string>(read.lines[0])),
                    "the text is the first line");
    if (read.quoted)
        KW_FUZZ_REQUIRE(Clean(*read.quoted, received) &&
                            read.quoted->find('"') == std::string::npos,
                        "a quoted value from the reply");
    if (read.code)
        KW_FUZZ_REQUIRE(Clean(read.code->code, received) && read.code->accessTechnology >= -1,
                        "an operator code from the reply");
    if (read.calls.first)
        KW_FUZZ_REQUIRE(Clean(read.calls.first->number, received), "a number from the reply");
    KW_FUZZ_REQUIRE(read.calls.readable || !read.calls.first, "an unreadable list has no call");
    if (read.signal)
        KW_FUZZ_REQUIRE(*read.signal > -20000000000L && *read.signal < 20000000000L,
                        "a bounded signal value");

    // The terminal's text ends at a zero byte; unsolicited codes between the
    // echo and the reply's lines change nothing.
    const std::string text = received.substr(0, received.find('\0'));
    KW_FUZZ_REQUIRE(ReadAll(text, command) == read, "nothing after a zero byte counts");
    size_t firstBreak = text.find_first_of("\r\n");
    if (firstBreak == std::string::npos)
        firstBreak = text.size();
    const std::string noisy =
        text.substr(0, firstBreak) + "\r\nRING\r\n\r\nNO CARRIER\r\n" + text.substr(firstBreak);
    KW_FUZZ_REQUIRE(ReadAll(noisy, command) == read, "unsolicited codes change nothing");
    return 0;
}
