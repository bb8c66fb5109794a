// The wake-up dialogue against the simulator's GSM modem through Connect: the
// dialling window's lines, how each failure ends (modem port closed, window
// hidden, busy flag clear) and Cancel at its steps; then the woken gateway.
#include "COMTermExp.h"
#include "EventLoopWait.h"
#include "GatewayProtocol.h"
#include "IpRig.h"
#include "PtyPeer.h"

#include <QTcpServer>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>

namespace kw::test {
namespace {

using Result = TWakeupOutcome::Result;
constexpr auto kError = CUserPort::Icon::Error;
constexpr auto kInformation = CUserPort::Icon::Information;

bool ModemTouched(const SimProcess& sim) {
    for (const std::string& line : sim.LogLines())
        if (line.rfind("modem ", 0) == 0)
            return true;
    return false;
}

// Refused before the modem is touched: nothing is shown but the reason.
TEST(Wakeup, InputThatCannotBeSentNeverReachesTheModem) {
    // A free port, so the text's length is known: the SMS names the port.
    QTcpServer free;
    ASSERT_TRUE(free.listen(QHostAddress::AnyIPv4, 0));
    const quint16 port = free.serverPort();
    free.close();
    const std::string length = std::to_string(176 + std::to_string(port).size());
    struct Case {
        const char* name;
        void (*change)(TIpSettings&);
        int word;
        std::vector<std::string> details;
    };
    const Case cases[] = {
        {"a letter in the number", [](TIpSettings& s) { s.LastIpNum = "+42077712a"; }, 400, {}},
        {"no number", [](TIpSettings& s) { s.LastIpNum = ""; }, 400, {}},
        {"';' in the APN", [](TIpSettings& s) { s.LastAPN = "web;x"; }, 401, {"W410"}},
        {"'~' in the internet user",
         [](TIpSettings& s) { s.LastInetUser = "a~b"; },
         402,
         {"W411", "~"}},
        {"a control character",
         [](TIpSettings& s) { s.IpAddress = "10.0.0.1\x01"; },
         402,
         {"W409", "\\x01"}},
        {"a password never shows", [](TIpSettings& s) { s.LastIpPassw = "a{b"; }, 403, {"W408"}},
        {"longer than one SMS",
         [](TIpSettings& s) { s.LastAPN = std::string(140, 'a'); },
         404,
         {length}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SimProcess sim;
        ASSERT_TRUE(StartGateway(sim, kSerial));
        IpRig rig;
        rig.settings.IpCom = sim.Path("modem");
        rig.settings.IpPort = port;
        c.change(rig.settings);
        rig.user.ExpectMessage(kError, c.word, c.details);
        const CIpServer::TConnectOutcome outcome = rig.server.Connect();
        EXPECT_EQ(outcome.wakeup.result, Result::InputRefused);
        EXPECT_FALSE(outcome.wakeup.Succeeded());
        EXPECT_EQ(rig.host.timesShown, 0);
        EXPECT_FALSE(WakeupBusy());
        // The server goes down at its next tick, and nothing was said to the modem.
        EXPECT_TRUE(RunEventsUntil([&] { return !rig.server.Active(); }));
        EXPECT_FALSE(ModemTouched(sim));
    }
}

// The dialogue itself, to each of its ends.
TEST(Wakeup, EndsAsTheModemAnswersOrTheUserCancels) {
    struct Case {
        const char* name;
        std::vector<std::string> simOptions;
        // When the user presses Cancel: on this dialling line, or once the
        // simulator's log holds this line; neither: never.
        int cancelOnLine;
        std::string cancelOnSimLine;
        Result result;
        std::vector<int> lines;
        int message; // 0: none
    };
    const Case cases[] = {
        {"the modem refuses the SMS",
         {"--cms-error", "500"},
         0,
         "",
         Result::ModemRefused,
         {354, 355},
         357},
        {"cancel while the modem sends the SMS",
         {"--sms-delay", "5000"},
         0,
         "modem SMS to " + kNumber + ": " + WakeupTextFor(kSerial, 0).substr(0, 13),
         Result::Cancelled,
         {354, 355},
         0},
        {"cancel before the modem is opened", {}, 354, "", Result::Cancelled, {354}, 0},
        {"cancel between the set-up commands", {}, 355, "", Result::Cancelled, {354, 355}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SimProcess sim;
        ASSERT_TRUE(StartGateway(sim, kSerial, c.simOptions));
        IpRig rig;
        rig.settings.IpCom = sim.Path("modem");
        if (c.message != 0)
            rig.user.ExpectMessage(kError, c.message);
        rig.host.onLine = [&](int word) {
            if (word == c.cancelOnLine)
                QTimer::singleShot(0, [&] { rig.server.CancelDialling(); });
        };
        QTimer watch; // the simulator's log, for a Cancel at a step of the modem
        watch.start(20);
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (!c.cancelOnSimLine.empty() && rig.host.visible) {
                for (const std::string& line : sim.LogLines())
                    if (line.rfind(c.cancelOnSimLine, 0) == 0)
                        rig.server.CancelDialling();
            }
        });
        const CIpServer::TConnectOutcome outcome = rig.server.Connect();
        EXPECT_TRUE(outcome.listening);
        EXPECT_EQ(outcome.wakeup.result, c.result);
        EXPECT_TRUE(outcome.wakeup.Succeeded() == (c.message == 0));
        std::vector<std::string> expected;
        for (int word : c.lines)
            expected.push_back(std::to_string(word));
        EXPECT_EQ(rig.host.lines, expected);
        EXPECT_FALSE(rig.host.visible);
        EXPECT_FALSE(rig.terminal.Comm().Enabled());
        EXPECT_FALSE(WakeupBusy());
        EXPECT_EQ(rig.terminal.m_TimeOut, 1000);
        EXPECT_TRUE(RunEventsUntil([&] { return !rig.server.Active(); }));
        if (c.cancelOnLine == 354) {
            EXPECT_FALSE(ModemTouched(sim));
        }
    }
}

TEST(Wakeup, AModemThatCannotBeReachedIsALinkError) {
    PtyPeer quiet; // a port where nothing answers
    const struct {
        const char* name;
        std::string port;
        int word;
        int8_t code;
    } cases[] = {
        {"no such port", "/nonexistent/modem", 125, CCOMTermExp::PortUnavailable},
        {"nothing answers AT", quiet.Path(), 110, CCOMTermExp::TimedOut},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        IpRig rig;
        rig.settings.IpCom = c.port;
        rig.user.ExpectMessage(kError, c.word);
        const CIpServer::TConnectOutcome outcome = rig.server.Connect();
        EXPECT_EQ(outcome.wakeup.result, Result::LinkFailed);
        EXPECT_EQ(outcome.wakeup.linkCode, c.code);
        EXPECT_EQ(rig.host.lines, std::vector<std::string>{"354"});
        EXPECT_FALSE(rig.host.visible);
        EXPECT_FALSE(rig.terminal.Comm().Enabled());
        EXPECT_FALSE(WakeupBusy());
    }
}

// The whole way: the SMS through the modem, the gateway calling back to the
// address it names, the greeting, and the configuration read over TCP.
TEST(Wakeup, TheWokenGatewayBecomesTheLink) {
    SimProcess sim;
    ASSERT_TRUE(StartGateway(sim, kSerial));
    IpRig rig;
    rig.settings.IpCom = sim.Path("modem");
    rig.settings.LastIpPassw = "0"; // sent empty, and kept empty
    rig.settings.LastAPN = "00";    // sent as it is
    std::optional<Result> nested;
    rig.host.onLine = [&](int word) {
        if (word == 355) // a second wake-up inside the first one's wait
            nested = RunWakeup({rig.terminal, rig.user, rig.host, rig.settings, 1}).result;
    };
    const CIpServer::TConnectOutcome outcome = rig.server.Connect();
    EXPECT_EQ(outcome.wakeup.result, Result::SmsAccepted);
    EXPECT_EQ(nested, Result::Busy);
    // The gateway may call before the modem has said OK.
    std::vector<std::string> lines = rig.host.lines;
    std::sort(lines.begin(), lines.end());
    lines.erase(std::remove(lines.begin(), lines.end(), "358 127.0.0.1"), lines.end());
    EXPECT_EQ(lines, (std::vector<std::string>{"354", "355", "356"}));
    EXPECT_TRUE(rig.host.visible);
    EXPECT_FALSE(rig.terminal.Comm().Enabled());
    EXPECT_EQ(rig.settings.LastIpPassw, "");
    const std::string port = std::to_string(rig.server.Port());
    EXPECT_TRUE(LogHas(sim, "modem SMS to " + kNumber + ": " + kSerial + ";;CONNECT;127.0.0.1;" +
                                port + ";00;;;"));

    rig.user.ExpectMessage(kInformation, 257);
    rig.Skip(kProbeAfterMs);
    ASSERT_TRUE(RunEventsUntil([&] { return rig.host.LinkExists(); }));
    EXPECT_EQ(rig.host.lines.size(), 4u);
    EXPECT_EQ(std::count(rig.host.lines.begin(), rig.host.lines.end(), "358 127.0.0.1"), 1);
    EXPECT_FALSE(rig.host.visible);
    std::vector<uint8_t> image(kReadBufferSize);
    EXPECT_TRUE(ReadRegions(rig.link, image.data(), true));
}

} // namespace
} // namespace kw::test
