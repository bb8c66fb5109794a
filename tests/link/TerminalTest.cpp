// The serial terminal over a real pseudo-terminal: completion tests, silence
// time-outs, cancel, the receive buffer, and opening ports by name.
#include "COMTermExp.h"
#include "COMTerminal.h"
#include "EventLoopWait.h"
#include "LinkCode.h"
#include "LinkTime.h"
#include "PortName.h"
#include "PtyPeer.h"
#include "TempDir.h"

#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using kw::test::LinkCodeOf;
using kw::test::PtyPeer;
using Rule = PtyPeer::Rule;

class Terminal : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(terminal.OpenPort(peer.Path(), 19200));
        terminal.m_Terminator = 0;
        terminal.m_TimeOut = 300;
    }
    PtyPeer peer;
    CCOMTerminal terminal;
};

TEST_F(Terminal, OpeningResetsTheTerminatorAndItIsSentAfterTheText) {
    terminal.m_Terminator = 0;
    ASSERT_TRUE(terminal.OpenPort(peer.Path(), 19200));
    EXPECT_EQ(terminal.m_Terminator, 13);
    peer.AddRule({"AT\r", "OK\r\n"});
    EXPECT_EQ(terminal.SendExpect("AT", {"OK", "ERROR"}), 1);
    EXPECT_EQ(peer.Received(), "AT\r");
}

TEST_F(Terminal, FirstListedReplyWinsWhateverItsPlace) {
    peer.AddRule({"q", "YX"});
    EXPECT_EQ(terminal.SendExpect("q", {"X", "Y"}), 1);
    peer.AddRule({"r", "..Y"});
    EXPECT_EQ(terminal.SendExpect("r", {"X", "Y"}), 2);
}

TEST_F(Terminal, ZeroTerminatedReplyEndsWhenTheLastByteIsZero) {
    // A zero received earlier does not end the wait; the one at the end does.
    peer.AddRule({"B", std::string("\0AB", 3)});
    QTimer::singleShot(100, [&] { peer.Send(std::string(1, '\0')); });
    EXPECT_EQ(terminal.SendExpect("B"), 1);
    EXPECT_EQ(terminal.Buffer().Count(), 4);
}

TEST_F(Terminal, AZeroBeforeTheExpectedTextHidesIt) {
    peer.AddRule({"q", std::string("a\0X", 3)});
    EXPECT_EQ(LinkCodeOf([&] { terminal.SendExpect("q", {"X"}); }), CCOMTermExp::TimedOut);
    EXPECT_EQ(terminal.Buffer().Count(), 3); // the buffer survives the failure
}

TEST_F(Terminal, SendWaitReturnsOnceTheCountHasArrived) {
    peer.AddRule({"e", std::string(2100, 'r')});
    EXPECT_TRUE(terminal.SendWait("e", 2049));
    EXPECT_GE(terminal.Buffer().Count(), 2049);
    EXPECT_TRUE(kw::test::RunEventsUntil([&] { return terminal.Buffer().Count() == 2100; }));
}

TEST_F(Terminal, EmptyTextSendsNothingAndKeepsWhatCame) {
    peer.AddRule({"q", "OK"});
    EXPECT_EQ(terminal.SendExpect("q", {"OK"}), 1);
    const uint32_t start = kw::TickCount();
    EXPECT_EQ(terminal.SendExpect("", {"OK"}), 1); // found on the first poll
    // Well before the time-out, however slow the machine.
    EXPECT_LT(kw::TicksSince(start), uint32_t(terminal.m_TimeOut));
    EXPECT_EQ(peer.Received(), "q");
}

TEST_F(Terminal, SilenceTimesOutButASteadyTrickleDoesNot) {
    // 30 bytes, one every 50 ms: 1.5 s in all, ten times the 150 ms time-out.
    terminal.m_TimeOut = 150;
    peer.AddRule({"t", std::string(30, 'x'), 50});
    EXPECT_TRUE(terminal.SendWait("t", 30));

    testing::internal::CaptureStderr();
    const uint32_t start = kw::TickCount();
    EXPECT_EQ(LinkCodeOf([&] { terminal.SendWait("s", 1); }), CCOMTermExp::TimedOut);
    const uint32_t waited = kw::TicksSince(start);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Connection timeout\n");
    const auto timeOut = uint32_t(terminal.m_TimeOut);
    EXPECT_GE(waited, timeOut);
    // Ended by the time-out, nowhere near the trickle's ten time-outs.
    EXPECT_LT(waited, 5 * timeOut);

    testing::internal::CaptureStderr();
    EXPECT_EQ(LinkCodeOf([&] { terminal.SendExpect("s", {"X"}); }), CCOMTermExp::TimedOut);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), ""); // SendExpect leaves no trace
    testing::internal::CaptureStderr();
    EXPECT_EQ(LinkCodeOf([&] { terminal.SendExpectRepeat("s", "\"", 2); }), CCOMTermExp::TimedOut);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Connection timeout\n");
}

