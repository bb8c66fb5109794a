// The firmware upgrade against the simulated gateway over a pseudo-terminal:
// both dialects for every hardware letter, the file choice and its messages,
// the trailer, failed blocks, a gateway that falls silent, and the unattended
// form the attach's firmware check starts.
#include "COMTermExp.h"
#include "EventLoopWait.h"
#include "FirmwareFile.h"
#include "FirmwareLayout.h"
#include "GatewayProtocol.h"
#include "UpgradeRig.h"

#include <QTimer>

namespace {

using namespace kw::test;
using Icon = CUserPort::Icon;
using kw::UpgradeResult;

class Upgrade : public UpgradeRig {};
class UpgradeEveryLetter : public UpgradeRig, public ::testing::WithParamInterface<char> {};

std::string BlockLine(char letter, int k) {
    const char command = letter == 'E' && k >= 32 ? 'Q' : 'K';
    return std::string(1, command) + " block " + std::to_string(k);
}

TEST_P(UpgradeEveryLetter, FlashEqualsTheSliceAndEveryStepIsShown) {
    const char letter = GetParam();
    const kw::FirmwareSlice layout = kw::SliceFor(letter);
    StartSim(letter);
    Bytes file = MakeFirmware("1.08");
    // The file's own slice sum is wrong: the upgrade stores the right one.
    file[size_t(layout.offset + layout.SumOffset())] ^= 0x5A;
    WriteFile("Kolbra1.Bin", file);
    user.ExpectQuestion(Icon::Question, 116, true).ExpectMessage(Icon::Information, 123);

    const kw::UpgradeOutcome outcome = kw::UpgradeCommand(Host());
    EXPECT_EQ(outcome.result, UpgradeResult::Done);
    EXPECT_EQ(outcome.path, Folder() + "Kolbra1.Bin");
    EXPECT_EQ(user.versionsShown, (std::vector<std::string>{"1.07", "1.08"}));

    const int blocks = layout.Blocks();
    const auto& progress = user.progressLog;
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.front(), "show 104 bar");
    const size_t range = IndexOf(progress, "range 0 " + std::to_string(2 * blocks));
    ASSERT_NE(range, std::string::npos);
    EXPECT_EQ(progress[range + 1], "pos 0");
    EXPECT_EQ(progress[range + 2], "cancel hidden");
    const std::string last =
        "text W122 " + std::to_string(blocks - 1) + " / " + std::to_string(blocks);
    EXPECT_NE(IndexOf(progress, "text W122 0 / " + std::to_string(blocks)), std::string::npos);
    EXPECT_NE(IndexOf(progress, last), std::string::npos);
    EXPECT_EQ(progress[progress.size() - 3], "pos " + std::to_string(2 * blocks - 1));
    EXPECT_EQ(progress[progress.size() - 2], "cancel shown");
    EXPECT_EQ(progress.back(), "hide");
    EXPECT_EQ(CountLines(progress, "cancel shown"), 1);

    const std::vector<std::string> log = sim.LogLines();
    ASSERT_GE(log.size(), 6u);
    EXPECT_EQ(std::vector<std::string>(log.begin(), log.begin() + 3),
              (std::vector<std::string>{"U", "U", "B"}));
    size_t at = IndexOf(log, "C");
    ASSERT_NE(at, std::string::npos);
    if (layout.hasDeviceArea) {
        EXPECT_EQ(log[++at], "O page 238");
    }
    for (int unit = 0; unit < blocks; ++unit) {
        if (layout.PageDialect()) {
            EXPECT_EQ(log[++at], "K page " + std::to_string(unit) + " X");
            if (unit == blocks - 1) {
                EXPECT_EQ(log[++at], "upgrade complete 1.08");
            }
            EXPECT_EQ(log[++at], "O page " + std::to_string(unit));
        } else {
            EXPECT_EQ(log[++at], BlockLine(letter, unit));
        }
    }
    if (!layout.PageDialect()) {
        EXPECT_EQ(log[++at], "upgrade complete 1.08");
    }
    EXPECT_TRUE(sim.WaitForLogLine("A"));
    EXPECT_FALSE(link.ExchangeOpen());

