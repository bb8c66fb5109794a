// The simulated Hayes data modem, driven byte by byte: each scenario is a
// script of what the tool sends (or a quiet line for the modem's timers) and
// what the modem answers, with the command log at the end.
#include "HayesModem.h"
#include "SimRig.h"

#include <gtest/gtest.h>

#include <vector>

namespace kw::test {
namespace {

// One step: `send` to the modem, or a quiet line when `quiet`; `expect` is
// what the modem says in reply (to the bytes, or of its own accord).
struct Step {
    std::string send;
    std::string expect;
    bool quiet = false;
};

Step Quiet(const std::string& expect) {
    return {"", expect, true};
}

struct Scenario {
    const char* name;
    sim::HayesOptions options;
    std::vector<Step> steps;
    std::vector<std::string> log; // the modem's lines, "hayes " left off
    bool inCallAtEnd;
};

sim::HayesOptions WithNumbers(sim::DialResult all,
                              std::map<std::string, sim::DialResult> numbers = {}) {
    sim::HayesOptions options;
    options.result = all;
    options.byNumber = std::move(numbers);
    return options;
}

sim::HayesOptions Silent() {
    sim::HayesOptions options;
    options.silent = true;
    return options;
}

const std::string kOk = "\r\nOK\r\n";
const std::string kConnect = "\r\nCONNECT 57600\r\n";

// Built when the test runs: GCC 12 warns falsely about a static array of them.
std::vector<Scenario> Scenarios() {
    return {
        {"commands echo until ATE0 and refuse what a modem lacks",
         {},
         {{"AT\r", "AT\r" + kOk},
          {"ATE0 S12=5\r", "ATE0 S12=5\r" + kOk},
          {"ATS12?\r", "\r\n5\r\n" + kOk},
          {"AT&F X4 &C1 &D2 E0\r", kOk}, // the factory settings echo, E0 ends it again
          {"ATS12=5Q7\r", "\r\nERROR\r\n"},
          {"hello\r", ""},
          {"ATV0\r", "0\r"}},
         {"AT", "ATE0 S12=5", "ATS12?", "AT&F X4 &C1 &D2 E0", "ATS12=5Q7", "ATV0"},
         false},
        {"a connected call carries the gateway; +++ framed by the guard returns to commands",
         {},
         {{"ATE0S12=5\r", "ATE0S12=5\r" + kOk},
          {"ATDT 0601 234 567\r", ""},
          Quiet(kConnect),
          {"U", "X"},
          {"+++", ""}, // no guard before it: the gateway's
          Quiet(""),   // the guard before one
          {"+++", ""},
          Quiet(kOk),
          {"ATH\r", kOk}},
         {"ATE0S12=5", "ATDT 0601 234 567", "dialling 0601234567", "connected to 0601234567",
          "escape", "ATH", "on hook"},
         false},
        {"the result chosen for the number, else the one for all",
         WithNumbers(sim::DialResult::NoAnswer, {{"777", sim::DialResult::Busy}}),
         {{"ATE0\r", "ATE0\r" + kOk},
          {"ATD777\r", ""},
          Quiet("\r\nBUSY\r\n"),
          {"ATD778\r", ""},
          Quiet("\r\nNO ANSWER\r\n"),
          {"ATV0D5\r", ""},
          Quiet("8\r")},
         {"ATE0", "ATD777", "dialling 777", "busy 777", "ATD778", "dialling 778",
          "no answer from 778", "ATV0D5", "dialling 5", "no answer from 5"},
         false},
        {"no dial tone and no carrier",
         WithNumbers(sim::DialResult::NoDialTone, {{"9", sim::DialResult::NoCarrier}}),
         {{"ATE0D1\r", "ATE0D1\r"},
          Quiet("\r\nNO DIALTONE\r\n"),
          {"ATD9\r", ""},
          Quiet("\r\nNO CARRIER\r\n")},
         {"ATE0D1", "dialling 1", "no dial tone for 1", "ATD9", "dialling 9", "no carrier from 9"},
         false},
        {"a byte while dialling ends the dial",
         {},
         {{"ATE0\r", "ATE0\r" + kOk}, {"ATD123\r", ""}, {"\r", "\r\nNO CARRIER\r\n"}, Quiet("")},
         {"ATE0", "ATD123", "dialling 123", "dial aborted"},
         false},
        {"a silent modem says nothing",
         Silent(),
         {{"AT\r", ""}, {"ATD1\r", ""}, Quiet("")},
         {},
         false},
        {"ATO after the escape goes back online; ATD then is refused",
         {},
         {{"ATE0S12=1D4\r", "ATE0S12=1D4\r"},
          Quiet(kConnect),
          Quiet(""),
          {"+++", ""},
          Quiet(kOk),
          {"ATD5\r", "\r\nERROR\r\n"},
          {"ATO\r", kConnect},
          {"U", "X"}},
         {"ATE0S12=1D4", "dialling 4", "connected to 4", "escape", "ATD5", "ATO"},
         true},
    };
}

TEST(SimHayes, Scenarios) {
    for (const Scenario& scenario : Scenarios()) {
        SCOPED_TRACE(scenario.name);
        SimRig gateway;
        std::vector<std::string> log;
        sim::HayesModem modem(gateway.model, scenario.options, [&log](const std::string& line) {
            ASSERT_EQ(line.rfind("hayes ", 0), 0u) << line;
            log.push_back(line.substr(6));
        });
        for (const Step& step : scenario.steps) {
            std::string said;
            if (step.quiet) {
                // The endpoint calls LineQuiet once the timer asked for has run.
                if (modem.QuietTimeoutMs() >= 0)
                    modem.LineQuiet();
                said = modem.TakeUnprompted();
            } else {
                modem.Receive(reinterpret_cast<const uint8_t*>(step.send.data()), step.send.size(),
                              said);
            }
            EXPECT_EQ(said, step.expect) << "after " << (step.quiet ? "quiet" : step.send);
        }
        EXPECT_EQ(log, scenario.log);
        EXPECT_EQ(modem.InCall(), scenario.inCallAtEnd);
    }
}

TEST(SimHayes, TimersFollowTheStateAndThePortClosingHangsUp) {
    SimRig gateway;
    std::vector<std::string> log;
    sim::HayesOptions options;
    options.dialMs = 1234;
    sim::HayesModem modem(gateway.model, options,
                          [&log](const std::string& line) { log.push_back(line); });
    std::string said;
    const std::string commands = "ATE0S12=10D1\r";
    EXPECT_EQ(modem.QuietTimeoutMs(), -1); // nothing waits in command mode
    modem.Receive(reinterpret_cast<const uint8_t*>(commands.data()), commands.size(), said);
    EXPECT_EQ(modem.QuietTimeoutMs(), 1234); // the dial
    modem.LineQuiet();
    EXPECT_EQ(modem.QuietTimeoutMs(), 200); // the guard before an escape
    modem.LineQuiet();
    EXPECT_EQ(modem.QuietTimeoutMs(), -1);
    // A lone "A" at the gateway waits for a quiet line of its own.
    said.clear();
    modem.Receive(reinterpret_cast<const uint8_t*>("A"), 1, said);
    EXPECT_EQ(modem.QuietTimeoutMs(), gateway.model.QuietTimeoutMs());
    EXPECT_TRUE(modem.InCall());

    modem.PortClosed();
    EXPECT_FALSE(modem.InCall());
    EXPECT_EQ(log.back(), "hayes hung up: the port closed");
    // The settings are back at their defaults: echo on.
    said.clear();
    modem.Receive(reinterpret_cast<const uint8_t*>("AT\r"), 3, said);
    EXPECT_EQ(said, "AT\r" + kOk);
    modem.PortClosed();
    EXPECT_EQ(log.back(), "hayes AT"); // nothing was going on
}

TEST(SimHayes, OptionsNameResults) {
    sim::HayesOptions options;
    EXPECT_EQ(sim::ParseNumberResult("+420 1:no-dialtone", options), "");
    EXPECT_EQ(options.byNumber.at("+420 1"), sim::DialResult::NoDialTone);
    for (const char* bad : {"1", ":busy", "1:engaged", "1:"})
        EXPECT_NE(sim::ParseNumberResult(bad, options), "") << bad;
}

} // namespace
} // namespace kw::test
