// The call-back server on 127.0.0.1 with a port the system picks, greeting the
// real simulated gateway's connect-back and plain sockets: who becomes the link,
// who is closed and which lines the dialling window shows.
#include "COMTermExp.h"
#include "EventLoopWait.h"
#include "IpRig.h"
#include "LinkCode.h"

#include <QTcpServer>
#include <QTcpSocket>

#include <gtest/gtest.h>

#include <memory>

namespace kw::test {
namespace {

constexpr auto kInformation = CUserPort::Icon::Information;
constexpr auto kError = CUserPort::Icon::Error;
const std::string kLocal = "127.0.0.1";

bool Closed(const QTcpSocket& socket) {
    return socket.state() == QAbstractSocket::UnconnectedState;
}

TEST(CallbackServer, TheFirstRightGatewayBecomesTheLink) {
    IpRig rig;
    rig.Listen();
    rig.link.SetTcpTimeOut(1000); // as a cable exchange leaves it
    SimProcess silent;
    SimProcess right;
    ASSERT_TRUE(StartGateway(silent, "10-2024-0002", {"--callback-greeting", "silent"}));
    ASSERT_TRUE(StartGateway(right, kSerial));
    SendWakeupSms(silent, WakeupTextFor("10-2024-0002", rig.server.Port()));
    ASSERT_TRUE(rig.WaitForLines(1));
    SendWakeupSms(right, WakeupTextFor(kSerial, rig.server.Port()));
    ASSERT_TRUE(rig.WaitForLines(2));

    rig.user.ExpectMessage(kInformation, 257);
    rig.Skip(kProbeAfterMs); // both are probed at the next tick
    ASSERT_TRUE(RunEventsUntil([&] { return rig.host.LinkExists(); }));
    EXPECT_TRUE(rig.WaitForSimLine(silent, "connect-back hung up by the other side"));
    EXPECT_TRUE(LogHas(silent, "connect-back silent: ignored 0x55"));
    // The other one went without a line; the window closed; one connection left.
    EXPECT_EQ(rig.host.lines, (std::vector<std::string>{"358 " + kLocal, "358 " + kLocal}));
    EXPECT_FALSE(rig.host.visible);
    EXPECT_EQ(rig.host.stateChanges, 1);
    EXPECT_EQ(rig.server.ClientCount(), 1);
    // GPRS needs the long time-out, whatever the last exchange left.
    EXPECT_EQ(rig.link.TcpTimeOut(), 20000);

    // The linked connection carries the gateway's commands.
    rig.link.SetTerminators(0);
    EXPECT_EQ(rig.link.LinkSendExpect("D"), 1);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(rig.link.LinkBuffer().Data()),
                          size_t(rig.link.LinkBuffer().Count())),
              "D" + kSerial + std::string(1, '\0'));

    // Anyone else calling now is closed at once, without a line.
    QTcpSocket late;
    late.connectToHost(QHostAddress::LocalHost, rig.server.Port());
    EXPECT_TRUE(RunEventsUntil([&] { return Closed(late); }));
    EXPECT_EQ(rig.host.lines.size(), 2u);
    EXPECT_EQ(rig.server.ClientCount(), 1);

    // Disconnect: no link, no server, the gateway sees the hang-up.
    rig.server.Disconnect();
    EXPECT_FALSE(rig.host.LinkExists());
    EXPECT_FALSE(rig.server.Active());
    EXPECT_EQ(rig.host.stateChanges, 2);
    EXPECT_TRUE(rig.WaitForSimLine(right, "connect-back hung up by the other side"));
}

// How a greeting ends, as the dialling window tells it.
TEST(CallbackServer, GreetingsEndAsTheGatewayAnswers) {
    struct Case {
        const char* name;
        std::vector<std::string> options;
        bool linked;
        std::string lastLine; // after "358 127.0.0.1"
    };
    const Case cases[] = {
        {"probe answered Y, acknowledgement X", {"--callback-greeting", "YX"}, true, ""},
        {"another identity",
         {"--callback-identity", "10-2024-9999"},
         false,
         "360 10-2024-9999 " + kLocal},
        {"an answer out of sequence", {"--callback-greeting", "QX"}, false, "359 " + kLocal},
        {"silence after the probe", {"--callback-greeting", "silent"}, false, "359 " + kLocal},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        IpRig rig;
        rig.Listen();
        SimProcess sim;
        ASSERT_TRUE(StartGateway(sim, kSerial, c.options));
        SendWakeupSms(sim, WakeupTextFor(kSerial, rig.server.Port()));
        ASSERT_TRUE(rig.WaitForLines(1));
        if (c.linked)
            rig.user.ExpectMessage(kInformation, 257);
        rig.Skip(kProbeAfterMs);
        if (c.options.back() == "silent") {
            // The probe came and nothing follows: 10 s later the line goes.
            ASSERT_TRUE(rig.WaitForSimLine(sim, "connect-back silent: ignored 0x55"));
            rig.Skip(kHandshakeStepLimitMs);
        }
        const bool ended =
            RunEventsUntil([&] { return rig.host.LinkExists() || rig.host.lines.size() == 2; });
        ASSERT_TRUE(ended);
        EXPECT_EQ(rig.host.LinkExists(), c.linked);
        if (c.linked)
            continue;
        EXPECT_EQ(rig.host.lines, (std::vector<std::string>{"358 " + kLocal, c.lastLine}));
        EXPECT_TRUE(rig.WaitForSimLine(sim, "connect-back hung up by the other side"));
        // The server goes on waiting for the right gateway.
        EXPECT_TRUE(rig.server.Active());
        EXPECT_EQ(rig.server.ClientCount(), 0);
    }
}

