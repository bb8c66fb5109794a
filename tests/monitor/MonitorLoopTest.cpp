// The monitor's polling loop against the real simulated gateway and its GSM
// module: one pass with an untidy module, a module without SIM or network,
// refused queries, the buttons' changes, silence, a failing line, ending.
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

const TMonitorValue kMissing = TMonitorValue::Word(word::kValueNotAvailable);

// What a tidy module shows; the module clock is whatever time it keeps.
const std::map<MonitorRow, TMonitorValue> kTidyRows = {
    {MonitorRow::Status, TMonitorValue::Word(word::kModuleAnswers)},
    {MonitorRow::Module, TMonitorValue::Text("GWSIM Modules GS-2G Revision 1.0.3")},
    {MonitorRow::Imei, TMonitorValue::Text("351234560012345")},
    {MonitorRow::Imsi, TMonitorValue::Text("230011234567890")},
    {MonitorRow::SmsCentre, TMonitorValue::Text("+420602909909")},
    {MonitorRow::Operator, TMonitorValue::Text("GWSIM NET (23099) UMTS")},
    {MonitorRow::Call, TMonitorValue::Word(word::kNoCall)},
    {MonitorRow::PcClock, TMonitorValue::Text("24/02/29,23:59:50")},
    {MonitorRow::Signal, TMonitorValue::Word(word::kValueNotKnownYet)},
};

struct Scenario {
    const char* name;
    std::vector<std::string> simOptions;
    std::map<MonitorRow, TMonitorValue> rows; // those that differ from a tidy module's
    bool signalBar;                           // else the text label
};

const Scenario kScenarios[] = {
    {"UnsolicitedCodesAndEchoesChangeNothing",
     {"--gsm", "urc", "--gsm", "echo:between", "--gsm", "call:in:+420777", "--gsm", "call:out:9"},
     {{MonitorRow::Call, {word::kIncomingCall, " (+420777)"}}},
     true},
    {"NoSimStillShowsTheModuleAndItsSignal",
     {"--gsm", "no-sim"},
     {{MonitorRow::Imsi, kMissing},
      {MonitorRow::SmsCentre, TMonitorValue::Text("")},
      {MonitorRow::Operator, kMissing}},
     true},
    {"UnregisteredShowsNoOperatorAndNoBar",
     {"--gsm", "unregistered"},
     {{MonitorRow::Operator, kMissing}},
     false},
};

void PrintTo(const Scenario& scenario, std::ostream* out) {
    *out << scenario.name;
}

class MonitorLoop : public ::testing::TestWithParam<Scenario> {};

TEST_P(MonitorLoop, OnePassFillsEveryRow) {
    MonitorRig rig(GetParam().simOptions);
    rig.monitor.ResetDisplay();
    ASSERT_EQ(rig.RunPasses(1), CMonitor::RunEnd::Stopped);
    ASSERT_EQ(rig.passEnds, std::vector<CMonitor::PassEnd>{CMonitor::PassEnd::Complete});
    for (auto [row, expected] : kTidyRows) {
        if (GetParam().rows.count(row) != 0)
            expected = GetParam().rows.at(row);
        EXPECT_EQ(rig.rows.Value(row), expected) << "row " << int(row);
    }
    EXPECT_TRUE(std::regex_match(rig.rows.Value(MonitorRow::ModuleClock).text,
                                 std::regex(R"(\d\d/\d\d/\d\d,\d\d:\d\d:\d\d\+04)")));
    EXPECT_EQ(rig.rows.SignalBarShown(), GetParam().signalBar);
    EXPECT_EQ(rig.rows.SignalPosition(), GetParam().signalBar ? 23 : 0);
}

INSTANTIATE_TEST_SUITE_P(Modules, MonitorLoop, ::testing::ValuesIn(kScenarios),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MonitorLoopCommands, RefusedQueriesFallBackOrShowNotAvailable) {
    MonitorRig rig({"--gsm", "error:AT+GMI", "--gsm", "error:AT+GSN", "--gsm", "error:AT+CGSN",
                    "--gsm", "error:AT+CLCC", "--gsm", "error:AT+CCLK?", "--gsm", "error:AT+CSQ"});
    ASSERT_EQ(rig.RunPasses(1), CMonitor::RunEnd::Stopped);
    EXPECT_EQ(rig.AtCommands(), (std::vector<std::string>{
                                    "AT", "AT+GMI", "AT+CGMI", "AT+GMM", "AT+GMR", "AT+GSN",
                                    "AT+CGSN", "AT+CIMI", "AT+CSCA?", "AT+COPS=3,0", "AT+COPS?",
                                    "AT+COPS=3,2", "AT+COPS?", "AT+CLCC", "AT+CCLK?", "AT+CSQ"}));
    EXPECT_EQ(rig.rows.Value(MonitorRow::Status), TMonitorValue::Word(word::kModuleAnswers));
    EXPECT_EQ(rig.rows.Value(MonitorRow::Module), kTidyRows.at(MonitorRow::Module));
    for (const MonitorRow row :
         {MonitorRow::Imei, MonitorRow::Call, MonitorRow::ModuleClock, MonitorRow::Signal})
        EXPECT_EQ(rig.rows.Value(row), kMissing) << int(row);
    EXPECT_FALSE(rig.rows.SignalBarShown());
}

