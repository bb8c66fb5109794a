// Attaching to the simulated gateway and reading its configuration, with the
// ways a gateway lets the tool down: silence, bad checksums, an unknown
// hardware letter, firmware that fails its check, a line that goes away.
#include "COMTermExp.h"
#include "ConfigImage.h"
#include "GatewayProtocol.h"
#include "GatewayRig.h"
#include "LinkTime.h"
#include "ParameterCatalogue.h"
#include "RandomConfiguration.h"

#include <QTimer>

namespace {

using namespace kw::test;
using Icon = CUserPort::Icon;
using kw::TransferResult;

class Read : public GatewayRig {};

TEST_F(Read, FillsTheRegistryAndLeavesTheExchangeOpen) {
    CParameters source;
    kw::RegisterCatalogue(source);
    std::mt19937 random(7);
    FillRandom(source, random);
    const Image memory = EncodedImage(source);
    StartSim({"--hw", "C", "--fw-version", "2.01", "--serial", "SN-77", "--operlock", "O2"},
             memory);
    pinChanged = passwordChanged = true;
    user.ExpectMessage(Icon::Information, 112);

    const kw::TransferOutcome outcome = kw::ReadFromGateway(Host());
    EXPECT_EQ(outcome.result, TransferResult::Done);
    EXPECT_EQ(EncodedImage(parameters), memory);
    EXPECT_EQ(parameters.GetValue("HWVer", 0), "C");
    EXPECT_EQ(parameters.GetValue("SWVer", 0), "2.01");
    EXPECT_EQ(parameters.GetValue("SerialNum", 0), "SN-77");
    EXPECT_EQ(parameters.GetValue("OperLock", 0), "O2");
    EXPECT_TRUE(parameters.m_Modified);
    EXPECT_EQ(hardwareText, "C");
    EXPECT_EQ(link.HardwareLetter(), 'C');
    EXPECT_FALSE(pinChanged);
    EXPECT_FALSE(passwordChanged);
    EXPECT_EQ(refreshes, 1);
    EXPECT_EQ(user.progressLog.front(), "show 104 bar");
    EXPECT_EQ(user.progressLog.back(), "hide");
    EXPECT_EQ(sim.LogLines(),
              (std::vector<std::string>{"U", "U", "B", "C", "B", "C", "D", "F", "e", "E"}));

    // The exchange stays open until it is released.
    EXPECT_TRUE(link.ExchangeOpen());
    EXPECT_TRUE(terminal.Comm().Enabled());
    kw::ReleaseGateway(link);
    EXPECT_FALSE(link.ExchangeOpen());
    EXPECT_FALSE(terminal.Comm().Enabled());
    EXPECT_TRUE(sim.WaitForLogLine("A"));
}

TEST_F(Read, RegionBBadThreeTimesFailsAfterOneGoodRegionA) {
    StartSim({"--fault", "bad-checksum-b:3"});
    const Image before = EncodedImage(parameters);
    user.ExpectMessage(Icon::Error, 113);
    EXPECT_EQ(kw::ReadFromGateway(Host()).result, TransferResult::Unreadable);
    const auto lines = sim.LogLines();
    EXPECT_EQ(CountLines(lines, "e"), 1);
    EXPECT_EQ(CountLines(lines, "E bad-checksum"), 3);
    EXPECT_EQ(CountLines(lines, "E"), 0);
    EXPECT_EQ(hardwareText, "");
    // The registry as it was, the identity included.
    EXPECT_EQ(parameters.GetValue("HWVer", 0), "");
    EXPECT_EQ(parameters.GetValue("SerialNum", 0), "");
    EXPECT_FALSE(parameters.m_Modified);
    EXPECT_EQ(EncodedImage(parameters), before);
    EXPECT_TRUE(link.ExchangeOpen());
}

TEST_F(Read, RegionATakesUpToThreeCopies) {
    StartSim({"--fault", "bad-checksum-a:2"});
    user.ExpectMessage(Icon::Information, 112);
    EXPECT_EQ(kw::ReadFromGateway(Host()).result, TransferResult::Done);
    const auto lines = sim.LogLines();
    EXPECT_EQ(CountLines(lines, "e bad-checksum"), 2);
    EXPECT_EQ(CountLines(lines, "e"), 1);
    EXPECT_EQ(CountLines(lines, "E"), 1);
}

TEST_F(Read, AModifiedConfigurationIsOnlyReplacedWhenTheUserAgrees) {
    StartSim({});
    hardwareText = "A";
    parameters.m_Modified = true;
    user.ExpectQuestion(Icon::Question, 334, false);
    EXPECT_EQ(kw::ReadFromGateway(Host()).result, TransferResult::Declined);
    EXPECT_TRUE(user.progressLog.empty());
    EXPECT_TRUE(sim.LogLines().empty());
}

TEST_F(Read, CancelDuringAttachEndsWithinOneReplyTimeOutAndClosesThePort) {
    StartSim({"--fault", "silent"});
    QTimer::singleShot(1500, [&] { user.PressCancel(); });
    const uint32_t start = kw::TickCount();
    EXPECT_EQ(kw::ReadFromGateway(Host()).result, TransferResult::AttachFailed);
    const uint32_t took = kw::TicksSince(start);
    EXPECT_GE(took, 1500u);
    EXPECT_LT(took, 1500u + 1000u);
    EXPECT_FALSE(terminal.Comm().Enabled());
    EXPECT_FALSE(link.ExchangeOpen());
    EXPECT_EQ(refreshes, 1);
    // The silent gateway was asked again after each time-out.
    EXPECT_GE(CountLines(sim.LogLines(), "U silent"), 2);
}

TEST_F(Read, AnUnknownHardwareLetterIsRefused) {
    StartSim({"--fault", "hw-letter:B"});
    user.ExpectMessage(Icon::Error, 176);
    EXPECT_EQ(kw::ReadFromGateway(Host()).result, TransferResult::AttachFailed);
    EXPECT_TRUE(link.ExchangeOpen()); // not released
    EXPECT_EQ(link.HardwareLetter(), 0);
}

TEST_F(Read, FirmwareFailingItsCheckOffersTheUpgrade) {
    StartSim({"--fw-version", "BOOT"});
    user.ExpectQuestion(Icon::Error, 174, false);
    EXPECT_EQ(kw::ReadFromGateway(Host()).result, TransferResult::AttachFailed);

    // Yes with no upgrade available: the attach fails as well.
    user.ExpectQuestion(Icon::Error, 174, true);
    EXPECT_EQ(kw::ReadFromGateway(Host()).result, TransferResult::AttachFailed);

    // Yes with the upgrade installed: its result is the attach's.
    int upgrades = 0;
    link.SetUnattendedUpgrade([&] {
        ++upgrades;
        return false;
    });
    user.ExpectQuestion(Icon::Error, 174, true);
    EXPECT_FALSE(kw::AttachGateway(link, user, true));
    link.SetUnattendedUpgrade([&] {
        ++upgrades;
        return true;
    });
    user.ExpectQuestion(Icon::Error, 174, true);
    EXPECT_TRUE(kw::AttachGateway(link, user, true));
    EXPECT_EQ(upgrades, 2);
    EXPECT_TRUE(kw::AttachGateway(link, user, false)); // no check: no question
}

TEST_F(Read, VersionsWithADigitFirstOrADotSecondPass) {
    for (const char* version : {"1.07", "A.1"}) {
        SimProcess gateway;
        ASSERT_TRUE(gateway.Start({"--fw-version", version}));
        link.SetComPort(gateway.LinkPath());
        EXPECT_TRUE(kw::AttachGateway(link, user, true)) << version;
        terminal.ClosePort();
    }
}

TEST_F(Read, APortThatCannotBeOpenedIsReported) {
    link.SetComPort("/nonexistent/port");
    user.ExpectMessage(Icon::Error, 125);
    EXPECT_EQ(kw::ReadFromGateway(Host()).result, TransferResult::AttachFailed);
    EXPECT_EQ(user.progressLog.back(), "hide");
}

TEST_F(Read, ASteadyTrickleNeverTimesOut) {
    // 100 ms between bytes; the serial number's 14 bytes take 1.4 s, far more
    // than the 300 ms of silence allowed.
    StartSim({"--fault", "trickle:100"});
    ASSERT_TRUE(kw::AttachGateway(link, user, false));
    link.SetReplyTimeOuts(300);
    EXPECT_EQ(link.LinkSendExpect("D"), 1);
    char reply[32] = {};
    link.LinkCopy(reply, 31);
    EXPECT_STREQ(reply + 1, "10-2024-0001");
}

TEST_F(Read, ALineThatDropsEndsTheReadWithATimeOut) {
    StartSim({"--fault", "drop-after:3000"});
    user.ExpectMessage(Icon::Error, 110, {"CE_CONNECTION_TIMEOUT"});
    const uint32_t start = kw::TickCount();
    const kw::TransferOutcome outcome = kw::ReadFromGateway(Host());
    EXPECT_EQ(outcome.result, TransferResult::LinkFailed);
    EXPECT_EQ(outcome.linkCode, CCOMTermExp::TimedOut);
    EXPECT_LT(kw::TicksSince(start), 5000u);
    EXPECT_EQ(user.progressLog.back(), "hide");
}

} // namespace