TEST(CallbackServer, AFloodIsCappedAndNobodyIsGreetedWithoutTheWindow) {
    IpRig rig;
    ASSERT_TRUE(rig.server.Activate());
    QTcpSocket early;
    early.connectToHost(QHostAddress::LocalHost, rig.server.Port());
    EXPECT_TRUE(RunEventsUntil([&] { return Closed(early); }));
    EXPECT_TRUE(rig.host.lines.empty());

    rig.host.ShowDialling();
    std::vector<std::unique_ptr<QTcpSocket>> flood;
    for (int i = 0; i <= kMaxHandshakes; ++i) {
        flood.push_back(std::make_unique<QTcpSocket>());
        flood.back()->connectToHost(QHostAddress::LocalHost, rig.server.Port());
    }
    auto closedCount = [&] {
        return std::count_if(flood.begin(), flood.end(), [](const auto& s) { return Closed(*s); });
    };
    ASSERT_TRUE(rig.WaitForLines(size_t(kMaxHandshakes)));
    EXPECT_TRUE(RunEventsUntil([&] { return closedCount() == 1; }));
    EXPECT_EQ(rig.server.ClientCount(), kMaxHandshakes);
    EXPECT_EQ(rig.host.lines.size(), size_t(kMaxHandshakes));

    // Cancel closes them all and takes the server down.
    rig.server.CancelDialling();
    EXPECT_FALSE(rig.host.visible);
    EXPECT_FALSE(rig.server.Active());
    EXPECT_EQ(rig.terminal.m_Cancel, 1);
    EXPECT_TRUE(RunEventsUntil([&] { return closedCount() == kMaxHandshakes + 1; }));
}

TEST(CallbackServer, ALinkDroppedMidTransferEndsWithCodeSix) {
    IpRig rig;
    rig.Listen();
    SimProcess sim;
    ASSERT_TRUE(StartGateway(sim, kSerial, {"--callback-drop-after", "1000"}));
    SendWakeupSms(sim, WakeupTextFor(kSerial, rig.server.Port()));
    rig.user.ExpectMessage(kInformation, 257);
    rig.Skip(kProbeAfterMs);
    ASSERT_TRUE(RunEventsUntil([&] { return rig.host.LinkExists(); }));

    rig.link.SetTerminators(0);
    EXPECT_EQ(LinkCodeOf([&] { rig.link.LinkSendWait("e", 2049); }), CCOMTermExp::ConnectionLost);
    EXPECT_FALSE(rig.host.LinkExists());
    EXPECT_EQ(rig.host.stateChanges, 2);
    // With no window and no connection the next tick takes the server down.
    EXPECT_TRUE(RunEventsUntil([&] { return !rig.server.Active(); }));
    EXPECT_EQ(sim.Stop(), 0); // the gateway outlived its hang-up
}

TEST(CallbackServer, APortThatCannotBeListenedOnIsNamedAndNoSmsGoesOut) {
    QTcpServer taken;
    ASSERT_TRUE(taken.listen(QHostAddress::AnyIPv4, 0));
    QTcpServer probe; // what the system says about a port in use
    ASSERT_FALSE(probe.listen(QHostAddress::AnyIPv4, taken.serverPort()));
    const std::string port = std::to_string(taken.serverPort());

    const struct {
        int32_t port;
        int word;
        std::vector<std::string> details;
    } cases[] = {
        {int32_t(taken.serverPort()), 405, {port, probe.errorString().toStdString()}},
        {70000, 406, {"70000"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.port);
        IpRig rig;
        rig.settings.IpPort = c.port;
        rig.user.ExpectMessage(kError, c.word, c.details);
        const CIpServer::TConnectOutcome outcome = rig.server.Connect();
        EXPECT_FALSE(outcome.listening);
        EXPECT_FALSE(rig.server.Active());
        EXPECT_EQ(rig.host.timesShown, 0); // the wake-up never started
    }
}

} // namespace
} // namespace kw::test
