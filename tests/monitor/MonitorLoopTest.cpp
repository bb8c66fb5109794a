// The monitor's polling loop against the real simulated gateway and its GSM
// module, tidy and untidy: identification, one polling pass, changes the
// buttons make, silence, a lost line, and ending the loop.
#include "EventLoopWait.h"
#include "MonitorRig.h"
#include "Words.h"

#include <QElapsedTimer>
#include <QTimer>

#include <gtest/gtest.h>

#include <map>
#include <regex>

namespace {

using kw::CMonitor;
using kw::MonitorRow;
using kw::TMonitorValue;
using kw::test::MonitorRig;
namespace word = kw::word;

constexpr int kClockRow = -2; // the module clock: whatever time the module keeps

const std::map<MonitorRow, TMonitorValue> kTidyRows = {
    {MonitorRow::Status, TMonitorValue::Word(word::kModuleAnswers)},
    {MonitorRow::Module, TMonitorValue::Text("GWSIM Modules GS-2G Revision 1.0.3")},
    {MonitorRow::Imei, TMonitorValue::Text("351234560012345")},
    {MonitorRow::Imsi, TMonitorValue::Text("230011234567890")},
    {MonitorRow::SmsCentre, TMonitorValue::Text("+420602909909")},
    {MonitorRow::Operator, TMonitorValue::Text("GWSIM NET (23099) UMTS")},
    {MonitorRow::Call, TMonitorValue::Word(word::kNoCall)},
    {MonitorRow::ModuleClock, TMonitorValue::Word(kClockRow)},
    {MonitorRow::PcClock, TMonitorValue::Text("24/02/29,23:59:50")},
    {MonitorRow::Signal, TMonitorValue::Word(word::kValueNotKnownYet)},
};

struct Scenario {
    const char* name;
    std::vector<std::string> gsm;
    std::map<MonitorRow, TMonitorValue> rows; // those that differ from a tidy module's
    int signalBar;                            // -1: the text label instead
};

const TMonitorValue kMissing = TMonitorValue::Word(word::kValueNotAvailable);

const Scenario kScenarios[] = {
    {"Tidy", {}, {}, 23},
    {"UnsolicitedCodesAndEchoBetweenLinesChangeNothing",
     {"urc", "echo:between", "call:in:+420777123456", "call:out:+420999"},
     {{MonitorRow::Call, {word::kIncomingCall, " (+420777123456)"}}},
     23},
    {"NoEchoAndACallWithoutNumber",
     {"echo:off", "call:out:"},
     {{MonitorRow::Call, {word::kOutgoingCall, " ()"}}},
     23},
    {"NoSimStillShowsTheModuleAndItsSignal",
     {"no-sim"},
     {{MonitorRow::Imsi, kMissing},
      {MonitorRow::SmsCentre, TMonitorValue::Text("")},
      {MonitorRow::Operator, kMissing}},
     23},
    {"UnregisteredShowsNoOperatorAndNoBar",
     {"unregistered"},
     {{MonitorRow::Operator, kMissing}},
     -1},
    {"RefusedQueriesShowNotAvailableAndFallBack",
     {"error:AT+GMI", "error:AT+GSN", "error:AT+CGSN", "error:AT+CLCC", "error:AT+CCLK?",
      "error:AT+CSQ"},
     {{MonitorRow::Imei, kMissing},
      {MonitorRow::Call, kMissing},
      {MonitorRow::ModuleClock, kMissing},
      {MonitorRow::Signal, kMissing}},
     -1},
};

class MonitorLoop : public ::testing::TestWithParam<Scenario> {};

TEST_P(MonitorLoop, OnePassFillsEveryRow) {
    const Scenario& scenario = GetParam();
    std::vector<std::string> options;
    for (const std::string& gsm : scenario.gsm) {
        options.push_back("--gsm");
        options.push_back(gsm);
    }
    MonitorRig rig(options);
    rig.monitor.ResetDisplay();
    ASSERT_EQ(rig.RunPasses(1), CMonitor::RunEnd::Stopped);
    ASSERT_EQ(rig.passEnds, std::vector<CMonitor::PassEnd>{CMonitor::PassEnd::Complete});
    EXPECT_FALSE(CMonitor::Busy());

    for (auto [row, expected] : kTidyRows) {
        if (scenario.rows.count(row) != 0)
            expected = scenario.rows.at(row);
        const TMonitorValue& shown = rig.rows.Value(row);
        if (expected.word == kClockRow) {
            EXPECT_TRUE(
                std::regex_match(shown.text, std::regex(R"(\d\d/\d\d/\d\d,\d\d:\d\d:\d\d\+04)")))
                << shown.text;
        } else {
            EXPECT_EQ(shown, expected) << "row " << int(row);
        }
    }
    EXPECT_EQ(rig.rows.SignalBarShown(), scenario.signalBar >= 0);
    if (scenario.signalBar >= 0) {
        EXPECT_EQ(rig.rows.SignalPosition(), scenario.signalBar);
    }
}

INSTANTIATE_TEST_SUITE_P(Modules, MonitorLoop, ::testing::ValuesIn(kScenarios),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MonitorLoopCommands, IdentifiesWithFallBacksThenPollsInOrder) {
    MonitorRig rig({"--gsm", "error:AT+GMI", "--gsm", "error:AT+GSN"});
    ASSERT_EQ(rig.RunPasses(1), CMonitor::RunEnd::Stopped);
    EXPECT_EQ(rig.AtCommands(), (std::vector<std::string>{
                                    "AT", "AT+GMI", "AT+CGMI", "AT+GMM", "AT+GMR", "AT+GSN",
                                    "AT+CGSN", "AT+CIMI", "AT+CSCA?", "AT+COPS=3,0", "AT+COPS?",
                                    "AT+COPS=3,2", "AT+COPS?", "AT+CLCC", "AT+CCLK?", "AT+CSQ"}));
    EXPECT_EQ(rig.rows.Value(MonitorRow::Imei), TMonitorValue::Text("351234560012345"));
}

TEST(MonitorLoopCommands, ButtonsChangeCentreAndClockInTheNextPass) {
    MonitorRig rig({});
    rig.monitor.ResetDisplay();
    EXPECT_EQ(rig.monitor.CentreToOffer(), "");
    // Nothing to write: an empty number or "0" would wait for ever.
    EXPECT_FALSE(rig.monitor.ChangeCentre(""));
    EXPECT_FALSE(rig.monitor.ChangeCentre("0"));
    EXPECT_FALSE(rig.monitor.ChangeCentre("+420\"1"));
    EXPECT_EQ(rig.rows.Value(MonitorRow::SmsCentre), TMonitorValue::Word(word::kValueNotKnownYet));
    // Cancelling the set-time dialog forgets a clock that waited.
    rig.monitor.SetPendingClock("24/01/01,00:00:00");
    EXPECT_EQ(rig.rows.Value(MonitorRow::ModuleClock),
              TMonitorValue::Word(word::kClockWaitingToBeSet));
    rig.monitor.ClearPendingClock();
    EXPECT_EQ(rig.monitor.PendingClock(), "");

    ASSERT_EQ(rig.RunPasses(1), CMonitor::RunEnd::Stopped);
    EXPECT_EQ(rig.monitor.CentreToOffer(), "+420602909909");
    EXPECT_FALSE(rig.monitor.ChangeCentre("+420602909909")); // the number it has
    ASSERT_TRUE(rig.monitor.ChangeCentre("+420111222333"));
    EXPECT_EQ(rig.rows.Value(MonitorRow::SmsCentre), TMonitorValue::Word(word::kCentreWaiting));
    rig.monitor.Synchronise();
    EXPECT_EQ(rig.rows.Value(MonitorRow::ModuleClock),
              TMonitorValue::Word(word::kClockWaitingToSync));

    ASSERT_EQ(rig.RunPasses(2), CMonitor::RunEnd::Stopped);
    const std::vector<std::string> commands = rig.AtCommands();
    // The PC clock, two digits each, no time zone; then read back.
    EXPECT_EQ(std::count(commands.begin(), commands.end(), "AT+CCLK=\"24/02/29,23:59:50\""), 1);
    EXPECT_EQ(std::count(commands.begin(), commands.end(), "AT+CSCA=\"+420111222333\""), 1);
    EXPECT_EQ(rig.rows.Value(MonitorRow::SmsCentre), TMonitorValue::Text("+420111222333"));
    EXPECT_EQ(rig.rows.Value(MonitorRow::ModuleClock).text.substr(0, 16), "24/02/29,23:59:5");
    EXPECT_EQ(rig.monitor.PendingCentre(), "");
    EXPECT_EQ(rig.monitor.PendingClock(), "");
}

TEST(MonitorLoopEnd, ClosingDuringTheLongWaitEndsTheLoopAtOnce) {
    MonitorRig rig({});
    bool secondWasBusy = false;
    QElapsedTimer sinceStop;
    rig.onPass = [&](CMonitor::PassEnd) {
        // Only one loop runs in the program at a time.
        CMonitor second({rig.terminal, rig.user, rig.rows, rig.sim.LinkPath(), {}});
        secondWasBusy = second.Run() == CMonitor::RunEnd::Busy;
        QTimer::singleShot(200, [&] {
            sinceStop.start();
            rig.monitor.Stop();
        });
    };
    ASSERT_EQ(rig.RunPasses(2), CMonitor::RunEnd::Stopped);
    EXPECT_TRUE(secondWasBusy);
    ASSERT_EQ(rig.passEnds.size(), 1u);
    // The 10 s wait did not run its course.
    EXPECT_LT(sinceStop.elapsed(), 5000);
    EXPECT_FALSE(CMonitor::Busy());
    EXPECT_FALSE(rig.terminal.Comm().Enabled());
}

TEST(MonitorLoopEnd, SilentModuleIsAskedAgainAndClosingEndsTheReplyWait) {
    MonitorRig rig({"--gsm", "silent"});
    rig.monitor.ResetDisplay();
    QElapsedTimer sinceStop;
    rig.onPass = [&](CMonitor::PassEnd) {
        QTimer::singleShot(200, [&] {
            sinceStop.start();
            rig.monitor.Stop();
        });
    };
    ASSERT_EQ(rig.RunPasses(10), CMonitor::RunEnd::Stopped);
    EXPECT_LT(sinceStop.elapsed(), 800); // within the second "AT"'s reply wait
    // The cancelled second try is no pass.
    EXPECT_EQ(rig.passEnds, std::vector<CMonitor::PassEnd>{CMonitor::PassEnd::Failed});
    EXPECT_EQ(rig.AtCommands(), (std::vector<std::string>{"AT", "AT"}));
    EXPECT_EQ(rig.rows.Value(MonitorRow::Status), TMonitorValue::Word(word::kModuleSilent));
    EXPECT_EQ(rig.rows.Value(MonitorRow::Imei), TMonitorValue::Word(word::kValueNotKnownYet));
}

TEST(MonitorLoopEnd, ALineThatFailsAtOnceIsRetriedAtTheReplyTimeOutsPace) {
    MonitorRig rig({"--gsm", "silent"});
    int ticks = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] { ++ticks; });
    tick.start(50);
    std::vector<int> ticksAtFailure;
    rig.onPass = [&](CMonitor::PassEnd) {
        ticksAtFailure.push_back(ticks);
        // As if the adapter went away: every write fails from now on.
        rig.terminal.Comm().Close();
    };
    ASSERT_EQ(rig.RunPasses(3), CMonitor::RunEnd::Stopped);
    ASSERT_EQ(rig.passEnds.size(), 3u);
    EXPECT_EQ(rig.passEnds.back(), CMonitor::PassEnd::Failed);
    // Between failures the event loop ran (a pause, not a busy retry that
    // would freeze the window).
    EXPECT_GE(ticksAtFailure[2] - ticksAtFailure[1], 5);
}

TEST(MonitorLoopEnd, PortThatCannotOpenIsReportedOnce) {
    kw::test::ScriptedUserPort user;
    user.ExpectMessage(CUserPort::Icon::Error, 125);
    CCOMTerminal terminal;
    kw::CMonitorRows rows;
    CMonitor monitor({terminal, user, rows, "/nonexistent/kw-monitor-port", {}});
    EXPECT_EQ(monitor.Run(), CMonitor::RunEnd::PortFailed);
    EXPECT_FALSE(CMonitor::Busy());
}

} // namespace
