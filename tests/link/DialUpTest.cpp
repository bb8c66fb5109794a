// Modem dial-up against the simulator's Hayes modem on a pseudo-terminal: the
// call states each result code leads to, the hand-over of a connected call to
// the terminal, the ways a call is torn down, and a configuration read and
// written over the call.
#include "COMTermExp.h"
#include "ConfigTransfer.h"
#include "GatewayLink.h"
#include "GatewayProtocol.h"
#include "IniFile.h"
#include "LinkTime.h"
#include "ParameterCatalogue.h"
#include "Parameters.h"
#include "PtyPeer.h"
#include "ScriptedDiallingWindow.h"
#include "ScriptedUserPort.h"
#include "SimProcess.h"
#include "Words.h"

#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

namespace kw::test {
namespace {

using TCallEnd = CTelephony::TCallEnd;
using Lines = std::vector<std::string>;

const char* const kLine = "Sim modem";

bool Logged(const std::vector<std::string>& log, const std::string& line) {
    return std::find(log.begin(), log.end(), line) != log.end();
}

class DialUp : public ::testing::Test {
protected:
    DialUp() {
        link.SetConType(CGatewayLink::ModemCall);
        link.SetStateObserver([this] {
            states.push_back(std::string(link.Connected() ? "data" : "-") + "/" +
                             (link.CallInProgress() ? "call" : "-"));
        });
    }

    void StartSim(std::vector<std::string> options, const std::string& init = "ATE0S12=5",
                  const std::string& device = {}) {
        options.insert(options.end(), {"--hayes-modem", sim.Path("modem")});
        ASSERT_TRUE(sim.Start(options));
        telephony.Lines().Add({kLine, device.empty() ? sim.Path("modem") : device, 57600, init});
    }
    void Dial(const std::string& number, const std::string& line = kLine) {
        telephony.Dial(window, line, number);
    }
    // The simulator's lines of its modem, "hayes " left off.
    Lines ModemLog() const {
        Lines lines;
        for (const std::string& line : sim.LogLines())
            if (line.rfind("hayes ", 0) == 0)
                lines.push_back(line.substr(6));
        return lines;
    }