    Bytes expected = FirmwareSliceOf(file, letter);
    if (layout.hasDeviceArea)
        expected = WithGatewayDeviceArea(expected, letter);
    else
        kw::StoreSliceSum(expected.data(), layout);
    EXPECT_TRUE(FlashAfterStop() == expected);
}

INSTANTIATE_TEST_SUITE_P(Letters, UpgradeEveryLetter,
                         ::testing::Values('A', 'D', 'C', 'E', 'F', 'G'),
                         [](const auto& info) { return std::string(1, info.param); });

TEST_F(Upgrade, LetterEWritesBlocksAbove64KiBWithQAndEveryDataByteAlone) {
    StartSim('E');
    MakeFile("Kolbra1.Bin", "1.08");
    user.ExpectQuestion(Icon::Question, 116, true).ExpectMessage(Icon::Information, 123);
    ASSERT_EQ(kw::UpgradeCommand(Host()).result, UpgradeResult::Done);

    // Per block: the letter, the two address bytes, then 2048 writes of one
    // byte; last the "A" that ends the exchange.
    const std::vector<std::string> writes = RawWrites();
    ASSERT_EQ(writes.size(), 60u * (2 + 2048) + 1);
    EXPECT_EQ(writes.back(), "A");
    const auto blockStart = [&](int k) { return size_t(k) * 2050; };
    EXPECT_EQ(writes[blockStart(31)], "K");
    EXPECT_EQ(writes[blockStart(31) + 1], std::string("\xF8\x00", 2));
    EXPECT_EQ(writes[blockStart(32)], "Q");
    EXPECT_EQ(writes[blockStart(32) + 1], std::string("\x00\x00", 2));
    EXPECT_EQ(writes[blockStart(59)], "Q");
    EXPECT_EQ(writes[blockStart(59) + 1], std::string("\xD8\x00", 2));
    for (int k = 0; k < 60; ++k)
        for (size_t i = 2; i < 2050; ++i)
            ASSERT_EQ(writes[blockStart(k) + i].size(), 1u) << "block " << k << " byte " << i;
    // Each echo is awaited with the long time-out.
    int echoWaits = 0;
    for (const kw::TLinkTapEvent& event : tapped)
        echoWaits += event.kind == kw::TLinkTapEvent::Kind::Command && event.bytes.empty() &&
                     event.timeOut == 20000;
    EXPECT_EQ(echoWaits, 60);
}

TEST_F(Upgrade, PageWithDataIsSentAsItStandsSumIncluded) {
    StartSim('D');
    Bytes file = MakeFile("Kolbra1.Bin", "1.08");
    const kw::FirmwareSlice layout = kw::SliceFor('D');
    // A byte of page 238 set without renewing the sum: the file is trusted.
    file[size_t(layout.offset + kw::kDeviceAreaOffset + 100)] = 0x77;
    WriteFile("Kolbra1.Bin", file);
    user.ExpectQuestion(Icon::Question, 116, true).ExpectMessage(Icon::Information, 123);
    ASSERT_EQ(kw::UpgradeCommand(Host()).result, UpgradeResult::Done);
    EXPECT_EQ(CountLines(sim.LogLines(), "O page 238"), 0);
    const Bytes flash = FlashAfterStop();
    EXPECT_TRUE(flash == FirmwareSliceOf(file, 'D'));
    EXPECT_NE(kw::StoredSliceSum(flash.data(), layout), kw::SliceSum(flash.data(), layout));
}

TEST_F(Upgrade, WrongEchoRepeatsTheBlockAndTheTenthFailureShowsCancel) {
    StartSim('D', {"--fault", "bad-echo:2:9", "--fault", "bad-echo:5:1"});
    const Bytes file = MakeFile("Kolbra1.Bin", "1.08");
    user.ExpectQuestion(Icon::Question, 116, true).ExpectMessage(Icon::Information, 123);
    ASSERT_EQ(kw::UpgradeCommand(Host()).result, UpgradeResult::Done);

    const std::vector<std::string> log = sim.LogLines();
    EXPECT_EQ(CountLines(log, "K block 2 bad-echo"), 9);
    EXPECT_EQ(CountLines(log, "K block 2"), 1);
    EXPECT_EQ(CountLines(log, "K block 5 bad-echo"), 1);
    EXPECT_EQ(CountLines(log, "K block 5"), 1);
    // Nine failures on block 2 leave Cancel hidden; the tenth, on block 5, shows it.
    const auto& progress = user.progressLog;
    const size_t shown = IndexOf(progress, "cancel shown");
    ASSERT_NE(shown, std::string::npos);
    EXPECT_GT(shown, IndexOf(progress, "text W122 5 / 30"));
    EXPECT_LT(shown, IndexOf(progress, "text W122 6 / 30"));
    EXPECT_TRUE(FlashAfterStop() == WithGatewayDeviceArea(FirmwareSliceOf(file, 'D'), 'D'));
}

