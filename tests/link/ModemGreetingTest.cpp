// The greeting after a modem data call has connected, against a scripted far
// end: each step's reply, the quoted text awaited to its end, and silence.
#include "COMTermExp.h"
#include "GatewayLink.h"
#include "GatewayProtocol.h"
#include "PtyPeer.h"

#include <QTimer>

#include <gtest/gtest.h>

namespace {

using kw::test::PtyPeer;

class Greeting : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(terminal.OpenPort(peer.Path(), 19200)); }
    PtyPeer peer;
    CCOMTerminal terminal;
    kw::CGatewayLink link{terminal};
    std::vector<int> steps;
};

TEST_F(Greeting, WaitsForTheWholeQuotedText) {
    peer.AddRule({"U", "Y"});
    peer.AddRule({"X", "U"});
    peer.AddRule({"Z", "\"GW 10-2024"});
    QTimer::singleShot(300, [&] { peer.Send("-0001\""); }); // the closing quote comes later
    kw::ModemGreeting(link, [&](int step) { steps.push_back(step); });
    EXPECT_EQ(steps, (std::vector<int>{1, 2}));
    EXPECT_EQ(peer.Received(), "UXZ");
    EXPECT_EQ(terminal.m_TimeOut, 20000);
    EXPECT_EQ(terminal.m_Terminator, 0);
    EXPECT_EQ(terminal.ExtractBetween("\"", "\""), "GW 10-2024-0001");
}

TEST_F(Greeting, AYAfterZEndsItAtOnce) {
    peer.AddRule({"U", "X"});
    peer.AddRule({"X", "X"});
    peer.AddRule({"Z", "Y"});
    kw::ModemGreeting(link);
    EXPECT_EQ(peer.Received(), "UXZ");
}

} // namespace
