// Writing a configuration to the simulated gateway: what ends up in its memory,
// the ranges it keeps, the hardware pairs, the modem-number question, refused
// writes and the time-outs in force while sending and reading back.
#include "COMTermExp.h"
#include "ConfigImage.h"
#include "GatewayProtocol.h"
#include "GatewayRig.h"
#include "LinkTime.h"
#include "ParameterCatalogue.h"
#include "PtyPeer.h"
#include "RandomConfiguration.h"
#include "Words.h"

#include <cstring>

namespace {

using namespace kw::test;
using Icon = CUserPort::Icon;
using kw::TransferResult;
constexpr int kMayBeIncomplete = kw::word::kWriteMayBeIncomplete;

// Image ranges the gateway keeps: transfer date, service password, PIN.
constexpr int kDate = 1072, kDateSize = 15, kPassword = 2038, kPin = 2042;

// Empties the modem-number slots (numbers and their sub-string lengths), so a
// configuration and a gateway agree on them.
void ClearModemSlots(CParameters& parameters) {
    for (int n = 1; n <= 5; ++n) {
        parameters.SetValue("ModemNum" + std::to_string(n), 0, "");
        parameters.SetValue("SubString" + std::to_string(n), 0, "0");
    }
}

class Write : public GatewayRig {
protected:
    // A random configuration of variant `letter`, with the gateway's own modem
    // numbers so that no question comes up.
    void MakeConfiguration(const char* letter, unsigned seed) {
        std::mt19937 random(seed);
        FillRandom(parameters, random);
        ClearModemSlots(parameters);
        parameters.SetValue("HWVer", 0, letter);
        hardwareText = letter;
    }
    Image GatewayMemory() const { return ReadImageFile(MemoryPath()); }
};

// The memory a gateway should hold after the write: the configuration, with
// the gateway's bytes where it keeps them and the checksums made again.
Image Expected(Image image, const Image& gateway, bool pinChanged, bool passwordChanged) {
    std::memcpy(&image[kDate], &gateway[kDate], kDateSize);
    if (!passwordChanged)
        std::memcpy(&image[kPassword], &gateway[kPassword], 4);
    if (!pinChanged)
        std::memcpy(&image[kPin], &gateway[kPin], 4);
    kw::StoreRegionChecksum(image.data(), kw::kRegionA);
    kw::StoreRegionChecksum(image.data(), kw::kRegionB);
    return image;
}

// A gateway memory with its own transfer date, password and PIN.
Image GatewayOwnMemory() {
    CParameters own;
    kw::RegisterCatalogue(own);
    std::mt19937 random(99);
    FillRandom(own, random);
    ClearModemSlots(own);
    own.SetValue("PINVal", 0, "4321");
    own.SetValue("ServisPassw", 0, "8765");
    return EncodedImage(own);
}

TEST_F(Write, LetterDTakesAnAConfigurationAndKeepsItsOwnRanges) {
    const Image own = GatewayOwnMemory();
    StartSim({"--hw", "D"}, own);
    MakeConfiguration("A", 3);
    parameters.SetValue("PINVal", 0, "1234");
    pinChanged = true; // edited on the security page; the password was not
    user.ExpectMessage(Icon::Information, 114);

    EXPECT_EQ(kw::WriteToGateway(Host()).result, TransferResult::Done);
    const Image written = GatewayMemory();
    EXPECT_EQ(written, Expected(EncodedImage(parameters), own, true, false));
    EXPECT_EQ(std::memcmp(&written[kDate], &own[kDate], kDateSize), 0);
    EXPECT_EQ(std::memcmp(&written[kPassword], &own[kPassword], 4), 0);
    EXPECT_NE(std::memcmp(&written[kPin], &own[kPin], 4), 0);

    // The cable exchange was released: "A" sent, port closed.
    EXPECT_FALSE(link.ExchangeOpen());
    EXPECT_FALSE(terminal.Comm().Enabled());
    EXPECT_TRUE(sim.WaitForLogLine("A"));
    EXPECT_EQ(user.progressLog.front(), "show 104 bar");
    EXPECT_EQ(user.progressLog.back(), "hide");
    EXPECT_EQ(user.progressPosition, 10);
}

TEST_F(Write, AnEditedPasswordIsSentAndAnUneditedPinKept) {
    const Image own = GatewayOwnMemory();
    StartSim({}, own);
    MakeConfiguration("A", 4);
    parameters.SetValue("ServisPassw", 0, "5555");
    passwordChanged = true;
    user.ExpectMessage(Icon::Information, 114);
    EXPECT_EQ(kw::WriteToGateway(Host()).result, TransferResult::Done);
    EXPECT_EQ(GatewayMemory(), Expected(EncodedImage(parameters), own, false, true));
}

TEST_F(Write, SendsWithTheLongTimeOutAndReadsBackWithTheShortOne) {
    StartSim({});
    MakeConfiguration("A", 5);
    user.ExpectMessage(Icon::Information, 114);
    ASSERT_EQ(kw::WriteToGateway(Host()).result, TransferResult::Done);
    // What followed the "g": the region, the acknowledgement, the read-back,
    // the same for region B, and the end of the exchange.
    std::vector<std::pair<std::string, int32_t>> afterG;
    bool seen = false;
    for (const kw::TLinkTapEvent& event : tapped) {
        seen = seen || event.bytes == "g";
        if (seen)
            afterG.emplace_back(event.bytes.size() > 1 ? "data" : event.bytes, event.timeOut);
    }
    const std::vector<std::pair<std::string, int32_t>> expected = {
        {"g", 20000},    {"data", 20000}, {"", 20000},     {"e", 1000}, {"G", 20000},
        {"data", 20000}, {"", 20000},     {"data", 20000}, {"", 20000}, {"data", 20000},
        {"", 20000},     {"data", 20000}, {"", 20000},     {"E", 1000}, {"A", 1000}};
    EXPECT_EQ(afterG, expected);
    EXPECT_EQ(terminal.m_TimeOut, 1000);
}

TEST_F(Write, ARefusedSecondChunkResendsTheWholeRegionB) {
    const Image own = GatewayOwnMemory();
    StartSim({"--fault", "refuse-g-chunk:1:1"}, own);
    MakeConfiguration("A", 6);
    user.ExpectMessage(Icon::Information, 114);
    EXPECT_EQ(kw::WriteToGateway(Host()).result, TransferResult::Done);
    const auto lines = sim.LogLines();
    EXPECT_EQ(CountLines(lines, "G chunk 0 X"), 2);
    EXPECT_EQ(CountLines(lines, "G chunk 1 Y"), 1);
    EXPECT_EQ(CountLines(lines, "G chunk 1 X"), 1);
    EXPECT_EQ(CountLines(lines, "G chunk 3 X"), 1);
    EXPECT_EQ(GatewayMemory(), Expected(EncodedImage(parameters), own, false, false));
}

TEST_F(Write, RegionBRefusedThreeTimesFails) {
    StartSim({"--fault", "refuse-g-chunk:1:5"});
    MakeConfiguration("A", 7);
    // Chunk 0 was taken each time: the gateway holds part of the new configuration.
    user.ExpectMessage(Icon::Error, 115).ExpectMessage(Icon::Error, kMayBeIncomplete);
    EXPECT_EQ(kw::WriteToGateway(Host()).result, TransferResult::WriteFailed);
    const auto lines = sim.LogLines();
    EXPECT_EQ(CountLines(lines, "G chunk 0 X"), 3);
    EXPECT_EQ(CountLines(lines, "G chunk 1 Y"), 3);
    EXPECT_EQ(CountLines(lines, "E"), 0);
    EXPECT_FALSE(link.ExchangeOpen()); // released all the same
}

TEST_F(Write, RegionARefusedThreeTimesSkipsRegionB) {
    const Image own = GatewayOwnMemory();
    StartSim({"--fault", "refuse-g:3"}, own);
    MakeConfiguration("A", 8);
    user.ExpectMessage(Icon::Error, 115);
    EXPECT_EQ(kw::WriteToGateway(Host()).result, TransferResult::WriteFailed);
    const auto lines = sim.LogLines();
    EXPECT_EQ(CountLines(lines, "g Y"), 3);
    EXPECT_EQ(CountLines(lines, "G chunk 0 X"), 0);
    EXPECT_EQ(GatewayMemory(), own);
}

TEST_F(Write, AnIncompatibleGatewayGetsNothing) {
    const Image own = GatewayOwnMemory();
    StartSim({"--hw", "A"}, own);
    MakeConfiguration("C", 9);
    user.ExpectMessage(Icon::Error, 333);
    EXPECT_EQ(kw::WriteToGateway(Host()).result, TransferResult::Incompatible);
    EXPECT_EQ(CountLines(sim.LogLines(), "e"), 0);
    EXPECT_EQ(GatewayMemory(), own);
    EXPECT_EQ(user.progressLog.back(), "hide");
}

TEST_F(Write, OtherModemNumbersAreWrittenOnlyWhenTheUserAgrees) {
    const Image own = GatewayOwnMemory();
    StartSim({}, own);
    MakeConfiguration("A", 10);
    parameters.SetValue("ModemNum2", 0, "+420123456789");
    user.ExpectQuestion(Icon::Question, 263, false);
    EXPECT_EQ(kw::WriteToGateway(Host()).result, TransferResult::Declined);
    EXPECT_EQ(CountLines(sim.LogLines(), "g X"), 0);
    EXPECT_EQ(GatewayMemory(), own);

    user.ExpectQuestion(Icon::Question, 263, true).ExpectMessage(Icon::Information, 114);
    EXPECT_EQ(kw::WriteToGateway(Host()).result, TransferResult::Done);
    EXPECT_EQ(GatewayMemory(), Expected(EncodedImage(parameters), own, false, false));
}

TEST_F(Write, AnUnreadableRegionAStopsBeforeWriting) {
    // The first "e" is the modem-number comparison; three more fail verification.
    StartSim({"--fault", "bad-checksum-a:4"});
    MakeConfiguration("A", 11);
    user.ExpectMessage(Icon::Error, 113);
    EXPECT_EQ(kw::WriteToGateway(Host()).result, TransferResult::Unreadable);
    EXPECT_EQ(CountLines(sim.LogLines(), "g X"), 0);
    EXPECT_TRUE(link.ExchangeOpen()); // not released
}

TEST_F(Write, ALineDroppedWhileSendingEndsWithATimeOut) {
    StartSim({"--fault", "drop-after-received:5000"});
    MakeConfiguration("A", 12);
    user.ExpectMessage(Icon::Error, 110, {"CE_CONNECTION_TIMEOUT"})
        .ExpectMessage(Icon::Error, kMayBeIncomplete);
    link.Tap().Add([this](const kw::TLinkTapEvent&) {
        // Keep the test short: a dropped line is silent whatever the limit.
        if (terminal.m_TimeOut == 20000)
            link.SetReplyTimeOuts(500);
    });
    const kw::TransferOutcome outcome = kw::WriteToGateway(Host());
    EXPECT_EQ(outcome.result, TransferResult::LinkFailed);
    EXPECT_EQ(outcome.linkCode, CCOMTermExp::TimedOut);
}

} // namespace