TEST_F(Upgrade, RefusedPageAndBadReadBackRepeatThePage) {
    StartSim('A', {"--fault", "refuse-page:3:2", "--fault", "bad-readback:7"});
    const Bytes file = MakeFile("Kolbra1.Bin", "1.08");
    user.ExpectQuestion(Icon::Question, 116, true).ExpectMessage(Icon::Information, 123);
    ASSERT_EQ(kw::UpgradeCommand(Host()).result, UpgradeResult::Done);
    const std::vector<std::string> log = sim.LogLines();
    EXPECT_EQ(CountLines(log, "K page 3 Y"), 2);
    EXPECT_EQ(CountLines(log, "K page 3 X"), 1);
    EXPECT_EQ(CountLines(log, "O page 3"), 1); // a refused page is not read back
    EXPECT_EQ(CountLines(log, "O page 7 bad-readback"), 1);
    EXPECT_EQ(CountLines(log, "K page 7 X"), 2);
    EXPECT_EQ(CountLines(user.progressLog, "cancel shown"), 1); // only at the end
    EXPECT_TRUE(FlashAfterStop() == WithGatewayDeviceArea(FirmwareSliceOf(file, 'A'), 'A'));
}

TEST_F(Upgrade, CancelOfferedAfterTenFailuresEndsTheUpgradeAtOnce) {
    StartSim('A', {"--fault", "refuse-page:2:1000"});
    MakeFile("Kolbra1.Bin", "1.08");
    user.ExpectQuestion(Icon::Question, 116, true); // a Cancel shows no message
    QTimer press;
    QObject::connect(&press, &QTimer::timeout, [&] {
        if (user.cancelVisible && IndexOf(user.progressLog, "cancel hidden") != std::string::npos) {
            press.stop();
            user.PressCancel();
        }
    });
    press.start(5);
    const kw::UpgradeOutcome outcome = kw::UpgradeCommand(Host());
    EXPECT_EQ(outcome.result, UpgradeResult::LinkFailed);
    EXPECT_EQ(outcome.linkCode, CCOMTermExp::Cancelled);
    const std::vector<std::string> log = sim.LogLines();
    EXPECT_GE(CountLines(log, "K page 2 Y"), 10);
    EXPECT_EQ(CountLines(log, "K page 3 X"), 0);
    EXPECT_EQ(user.progressLog.back(), "hide");
}

TEST_F(Upgrade, FailureLimitGivesUpWhereTheWindowWouldOfferCancel) {
    StartSim('A', {"--fault", "refuse-page:2:1000"});
    MakeFile("Kolbra1.Bin", "1.08");
    failureLimit = 10;
    user.ExpectQuestion(Icon::Question, 116, true);
    EXPECT_EQ(kw::UpgradeCommand(Host()).result, UpgradeResult::GaveUp);
    EXPECT_EQ(CountLines(sim.LogLines(), "K page 2 Y"), 10);
    EXPECT_EQ(user.progressLog.back(), "hide");
    EXPECT_TRUE(sim.WaitForLogLine("A")); // released as after any ending
}

