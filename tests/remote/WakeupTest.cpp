// The wake-up dialogue against the simulator's GSM modem through Connect: the
// dialling window's lines, how each failure ends (modem port closed, window
// hidden, busy flag clear) and Cancel at its steps; then the woken gateway.
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
    const int32_t port = free.serverPort();
    free.close();
    const std::string length = std::to_string(176 + std::to_string(port).size());
    const struct {
        const char* name;
        std::string TIpSettings::*field;
        std::string value;
        int word;
        std::vector<std::string> details;
    } cases[] = {
        {"a letter in the number", &TIpSettings::LastIpNum, "+42077712a", 400, {}},
        {"no number", &TIpSettings::LastIpNum, "", 400, {}},
        {"21 digits", &TIpSettings::LastIpNum, std::string(21, '1'), 400, {}},
        {"';' would shift the fields", &TIpSettings::LastAPN, "web;x", 401, {"W410"}},
        {"'{' would become '('", &TIpSettings::LastIpSerial, "10-{024-0001", 402, {"W407", "{"}},
        {"'~' is not in the alphabet", &TIpSettings::LastInetUser, "a~b", 402, {"W411", "~"}},
        {"nor a-acute", &TIpSettings::LastAPN, "\xE1", 402, {"W410", "\xC3\xA1"}},
        {"a control character shows by its code",
         &TIpSettings::IpAddress,
         "10.0.0.1\x01",
         402,
         {"W409", "\\x01"}},
        {"a password never shows", &TIpSettings::LastIpPassw, "a{b", 403, {"W408"}},
        {"nor the internet password", &TIpSettings::LastInetPassw, "\xE1", 403, {"W412"}},
        {"longer than one SMS", &TIpSettings::LastAPN, std::string(140, 'a'), 404, {length}},
        {"euro signs count twice",
         &TIpSettings::LastInetUser,
         std::string(70, '\x80'),
         404,
         {length}},
    };
    PtyPeer modem;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        IpRig rig;
        rig.settings.IpCom = modem.Path();
        rig.settings.IpPort = port;
        rig.settings.*c.field = c.value;
        rig.user.ExpectMessage(kError, c.word, c.details);
        const CIpServer::TConnectOutcome outcome = rig.server.Connect();
        EXPECT_EQ(outcome.wakeup.result, Result::InputRefused);
        EXPECT_FALSE(outcome.wakeup.Succeeded());
        EXPECT_EQ(rig.host.timesShown, 0);
        EXPECT_FALSE(WakeupBusy());
        // The server goes down at its next tick.
        EXPECT_TRUE(RunEventsUntil([&] { return !rig.server.Active(); }));
    }
    EXPECT_EQ(modem.Received(), "");
}

// The dialogue itself, to each of its ends.
TEST(Wakeup, EndsAsTheModemAnswersOrTheUserCancels) {
    PtyPeer quiet; // a port where nothing answers
    struct Case {
        const char* name;
        std::vector<std::string> simOptions = {};
        std::string modem = {}; // empty: the simulator's
        // When the user presses Cancel: on this dialling line, or once the
        // simulator's log starts a line so; neither: never.
        int cancelOnLine = 0;
        std::string cancelOnSimLine = {};
        Result result = Result::Cancelled;
        std::vector<std::string> lines = {"354", "355"};
        int message = 0;
    };
    const Case cases[] = {
        {.name = "the modem refuses the SMS",
         .simOptions = {"--cms-error", "500"},
         .result = Result::ModemRefused,
         .message = 357},
        {.name = "cancel while the modem sends the SMS",
         .simOptions = {"--sms-delay", "5000"},
         .cancelOnSimLine = "modem SMS to " + kNumber + ": " + kSerial},
        {.name = "cancel before the modem is opened", .cancelOnLine = 354, .lines = {"354"}},
        {.name = "cancel between the set-up commands", .cancelOnLine = 355},
        {.name = "no such port",
         .modem = "/nonexistent/modem",
         .result = Result::LinkFailed,
         .lines = {"354"},
         .message = 125},
        {.name = "nothing answers AT",
         .modem = quiet.Path(),
         .result = Result::LinkFailed,
         .lines = {"354"},
         .message = 110},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SimProcess sim;
        ASSERT_TRUE(StartGateway(sim, kSerial, c.simOptions));
        IpRig rig;
        rig.settings.IpCom = c.modem.empty() ? sim.Path("modem") : c.modem;
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
        EXPECT_EQ(rig.host.lines, c.lines);
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