namespace {

// A gateway whose region A never reads back as written: every attempt must
// still send and await the acknowledgement with the long time-out, although
// the failed read-back before it left the short one set.
TEST(WriteRetry, EveryAttemptSendsWithTheLongTimeOut) {
    CParameters parameters;
    kw::RegisterCatalogue(parameters);
    parameters.SetValue("HWVer", 0, "A");
    const Image image = EncodedImage(parameters);
    const std::string regionA(reinterpret_cast<const char*>(image.data()), 2048);
    std::string altered = regionA;
    altered[100] = static_cast<char>(altered[100] ^ 0x55);

    PtyPeer peer;
    for (const char* sync : {"U", "U"})
        peer.AddRule({sync, "X"});
    peer.AddRule({"B", std::string("BA\0", 3)});
    peer.AddRule({"C", std::string("C1.07\0", 6)});
    peer.AddRule({"e", "e" + regionA}); // the modem numbers
    peer.AddRule({"e", "e" + regionA}); // the verified read
    for (int attempt = 0; attempt < 3; ++attempt) {
        peer.AddRule({"g" + regionA, "X"});
        peer.AddRule({"e", "e" + altered});
    }

    CCOMTerminal terminal;
    kw::CGatewayLink link(terminal);
    link.SetComPort(peer.Path());
    std::vector<std::pair<std::string, int32_t>> waits; // awaited replies, time-outs
    const kw::CTapListener recorder(link.Tap(), [&](const kw::TLinkTapEvent& event) {
        if (event.kind == kw::TLinkTapEvent::Kind::Command)
            waits.emplace_back(event.bytes, event.timeOut);
    });
    ScriptedUserPort user;
    // Region A was taken, only its read-back differed.
    user.ExpectMessage(Icon::Error, 115).ExpectMessage(Icon::Error, kMayBeIncomplete);
    std::string hardwareText = "A";
    bool pinChanged = false;
    bool passwordChanged = false;
    const kw::TTransferHost host{link,       parameters,      user, hardwareText,
                                 pinChanged, passwordChanged, {},   {}};
    EXPECT_EQ(kw::WriteToGateway(host).result, TransferResult::WriteFailed);
    const std::vector<std::pair<std::string, int32_t>> afterVerify(waits.begin() + 6, waits.end());
    const std::vector<std::pair<std::string, int32_t>> expected = {
        {"", 20000}, {"e", 1000}, {"", 20000}, {"e", 1000}, {"", 20000}, {"e", 1000}};
    EXPECT_EQ(afterVerify, expected);
    // U, U, B, C, e, e, three times "g" with the region and "e", then the "A".
    ASSERT_TRUE(peer.WaitForReceived(4 + 2 + 3 * (2049 + 1) + 1));
    EXPECT_EQ(peer.Received().back(), 'A');
}

} // namespace