TEST_F(Upgrade, GatewaySilentMidUpgradeEndsWithTheTimeOutError) {
    StartSim('A', {"--fault", "silent-after-blocks:5"});
    MakeFile("Kolbra1.Bin", "1.08");
    user.ExpectQuestion(Icon::Question, 116, true)
        .ExpectMessage(Icon::Error, 110, {"CE_CONNECTION_TIMEOUT"});
    ::testing::internal::CaptureStderr();
    const kw::UpgradeOutcome outcome = kw::UpgradeCommand(Host());
    const std::string trace = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(outcome.result, UpgradeResult::LinkFailed);
    EXPECT_EQ(outcome.linkCode, CCOMTermExp::TimedOut);
    EXPECT_NE(trace.find("Upgrade exception"), std::string::npos);
    EXPECT_EQ(user.progressLog.back(), "hide");
    // Five pages taken, then no answer to the read-back of the fifth.
    EXPECT_EQ(CountLines(sim.LogLines(), "K page 4 X"), 1);
    EXPECT_EQ(CountLines(sim.LogLines(), "O page 4 silent"), 1);
    // A gateway in the middle of taking firmware is not sent the end of the exchange.
    EXPECT_TRUE(link.ExchangeOpen());
    EXPECT_EQ(CountLines(sim.LogLines(), "A"), 0);
}

TEST_F(Upgrade, TwoCandidatesAreOfferedInOrderAndTheChosenOneIsSent) {
    StartSim('D');
    MakeFile("Kolbra2.Bin", "1.20", 2);
    MakeFile("Kolbra1.Bin", "1.10", 1);
    const Bytes third = MakeFirmware("1.30", 3);
    program.Write("Kolbra3.Bin",
                  std::string(reinterpret_cast<const char*>(third.data()), third.size() - 1));
    user.SetPickAnswer(1);
    user.SetVersionAnswer(false);
    user.ExpectQuestion(Icon::Question, 116, true);
    const kw::UpgradeOutcome outcome = kw::UpgradeCommand(Host());
    EXPECT_EQ(outcome.result, UpgradeResult::VersionDeclined);
    EXPECT_EQ(user.pickedFrom, (std::vector<std::string>{"Kolbra1.Bin", "Kolbra2.Bin"}));
    EXPECT_EQ(outcome.path, Folder() + "Kolbra2.Bin");
    EXPECT_EQ(user.versionsShown, (std::vector<std::string>{"1.07", "1.20"}));
    EXPECT_EQ(user.progressLog.back(), "hide");
    EXPECT_EQ(CountLines(sim.LogLines(), "K block 0"), 0);
    EXPECT_TRUE(sim.WaitForLogLine("A"));

    // Declining the choice ends before the version is asked.
    user.SetPickAnswer(-1);
    user.versionsShown.clear();
    user.ExpectQuestion(Icon::Question, 116, true);
    EXPECT_EQ(kw::UpgradeCommand(Host()).result, UpgradeResult::ChoiceCancelled);
    EXPECT_TRUE(user.versionsShown.empty());
    EXPECT_EQ(user.progressLog.back(), "hide");
}

TEST_F(Upgrade, MissingDefaultFileIsReportedWithItsFullPath) {
    StartSim('C');
    user.ExpectQuestion(Icon::Question, 116, true)
        .ExpectMessage(Icon::Error, 117, {Folder() + "Kolbra.Bin"});
    const kw::UpgradeOutcome outcome = kw::UpgradeCommand(Host());
    EXPECT_EQ(outcome.result, UpgradeResult::CannotOpen);
    EXPECT_EQ(user.progressLog.back(), "hide");
    EXPECT_TRUE(user.versionsShown.empty());
    EXPECT_TRUE(sim.WaitForLogLine("A"));
}

TEST_F(Upgrade, DefaultFileTooShortOrWithoutValidVersionForTheLetter) {
    StartSim('F');
    program.Write("Kolbra.Bin", std::string(1000, '1'));
    user.ExpectQuestion(Icon::Question, 116, true).ExpectMessage(Icon::Error, 175);
    EXPECT_EQ(kw::UpgradeCommand(Host()).result, UpgradeResult::TooShort);

    // Not offered (no digit first for F), so the default name is used and its
    // F slice refused.
    MakeFile("Kolbra.Bin", "1.08", 1, {{'F', "BOOT"}});
    user.ExpectQuestion(Icon::Question, 116, true).ExpectMessage(Icon::Error, 241);
    EXPECT_EQ(kw::UpgradeCommand(Host()).result, UpgradeResult::NoValidVersion);
    EXPECT_TRUE(user.versionsShown.empty());
    EXPECT_TRUE(RunEventsUntil([&] { return CountLines(sim.LogLines(), "A") == 2; }));
}

