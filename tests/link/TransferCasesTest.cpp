// Corners of attaching, releasing, reading and writing: the sync reply the
// gateway may choose, an attach that succeeds on its second try, Cancel at
// every stage after the exchange is open, when ReleaseGateway has nothing to
// do, and which hardware letters a configuration may be written to.
#include "COMTermExp.h"
#include "GatewayProtocol.h"
#include "GatewayRig.h"
#include "LinkTime.h"
#include "PtyPeer.h"
#include "Words.h"

#include <QTimer>

namespace {

using namespace kw::test;
using Icon = CUserPort::Icon;
using kw::TransferResult;

const std::string kLetterA("BA\0", 3);
const std::string kVersion("C1.07\0", 6);

// A gateway that answers the attach by a script, on a real pseudo-terminal.
class ScriptedGateway : public ::testing::Test {
protected:
    ScriptedGateway() { link.SetComPort(peer.Path()); }

    PtyPeer peer;
    CCOMTerminal terminal;
    kw::CGatewayLink link{terminal};
    ScriptedUserPort user;
};

struct SyncCase {
    const char* first;
    const char* second;
};

void PrintTo(const SyncCase& c, std::ostream* out) {
    *out << c.first << c.second;
}

class SyncReplies : public ScriptedGateway, public ::testing::WithParamInterface<SyncCase> {};

TEST_P(SyncReplies, EitherLetterIsAsGoodAsTheOther) {
    peer.AddRule({"U", GetParam().first});
    peer.AddRule({"U", GetParam().second});
    peer.AddRule({"B", kLetterA});
    peer.AddRule({"C", kVersion});
    EXPECT_TRUE(kw::AttachGateway(link, user, true));
    EXPECT_EQ(link.HardwareLetter(), 'A');
    EXPECT_EQ(peer.Received(), "UUBC");
}

INSTANTIATE_TEST_SUITE_P(Attach, SyncReplies,
                         ::testing::Values(SyncCase{"X", "X"}, SyncCase{"Y", "Y"},
                                           SyncCase{"Y", "X"}, SyncCase{"X", "Y"}),
                         [](const ::testing::TestParamInfo<SyncCase>& info) {
                             return std::string(info.param.first) + info.param.second;
                         });

TEST_F(ScriptedGateway, AnAttachThatTimesOutOnceSucceedsOnItsSecondTry) {
    peer.AddRule({"U", ""}); // the first sync goes unanswered
    peer.AddRule({"U", "X"});
    peer.AddRule({"U", "X"});
    peer.AddRule({"B", kLetterA});
    peer.AddRule({"C", kVersion});
    const uint32_t start = kw::TickCount();
    EXPECT_TRUE(kw::AttachGateway(link, user, true));
    const uint32_t took = kw::TicksSince(start);
    EXPECT_GE(took, 1000u); // one reply time-out
    EXPECT_LT(took, 3000u);
    EXPECT_EQ(peer.Received(), "UUUBC");
}

TEST_F(ScriptedGateway, CancelAfterTheExchangeOpenedLeavesItToTheRelease) {
    peer.AddRule({"U", "X"});
    peer.AddRule({"U", "X"}); // and then "B" goes unanswered
    link.Tap().Add([this](const kw::TLinkTapEvent& event) {
        if (event.Sent() && event.bytes == "B")
            QTimer::singleShot(100, [this] { user.PressCancel(); });
    });
    CParameters parameters;
    std::string hardwareText;
    bool pinChanged = false, passwordChanged = false;
    const kw::TTransferHost host{link,       parameters,      user, hardwareText,
                                 pinChanged, passwordChanged, {},   {}};
    EXPECT_EQ(kw::ReadFromGateway(host).result, TransferResult::AttachFailed);
    EXPECT_FALSE(terminal.Comm().Enabled());
    // The gateway was asked for its letter, so its exchange is open until "A".
    EXPECT_TRUE(link.ExchangeOpen());
    kw::ReleaseGateway(link);
    EXPECT_FALSE(link.ExchangeOpen());
    ASSERT_TRUE(peer.WaitForReceived(4));
    EXPECT_EQ(peer.Received(), "UUBA");
}

struct ReleaseCase {
    const char* name;
    kw::CGatewayLink::ConnectionType type;
    bool connected;
    bool exchangeOpen;
    bool sendsA;
};

void PrintTo(const ReleaseCase& c, std::ostream* out) {
    *out << c.name;
}

class Release : public ScriptedGateway, public ::testing::WithParamInterface<ReleaseCase> {};

TEST_P(Release, EndsOnlyAnOpenCableExchange) {
    const ReleaseCase& c = GetParam();
    link.SetConType(c.type);
    link.SetConnectionState(c.connected, false);
    link.SetExchangeOpen(c.exchangeOpen);
    kw::ReleaseGateway(link);
    EXPECT_FALSE(terminal.Comm().Enabled());
    if (c.sendsA) {
        EXPECT_FALSE(link.ExchangeOpen());
        ASSERT_TRUE(peer.WaitForReceived(1));
        EXPECT_EQ(peer.Received(), "A");
    } else {
        EXPECT_EQ(link.ExchangeOpen(), c.exchangeOpen);
        EXPECT_EQ(terminal.m_LastRate, 0) << "the port was opened";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Gateway, Release,
    ::testing::Values(
        ReleaseCase{"OpenCableExchange", kw::CGatewayLink::SerialCable, false, true, true},
        ReleaseCase{"NoExchangeOpen", kw::CGatewayLink::SerialCable, false, false, false},
        ReleaseCase{"ConnectedCall", kw::CGatewayLink::SerialCable, true, true, false},
        ReleaseCase{"ModemCall", kw::CGatewayLink::ModemCall, false, true, false},
        ReleaseCase{"TcpIp", kw::CGatewayLink::TcpIp, false, true, false}),
    [](const ::testing::TestParamInfo<ReleaseCase>& info) { return info.param.name; });

struct PairCase {
    const char* configuration; // the hardware text; "" when no configuration is loaded
    char gateway;
    bool fits;
};

void PrintTo(const PairCase& c, std::ostream* out) {
    *out << (*c.configuration != 0 ? c.configuration : "none") << " to " << c.gateway;
}

class HardwarePairs : public GatewayRig, public ::testing::WithParamInterface<PairCase> {};

TEST_P(HardwarePairs, AConfigurationGoesOnlyToItsOwnLetterOrItsPartner) {
    const PairCase& c = GetParam();
    StartSim({"--hw", std::string(1, c.gateway)});
    parameters.SetValue("HWVer", 0, c.configuration);
    hardwareText = c.configuration;
    if (c.fits)
        user.ExpectMessage(Icon::Information, 114);
    else
        user.ExpectMessage(Icon::Error, 333);
    EXPECT_EQ(kw::WriteToGateway(Host()).result,
              c.fits ? TransferResult::Done : TransferResult::Incompatible);
    EXPECT_EQ(CountLines(sim.LogLines(), "g X"), c.fits ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Write, HardwarePairs,
    ::testing::Values(PairCase{"A", 'D', true}, PairCase{"D", 'A', true}, PairCase{"C", 'F', true},
                      PairCase{"F", 'C', true}, PairCase{"E", 'G', true}, PairCase{"G", 'E', true},
                      PairCase{"C", 'D', false}, PairCase{"D", 'C', false},
                      PairCase{"A", 'C', false}, PairCase{"E", 'A', false},
                      PairCase{"", 'A', false}),
    [](const ::testing::TestParamInfo<PairCase>& info) {
        return std::string(*info.param.configuration != 0 ? info.param.configuration : "None") +
               "To" + info.param.gateway;
    });

struct CancelCase {
    const char* name;
    bool write;
    const char* fault;   // keeps the gateway from answering before Cancel
    std::string pressAt; // Cancel is pressed soon after this went out
    bool mayBeIncomplete;
};

void PrintTo(const CancelCase& c, std::ostream* out) {
    *out << c.name;
}

class CancelAfterAttach : public GatewayRig, public ::testing::WithParamInterface<CancelCase> {};

TEST_P(CancelAfterAttach, EndsTheCommandQuietlyUnlessDataWentOut) {
    const CancelCase& c = GetParam();
    StartSim({"--fault", c.fault});
    if (c.write) {
        parameters.SetValue("HWVer", 0, "A");
        hardwareText = "A";
    }
    const Image image = EncodedImage(parameters);
    const std::string letter = parameters.GetValue("HWVer", 0);
    link.Tap().Add([this, &c](const kw::TLinkTapEvent& event) {
        if (event.Sent() && event.bytes == c.pressAt)
            QTimer::singleShot(100, [this] { user.PressCancel(); });
    });
    if (c.mayBeIncomplete)
        user.ExpectMessage(Icon::Error, kw::word::kWriteMayBeIncomplete);
    const uint32_t start = kw::TickCount();
    const kw::TransferOutcome outcome =
        c.write ? kw::WriteToGateway(Host()) : kw::ReadFromGateway(Host());
    EXPECT_EQ(outcome.result, TransferResult::LinkFailed);
    EXPECT_EQ(outcome.linkCode, CCOMTermExp::Cancelled);
    EXPECT_LT(kw::TicksSince(start), 2500u); // not the gateway's late reply
    EXPECT_EQ(EncodedImage(parameters), image);
    EXPECT_EQ(parameters.GetValue("HWVer", 0), letter);
    EXPECT_EQ(user.progressLog.back(), "hide");
}

INSTANTIATE_TEST_SUITE_P(
    Transfer, CancelAfterAttach,
    ::testing::Values(CancelCase{"ReadAtRegionB", false, "delay:E:3000", "E", false},
                      CancelCase{"WriteBeforeSending", true, "delay:e:3000:1", "e", false},
                      CancelCase{"WriteAtAChunk", true, "delay:G:3000:1", "G", true}),
    [](const ::testing::TestParamInfo<CancelCase>& info) { return info.param.name; });

} // namespace