TEST(MonitorLoopCommands, ButtonsChangeCentreAndClockInTheNextPass) {
    MonitorRig rig({});
    rig.monitor.ResetDisplay();
    // Nothing to write: an empty number or "0" would wait for ever.
    EXPECT_FALSE(rig.monitor.ChangeCentre(""));
    EXPECT_FALSE(rig.monitor.ChangeCentre("0"));
    EXPECT_FALSE(rig.monitor.ChangeCentre("+420\"1"));
    EXPECT_EQ(rig.rows.Value(MonitorRow::SmsCentre), TMonitorValue::Word(word::kValueNotKnownYet));
    // Cancelling the set-time dialog forgets a clock that waited.
    rig.monitor.SetPendingClock("24/01/01,00:00:00");
    rig.monitor.ClearPendingClock();
    ASSERT_EQ(rig.RunPasses(1), CMonitor::RunEnd::Stopped);

    EXPECT_EQ(rig.monitor.CentreToOffer(), "+420602909909");
    EXPECT_FALSE(rig.monitor.ChangeCentre("+420602909909")); // the number it has
    ASSERT_TRUE(rig.monitor.ChangeCentre("+420111222333"));
    EXPECT_EQ(rig.rows.Value(MonitorRow::SmsCentre), TMonitorValue::Word(word::kCentreWaiting));
    rig.monitor.Synchronise();
    EXPECT_EQ(rig.rows.Value(MonitorRow::ModuleClock),
              TMonitorValue::Word(word::kClockWaitingToSync));
    ASSERT_EQ(rig.RunPasses(2), CMonitor::RunEnd::Stopped);

    // The PC clock, two digits each, no time zone; both read back.
    std::vector<std::string> sets;
    for (const std::string& command : rig.AtCommands()) {
        if (command.find('=') != std::string::npos && command.rfind("AT+COPS", 0) != 0)
            sets.push_back(command);
    }
    EXPECT_EQ(sets, (std::vector<std::string>{"AT+CSCA=\"+420111222333\"",
                                              "AT+CCLK=\"24/02/29,23:59:50\""}));
    EXPECT_EQ(rig.rows.Value(MonitorRow::SmsCentre), TMonitorValue::Text("+420111222333"));
    EXPECT_EQ(rig.rows.Value(MonitorRow::ModuleClock).text.substr(0, 16), "24/02/29,23:59:5");
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
    EXPECT_LT(sinceStop.elapsed(), 800); // not the second "AT"'s whole reply time-out
    // The cancelled second try is no pass.
    EXPECT_EQ(rig.passEnds, std::vector<CMonitor::PassEnd>{CMonitor::PassEnd::Failed});
    EXPECT_EQ(rig.AtCommands(), (std::vector<std::string>{"AT", "AT"}));
    EXPECT_EQ(rig.rows.Value(MonitorRow::Status), TMonitorValue::Word(word::kModuleSilent));
    EXPECT_EQ(rig.rows.Value(MonitorRow::Imei), TMonitorValue::Word(word::kValueNotKnownYet));
    EXPECT_FALSE(CMonitor::Busy());
    EXPECT_FALSE(rig.terminal.Comm().Enabled());
}

TEST(MonitorLoopEnd, ALineThatFailsAtOnceIsRetriedAtTheReplyTimeOutsPace) {
    MonitorRig rig({"--gsm", "silent"});
    int ticks = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] { ++ticks; });
    tick.start(50);
    std::vector<int> ticksAtFailure;
    bool secondWasBusy = false;
    rig.onPass = [&](CMonitor::PassEnd) {
        ticksAtFailure.push_back(ticks);
        // As if the adapter went away: every write fails from now on.
        rig.terminal.Comm().Close();
        // Only one loop runs in the program at a time.
        CMonitor second({rig.terminal, rig.user, rig.rows, rig.sim.LinkPath(), {}});
        secondWasBusy = second.Run() == CMonitor::RunEnd::Busy;
    };
    ASSERT_EQ(rig.RunPasses(3), CMonitor::RunEnd::Stopped);
    ASSERT_EQ(rig.passEnds.size(), 3u);
    EXPECT_TRUE(secondWasBusy);
    // Between failures the event loop ran: a pause, not a busy retry that
    // would freeze the window.
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