    SimProcess sim;
    CCOMTerminal terminal;
    CGatewayLink link{terminal};
    CTelephony& telephony = terminal.Telephony();
    ScriptedDiallingWindow window;
    ScriptedUserPort user;
    Lines states; // "connected/call in progress" at each notification
};

struct CallCase {
    const char* name;
    std::vector<std::string> simOptions;
    std::string number;
    std::string init;
    std::string device; // empty: the modem's
    std::string line;   // empty: the one listed
    Lines lines;
    TCallEnd end;
    Lines states;
};

const Lines kCalling = {"-/call", "-/-"};

TEST_F(DialUp, EachWayACallGoesShowsItsLinesAndLeavesNoCall) {
    const std::string opening = "265 '" + std::string(kLine) + "'";
    const std::vector<CallCase> cases = {
        {"busy",
         {"--hayes-number", "777:busy"},
         "777",
         "ATE0S12=5",
         "",
         "",
         {opening, "269 '777'", "270", "268"},
         TCallEnd::Busy,
         kCalling},
        {"no answer",
         {"--hayes-result", "no-answer"},
         "1",
         "ATE0",
         "",
         "",
         {opening, "269 '1'", "271", "268"},
         TCallEnd::NoAnswer,
         kCalling},
        {"no dial tone",
         {"--hayes-result", "no-dialtone"},
         "1",
         "",
         "",
         "",
         {opening, "269 '1'", "272", "268"},
         TCallEnd::NoDialTone,
         kCalling},
        {"no carrier",
         {"--hayes-result", "no-carrier"},
         "1",
         "ATV0",
         "",
         "",
         {opening, "269 '1'", "268"},
         TCallEnd::NoCarrier,
         kCalling},
        {"silent modem",
         {"--hayes-result", "silent"},
         "1",
         "",
         "",
         "",
         {opening, "430"},
         TCallEnd::NotAnswering,
         {}},
        {"initialisation refused",
         {},
         "1",
         "ATQ9",
         "",
         "",
         {opening, "431"},
         TCallEnd::InitRefused,
         {}},
        {"line not listed", {}, "1", "", "", "Other", {"264 'Other'"}, TCallEnd::LineNotFound, {}},
        {"carriage return in the number",
         {},
         "1\rATZ",
         "",
         "",
         "",
         {"428"},
         TCallEnd::TextRefused,
         {}},
        {"line feed in the initialisation",
         {},
         "1",
         "ATE0\nATZ",
         "",
         "",
         {"428"},
         TCallEnd::TextRefused,
         {}},
        {"no such device",
         {},
         "1",
         "",
         "/nonexistent/modem",
         "",
         {opening, "429 '/nonexistent/modem'"},
         TCallEnd::CannotOpen,
         {}},
    };
    for (const CallCase& c : cases) {
        SCOPED_TRACE(c.name);
        SimProcess caseSim;
        ASSERT_TRUE(caseSim.Start([&] {
            std::vector<std::string> options = c.simOptions;
            options.insert(options.end(), {"--hayes-modem", caseSim.Path("modem")});
            return options;
        }()));
        CCOMTerminal caseTerminal;
        CGatewayLink caseLink{caseTerminal};
        Lines caseStates;
        caseLink.SetStateObserver([&] {
            caseStates.push_back(std::string(caseLink.Connected() ? "data" : "-") + "/" +
                                 (caseLink.CallInProgress() ? "call" : "-"));
        });
        CTelephony& t = caseTerminal.Telephony();
        t.Lines().Add({kLine, c.device.empty() ? caseSim.Path("modem") : c.device, 57600, c.init});
        ScriptedDiallingWindow w;
        t.Dial(w, c.line.empty() ? kLine : c.line, c.number);
        EXPECT_EQ(w.Lines(), c.lines);
        EXPECT_EQ(w.log.front(), "show");
        EXPECT_EQ(w.log.back(), "wait"); // the lines stay until the user has read them
        EXPECT_EQ(t.LastEnd(), c.end);
        EXPECT_EQ(caseStates, c.states);
        EXPECT_FALSE(t.DataCall());
        EXPECT_FALSE(t.CallActive());
        EXPECT_FALSE(caseTerminal.Comm().Enabled());
        if (c.end == TCallEnd::CannotOpen) {
            EXPECT_NE(t.OpenError().find("(Error: 2)"), std::string::npos) << t.OpenError();
        }
    }
}

TEST_F(DialUp, AConnectedCallIsTheTerminalsPortAndHangsUpInTheWindowsSight) {
    StartSim({});
    Dial("0601234567");
    EXPECT_EQ(window.log, (Lines{"show", "265 'Sim modem'", "269 '0601234567'", "close"}));
    EXPECT_EQ(telephony.LastEnd(), TCallEnd::Connected);
    EXPECT_EQ(states, (Lines{"-/call", "data/call"}));
    ASSERT_TRUE(terminal.Comm().Enabled());

    std::vector<int> steps;
    ModemGreeting(link, [&](int step) { steps.push_back(step); });
    EXPECT_EQ(steps, (std::vector<int>{1, 2}));
    EXPECT_EQ(terminal.ExtractBetween("\"", "\""), "10-2024-0001");

    window.log.clear();
    telephony.HangUp(window);
    EXPECT_EQ(window.log, (Lines{"show", "266", "268", "wait"}));
    EXPECT_EQ(states.back(), "-/-");
    EXPECT_FALSE(terminal.Comm().Enabled());
    // A pseudo-terminal has no DTR to drop: the escape and ATH did it.
    ASSERT_TRUE(sim.WaitForLogLine("hayes on hook"));
    const Lines modem = ModemLog();
    const Lines expected = {
        "AT",     "ATE0S12=5", "ATD0601234567", "dialling 0601234567", "connected to 0601234567",
        "escape", "ATH",       "on hook"};
    EXPECT_EQ(Lines(modem.begin(), modem.begin() + long(expected.size())), expected);
    for (const char* command : {"U", "X", "Z"})
        EXPECT_TRUE(Logged(sim.LogLines(), command)) << command;
}

TEST_F(DialUp, HangingUpWithoutACallOnlyClosesThePort) {
    PtyPeer peer;
    ASSERT_TRUE(terminal.OpenPort(peer.Path(), 19200));
    telephony.HangUp(window);
    EXPECT_TRUE(window.log.empty());
    EXPECT_FALSE(terminal.Comm().Enabled());
    EXPECT_TRUE(states.empty());
    EXPECT_EQ(peer.Received(), "");
}

TEST_F(DialUp, ClosingTheWindowWhileDiallingDropsTheCall) {
    StartSim({"--hayes-dial-ms", "20000"});
    window.closeOnWord = word::kDialling;
    const auto started = std::chrono::steady_clock::now();
    Dial("123");
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
    EXPECT_EQ(telephony.LastEnd(), TCallEnd::Cancelled);
    EXPECT_EQ(states, kCalling);
    EXPECT_FALSE(terminal.Comm().Enabled());
    ASSERT_TRUE(sim.WaitForLogLine("hayes dial aborted"));
    EXPECT_FALSE(Logged(ModemLog(), "connected to 123"));
}

TEST_F(DialUp, ClosingThePortOfACallHangsUpWithoutAWindow) {
    StartSim({});
    Dial("5");
    ASSERT_TRUE(telephony.DataCall());
    window.log.clear();
    terminal.ClosePort();
    EXPECT_TRUE(window.log.empty());
    EXPECT_EQ(states.back(), "-/-");
    EXPECT_TRUE(sim.WaitForLogLine("hayes on hook"));
}

TEST_F(DialUp, TheDeviceGoingAwayEndsTheCall) {
    StartSim({});
    Dial("5");
    ASSERT_TRUE(telephony.DataCall());
    telephony.LineGone(); // as the port reports when its device vanishes
    EXPECT_EQ(telephony.LastEnd(), TCallEnd::LineClosed);
    EXPECT_EQ(states.back(), "-/-");
    EXPECT_FALSE(terminal.Comm().Enabled());
    EXPECT_TRUE(sim.WaitForLogLine("hayes hung up: the port closed"));
}

TEST_F(DialUp, AnAttachOnALostLinkStopsAtOnce) {
    // Each attempt asks "B"; a loop that spins shows itself by its count (and
    // ends, as a Cancel pressed without a message ends it) instead of hanging.
    int attempts = 0;
    const CTapListener cancelAtB(link.Tap(), [&](const TLinkTapEvent& event) {
        if (event.Sent() && event.bytes == "B" && ++attempts > 50)
            user.PressCancel();
    });
    // The call's port closed under a link that still counts as connected:
    // every send fails before any wait.
    link.SetConnectionState(true, true);
    user.ExpectMessage(CUserPort::Icon::Error, word::kLinkFailed);
    EXPECT_FALSE(AttachGateway(link, user, true));
    EXPECT_EQ(attempts, 1);
    EXPECT_FALSE(terminal.Comm().Enabled());

    // The call ends while the attach waits for a silent gateway.
    StartSim({"--fault", "silent"});
    Dial("5");
    ASSERT_TRUE(link.Connected());
    terminal.m_TimeOut = 300;
    attempts = 0;
    QTimer::singleShot(50, [this] { telephony.LineGone(); });
    user.ExpectMessage(CUserPort::Icon::Error, word::kGatewayAnsweredWrongly);
    EXPECT_FALSE(AttachGateway(link, user, true));
    EXPECT_EQ(attempts, 1);
    EXPECT_FALSE(link.Connected());
}

TEST_F(DialUp, ReadAndWriteOverTheCallKeepTheExchangeAndTheLongTimeOut) {
    StartSim({});
    Dial("0601234567");
    ASSERT_TRUE(link.Connected());
    ModemGreeting(link);
    std::vector<TLinkTapEvent> tapped;
    const CTapListener recorder(link.Tap(),
                                [&](const TLinkTapEvent& event) { tapped.push_back(event); });

    CParameters parameters;
    RegisterCatalogue(parameters);
    std::string hardware;
    bool pin = false;
    bool password = false;
    const TTransferHost host{link, parameters, user, hardware, pin, password, {}, {}};
    user.ExpectMessage(CUserPort::Icon::Information, word::kConfigurationRead);
    ASSERT_EQ(ReadFromGateway(host).result, TransferResult::Done);
    EXPECT_EQ(hardware, "A");
    EXPECT_EQ(user.progressLog.front(), "show 107 bar");

    user.progressLog.clear();
    tapped.clear();
    user.ExpectMessage(CUserPort::Icon::Information, word::kConfigurationWritten);
    ASSERT_EQ(WriteToGateway(host).result, TransferResult::Done);
    EXPECT_EQ(user.progressLog.front(), "show 107 bar");
    // Every wait of the write, the read-back included, has the call's time-out.
    ASSERT_FALSE(tapped.empty());
    for (const TLinkTapEvent& event : tapped) {
        if (event.Sent()) {
            EXPECT_EQ(event.timeOut, 20000) << event.bytes.substr(0, 1);
        }
    }
    EXPECT_TRUE(link.Connected());
    EXPECT_TRUE(terminal.Comm().Enabled());
    const Lines log = sim.LogLines();
    EXPECT_TRUE(Logged(log, "g X"));
    EXPECT_FALSE(Logged(log, "A")); // no end of exchange over a call

    window.log.clear();
    telephony.HangUp(window);
    EXPECT_TRUE(sim.WaitForLogLine("hayes on hook"));
    EXPECT_FALSE(link.Connected());
}

TEST_F(DialUp, CancelDuringTheAttachClosesThePortAndDropsTheCall) {
    StartSim({"--fault", "silent-after:3"}); // the greeting's three commands, then silence
    Dial("5");
    ModemGreeting(link);
    CParameters parameters;
    RegisterCatalogue(parameters);
    std::string hardware;
    bool pin = false;
    bool password = false;
    const TTransferHost host{link, parameters, user, hardware, pin, password, {}, {}};
    QTimer::singleShot(300, [this] { user.CancelProgress(); });
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(ReadFromGateway(host).result, TransferResult::AttachFailed);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(15));
    EXPECT_FALSE(terminal.Comm().Enabled());
    EXPECT_FALSE(link.Connected());
    EXPECT_FALSE(link.CallInProgress());
    EXPECT_TRUE(sim.WaitForLogLine("hayes on hook"));
}

} // namespace
} // namespace kw::test