TEST_F(Terminal, CancelEndsAWaitAndIsForgottenByTheNext) {
    terminal.m_TimeOut = 5000;
    QTimer::singleShot(100, [&] { terminal.m_Cancel = 1; });
    const uint32_t start = kw::TickCount();
    EXPECT_EQ(LinkCodeOf([&] { terminal.SendWait("x", 1); }), CCOMTermExp::Cancelled);
    EXPECT_LT(kw::TicksSince(start), 1000u);
    // The latch is still set, but each wait clears it as it starts.
    peer.AddRule({"y", "1"});
    EXPECT_TRUE(terminal.SendWait("y", 1));
}

TEST_F(Terminal, RepeatedRepliesAndExtraction) {
    peer.AddRule({"Z", "\"abc", 0});
    EXPECT_EQ(terminal.SendExpect("Z", {"\"", "Y"}), 1);
    peer.Send("def\"");
    EXPECT_TRUE(terminal.SendExpectRepeat("", "\"", 2));
    EXPECT_EQ(terminal.ExtractBetween("\"", "\""), "abcdef");

    peer.AddRule({"AT+CSQ", "\r\n+CSQ: \t17,99\r\nOK\r\n"});
    EXPECT_EQ(terminal.SendExpect("AT+CSQ", {"OK"}), 1);
    EXPECT_EQ(terminal.ExtractBetween("+CSQ:", ","), "17");
    EXPECT_EQ(LinkCodeOf([&] { terminal.ExtractBetween("+CREG:", ","); }),
              CCOMTermExp::ParsingError);
    EXPECT_EQ(LinkCodeOf([&] { terminal.ExtractBetween("OK", "never"); }),
              CCOMTermExp::ParsingError);
}

TEST_F(Terminal, ALongReplyWrapsTheBuffer) {
    // 20005 bytes: the count starts again at 0 after 20000, so a wait for
    // 20001 bytes can never be met and runs into the time-out.
    std::string reply(20000, 'a');
    reply += "bcdef";
    peer.AddRule({"w", reply});
    EXPECT_EQ(LinkCodeOf([&] { terminal.SendWait("w", 20001); }), CCOMTermExp::TimedOut);
    ASSERT_EQ(terminal.Buffer().Count(), 5);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(terminal.Buffer().Data()), 5), "bcdef");
}

TEST_F(Terminal, AFailedWriteIsCodeFour) {
    terminal.ClosePort();
    EXPECT_EQ(LinkCodeOf([&] { terminal.SendWait("x", 1); }), CCOMTermExp::WriteFailed);
}

TEST(PortNames, ComNamesAreNumberedPortsAndOthersPaths) {
    EXPECT_EQ(kw::DevicePathForPort("Com1"), "/dev/ttyS0");
    EXPECT_EQ(kw::DevicePathForPort("com12"), "/dev/ttyS11");
    EXPECT_EQ(kw::DevicePathForPort("cOM255"), "/dev/ttyS254");
    EXPECT_EQ(kw::DevicePathForPort("COM1000"), "COM1000"); // seven characters
    EXPECT_EQ(kw::DevicePathForPort("/dev/ttyUSB0"), "/dev/ttyUSB0");
    EXPECT_EQ(kw::DevicePathForPort("Com"), "Com");
}

TEST(OpenPort, NamesAreMappedOrUsedAsGiven) {
    CCOMTerminal terminal;
    EXPECT_EQ(LinkCodeOf([&] { terminal.OpenPort("com12", 19200); }), CCOMTermExp::PortUnavailable);
    EXPECT_EQ(terminal.Comm().DeviceName(), "/dev/ttyS11");

    // "COM1000" is a path of its own: relative to the working folder.
    PtyPeer peer;
    kw::test::TempDir dir;
    std::filesystem::create_symlink(peer.Path(), dir.Path("COM1000"));
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.Dir());
    const bool opened = terminal.OpenPort("COM1000", 19200);
    std::filesystem::current_path(previous);
    EXPECT_TRUE(opened);
    EXPECT_EQ(terminal.Comm().DeviceName(), "COM1000");
}

TEST(OpenPort, ReopeningTheSamePortWaitsForItButAnotherFailsAtOnce) {
    PtyPeer peer;
    PtyPeer other;
    CCOMTerminal terminal;
    ASSERT_TRUE(terminal.OpenPort(peer.Path(), 19200));

    // While the terminal pauses after closing, somebody else grabs the port
    // for a moment: the re-open is tried again until it is free.
    TComm intruder;
    intruder.SetDeviceName(peer.Path());
    QTimer::singleShot(20, [&] { intruder.Open(); });
    QTimer::singleShot(400, [&] { intruder.Close(); });
    EXPECT_TRUE(terminal.OpenPort(peer.Path(), 19200));
    EXPECT_FALSE(intruder.Enabled());

    // Another port in use fails without retries.
    TComm holder;
    holder.SetDeviceName(other.Path());
    holder.Open();
    const uint32_t start = kw::TickCount();
    EXPECT_EQ(LinkCodeOf([&] { terminal.OpenPort(other.Path(), 19200); }),
              CCOMTermExp::PortUnavailable);
    EXPECT_LT(kw::TicksSince(start), 1000u); // 21 attempts would take over two seconds
    EXPECT_NE(terminal.LastOpenError().find("(Error: 16)"), std::string::npos);
}

} // namespace