TEST_F(Upgrade, DecliningTheQuestionTouchesNothing) {
    StartSim('A');
    MakeFile("Kolbra1.Bin", "1.08");
    user.ExpectQuestion(Icon::Question, 116, false);
    EXPECT_EQ(kw::UpgradeCommand(Host()).result, UpgradeResult::Declined);
    EXPECT_TRUE(user.progressLog.empty());
    EXPECT_TRUE(tapped.empty());
}

TEST_F(Upgrade, FirmwareCheckUpgradesUnattendedWithoutAWindowOfItsOwn) {
    StartSim('C', {"--fault", "invalid-version-until-upgrade"});
    const Bytes file = MakeFile("Kolbra1.Bin", "1.08");
    kw::InstallUnattendedUpgrade(link, [this] { return Host(); });
    user.ShowProgressWord(104, true); // the caller's window
    user.ExpectQuestion(Icon::Error, 174, true);

    EXPECT_TRUE(kw::AttachGateway(link, user, true));
    EXPECT_EQ(user.versionsShown, (std::vector<std::string>{"BOOT", "1.08"}));
    EXPECT_EQ(CountLines(user.progressLog, "show 104 bar"), 1);
    EXPECT_EQ(user.progressLog.back(), "cancel shown");
    EXPECT_TRUE(user.progressVisible);
    EXPECT_TRUE(sim.WaitForLogLine("upgrade complete 1.08"));
    // The exchange stays open for the caller; the gateway now passes the check.
    EXPECT_TRUE(link.ExchangeOpen());
    EXPECT_TRUE(kw::AttachGateway(link, user, true));
    kw::ReleaseGateway(link);
    EXPECT_TRUE(FlashAfterStop() == WithGatewayDeviceArea(FirmwareSliceOf(file, 'C'), 'C'));
}

TEST_F(Upgrade, UnattendedUpgradeFailingEndsTheAttachWithFalse) {
    StartSim('E', {"--fault", "invalid-version-until-upgrade"});
    kw::InstallUnattendedUpgrade(link, [this] { return Host(); });
    user.ShowProgressWord(104, true);
    user.ExpectQuestion(Icon::Error, 174, true)
        .ExpectMessage(Icon::Error, 117, {Folder() + "Kolbra.Bin"});
    EXPECT_FALSE(kw::AttachGateway(link, user, true));
    EXPECT_EQ(CountLines(sim.LogLines(), "K block 0"), 0);
}

TEST_F(Upgrade, GatewaySilentDuringTheUnattendedUpgradeLeavesCancelUsable) {
    StartSim('A', {"--fault", "invalid-version-until-upgrade", "--fault", "silent-after-blocks:3"});
    MakeFile("Kolbra1.Bin", "1.08");
    kw::InstallUnattendedUpgrade(link, [this] { return Host(); });
    user.SetCancelHandler([this] { link.PressProgressCancel(); });
    user.ShowProgressWord(104, true);
    user.ExpectQuestion(Icon::Error, 174, true);
    // The attach asks the silent gateway again and again; once the transfer
    // has ended the window's Cancel must be there to end that.
    bool visibleWhenPressed = false;
    QTimer press;
    press.setSingleShot(true);
    QObject::connect(&press, &QTimer::timeout, [&] {
        visibleWhenPressed = user.cancelVisible;
        user.PressCancel();
    });
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (CountLines(sim.LogLines(), "U silent") >= 2 && !press.isActive()) {
            watch.stop();
            press.start(0);
        }
    });
    watch.start(20);
    QTimer fallback; // a hidden Cancel would keep the attach going for ever
    fallback.setSingleShot(true);
    QObject::connect(&fallback, &QTimer::timeout, [&] { user.PressCancel(); });
    fallback.start(15000);

    EXPECT_FALSE(kw::AttachGateway(link, user, true));
    EXPECT_TRUE(visibleWhenPressed);
    EXPECT_FALSE(terminal.Comm().Enabled());
}

} // namespace
