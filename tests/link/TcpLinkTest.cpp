// The link facade's TCP path over 127.0.0.1: the same send-and-wait rules on
// the linked connection, its terminator and time-out, the progress cancel
// latch that stays set, and a connection that vanishes during a wait.
#include "COMTermExp.h"
#include "EventLoopWait.h"
#include "GatewayLink.h"
#include "GatewayProtocol.h"
#include "LinkCode.h"
#include "LinkTime.h"
#include "ScriptedUserPort.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

using kw::test::LinkCodeOf;
// A gateway at the other end of a TCP connection, answering by a function.
class TcpLink : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
        gateway.connectToHost(QHostAddress::LocalHost, server.serverPort());
        ASSERT_TRUE(kw::test::RunEventsUntil([&] { return server.hasPendingConnections(); }));
        QTcpSocket* accepted = server.nextPendingConnection();
        // What the server's read handler does with the linked connection.
        QObject::connect(accepted, &QTcpSocket::readyRead, [this, accepted] {
            const QByteArray bytes = accepted->readAll();
            link.LinkReceive(reinterpret_cast<const uint8_t*>(bytes.constData()),
                             static_cast<int32_t>(bytes.size()));
        });
        QObject::connect(&gateway, &QTcpSocket::readyRead, [this] {
            received += gateway.readAll().toStdString();
            if (answer)
                answer();
        });
        link.SetConType(kw::CGatewayLink::TcpIp);
        link.SetConnectionState(true, false);
        link.SetLinkedConnection(accepted);
        link.SetReplyTimeOuts(300);
    }

    QTcpServer server;
    QTcpSocket gateway;
    std::string received;
    std::function<void()> answer;
    CCOMTerminal terminal;
    kw::CGatewayLink link{terminal};
};

TEST_F(TcpLink, CommandsGetTheirTerminatorAndRepliesAreMatched) {
    link.SetTerminators(0x10D); // only the low byte goes over TCP
    answer = [&] {
        if (received == "AT\r")
            gateway.write("\r\nOK\r\n");
    };
    EXPECT_EQ(link.LinkSendExpect("AT", {"ERROR", "OK"}), 2);
    EXPECT_EQ(received, "AT\r");

    link.SetTerminators(0);
    received.clear();
    answer = [&] {
        if (received == "e")
            gateway.write(QByteArray(2049, 'r'));
    };
    EXPECT_TRUE(link.LinkSendWait("e", 2049));
    uint8_t copy[4] = {};
    link.LinkCopy(copy, 4);
    EXPECT_EQ(copy[0], 'r');
    link.LinkClear();
    EXPECT_EQ(link.LinkBuffer().Count(), 0);
}

TEST_F(TcpLink, RawWritesThenAnAcknowledgement) {
    answer = [&] {
        if (received.size() == 3)
            gateway.write("X");
    };
    link.LinkClear();
    link.LinkWrite("g", 1);
    link.LinkWrite("ab", 2);
    EXPECT_EQ(link.LinkSendExpect("", {"X", "Y"}), 1);
    EXPECT_EQ(received, "gab");
}

TEST_F(TcpLink, SilenceTimesOut) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(LinkCodeOf([&] { link.LinkSendWait("x", 1); }), CCOMTermExp::TimedOut);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Connection timeout\n");
}

TEST_F(TcpLink, TheProgressCancelStaysUntilTheNextProgressWindow) {
    link.PressProgressCancel();
    EXPECT_EQ(LinkCodeOf([&] { link.LinkSendExpect("x", {"X"}); }), CCOMTermExp::Cancelled);
    EXPECT_EQ(LinkCodeOf([&] { link.LinkSendExpect("x", {"X"}); }), CCOMTermExp::Cancelled);
    link.ClearProgressCancel(); // a progress window opened
    answer = [&] { gateway.write("X"); };
    EXPECT_EQ(link.LinkSendExpect("y", {"X"}), 1);

    // The exit command's link latch is cleared by each wait as it starts.
    link.PressExit();
    answer = {};
    QTimer::singleShot(50, [&] { link.PressExit(); });
    EXPECT_EQ(LinkCodeOf([&] { link.LinkSendExpect("z", {"X"}); }), CCOMTermExp::Cancelled);
}

TEST_F(TcpLink, AConnectionDroppedDuringAWaitIsCodeSix) {
    link.SetReplyTimeOuts(5000);
    answer = [&] { gateway.abort(); };
    const uint32_t start = kw::TickCount();
    EXPECT_EQ(LinkCodeOf([&] { link.LinkSendWait("x", 1); }), CCOMTermExp::ConnectionLost);
    EXPECT_LT(kw::TicksSince(start), 2000u);
    EXPECT_EQ(LinkCodeOf([&] { link.LinkWrite("x", 1); }), CCOMTermExp::ConnectionLost);
    link.SetLinkedConnection(nullptr);
    EXPECT_EQ(LinkCodeOf([&] { link.LinkSendExpect("", {"X"}); }), CCOMTermExp::ConnectionLost);
}

// Asking again is for a gateway that did not answer; a connection that is gone
// fails again before any wait, so asking again would spin without ever letting
// Cancel in. It ends the attach at once, reported as the lost connection.
TEST_F(TcpLink, AnAttachEndsOnALostConnectionAndAsksASilentGatewayAgain) {
    struct Case {
        const char* name;
        bool hangUp;
        int cancelAfter; // Cancel is pressed at this "B"
        int asked;       // "B" sent in all
        bool reported;
    };
    const Case cases[] = {
        {"gateway silent", false, 3, 3, false},
        {"connection gone", true, 50, 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.hangUp) {
            gateway.abort();
            ASSERT_TRUE(kw::test::RunEventsUntil([&] {
                return link.LinkedConnection()->state() == QAbstractSocket::UnconnectedState;
            }));
        }
        kw::test::ScriptedUserPort user;
        if (c.reported)
            user.ExpectMessage(CUserPort::Icon::Error, 110, {"CE_CONNECTION_LOST"});
        int asked = 0;
        const kw::CTapListener cancelAtB(link.Tap(), [&](const kw::TLinkTapEvent& event) {
            if (event.Sent() && event.bytes == "B" && ++asked == c.cancelAfter)
                user.PressCancel();
        });
        link.SetReplyTimeOuts(100);
        EXPECT_FALSE(kw::AttachGateway(link, user, true));
        EXPECT_EQ(asked, c.asked);
    }
}

TEST(LinkIdle, EndsWithTheTimeTheWindowOrTheProgram) {
    CCOMTerminal terminal;
    kw::CGatewayLink link(terminal);
    uint32_t start = kw::TickCount();
    link.LinkIdle(150);
    EXPECT_GE(kw::TicksSince(start), 150u);

    bool dialogVisible = true;
    QTimer::singleShot(50, [&] { dialogVisible = false; });
    start = kw::TickCount();
    link.LinkIdle(5000, [&] { return dialogVisible; });
    EXPECT_LT(kw::TicksSince(start), 1000u);

    QTimer::singleShot(50, [&] { link.SetClosing(); });
    start = kw::TickCount();
    link.LinkIdle(5000);
    EXPECT_LT(kw::TicksSince(start), 1000u);
}

} // namespace
