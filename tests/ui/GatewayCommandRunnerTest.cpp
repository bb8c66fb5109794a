// The gateway-command runner driven without a window: a read against the real
// simulated gateway, the busy guard, the close that waits for the command, and
// the exchange ended when the window goes, and the traces "Record traces" leaves.
#include "GatewayCommands.h"
#include "ParameterCatalogue.h"
#include "Parameters.h"
#include "ScriptedUserPort.h"
#include "SimProcess.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <stdexcept>

namespace {

using Icon = CUserPort::Icon;

// The window's side of the runner: its state and a count of each call back.
class GatewayCommandRunner : public ::testing::Test {
protected:
    GatewayCommandRunner() { kw::RegisterCatalogue(parameters); }

    kw::TGatewayCommandHost Host() {
        return {parameters,
                variant,
                pinChanged,
                passwordChanged,
                settings,
                programFolder,
                dataFolder,
                [this]() -> CUserPort& { return port; },
                [this] { ++pagesStored; },
                [this] { ++configurationsShown; },
                [this] { ++ended; },
                [this] { ++closed; }};
    }

    CParameters parameters;
    std::string variant;
    bool pinChanged = true;
    bool passwordChanged = true;
    kw::TAppSettings settings;
    std::string programFolder = "/nonexistent/";
    std::string dataFolder = "/nonexistent/data/";
    kw::test::ScriptedUserPort port;
    int pagesStored = 0, configurationsShown = 0, ended = 0, closed = 0;
};

TEST_F(GatewayCommandRunner, ReadsAndEndsTheExchangeWhenTheWindowGoes) {
    kw::test::SimProcess sim;
    ASSERT_TRUE(sim.Start({"--memory", sim.Path("memory.bin"), "--hw", "E"}));
    settings.Com = sim.LinkPath();
    kw::CGatewayCommands commands(Host());

    port.ExpectMessage(Icon::Information, 112);
    commands.Read();
    EXPECT_TRUE(port.AllMessagesShown());
    EXPECT_EQ(variant, "E");
    EXPECT_FALSE(pinChanged);
    EXPECT_EQ(configurationsShown, 1);
    EXPECT_EQ(pagesStored, 0);
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(commands.Link().ComPort(), sim.LinkPath());
    EXPECT_TRUE(commands.Link().ExchangeOpen());

    EXPECT_TRUE(commands.MayClose());
    const size_t logged = sim.LogLines().size();
    commands.Release();
    ASSERT_TRUE(sim.WaitForLogLines(logged + 1));
    EXPECT_EQ(sim.LogLines().back(), "A");
    EXPECT_FALSE(commands.Link().ExchangeOpen());
    EXPECT_TRUE(commands.Link().Closing());
    EXPECT_EQ(closed, 0);
}

TEST_F(GatewayCommandRunner, RecordTracesLeavesAFilePerExchangeAndWarnsOnceWhenItCannot) {
    kw::test::TempDir temp;
    kw::test::SimProcess sim;
    ASSERT_TRUE(sim.Start({"--memory", sim.Path("memory.bin")}));
    settings.Com = sim.LinkPath();
    settings.Trace = true;
    dataFolder = temp.Path("data");
    kw::CGatewayCommands commands(Host());
    port.ExpectMessage(Icon::Information, 112);
    commands.Read();
    commands.ReleaseGateway(); // between commands: a file of its own
    std::vector<std::string> traces;
    for (const auto& entry : std::filesystem::directory_iterator(commands.TracesFolder()))
        traces.push_back(kw::test::ReadFileBytes(entry.path().string()));
    ASSERT_EQ(traces.size(), 2u);
    std::sort(traces.begin(), traces.end(),
              [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
    EXPECT_NE(traces[0].find("<< 2049 | 65 "), std::string::npos); // the read's region A
    EXPECT_NE(traces[1].find(">> 1 | 41 | A"), std::string::npos);

    // A data folder that is a file: the read goes on, each failure told once.
    temp.Write("blocked", "");
    dataFolder = temp.Path("blocked");
    port.ExpectQuestion(Icon::Question, 334, true)
        .ExpectMessage(Icon::Information, 112)
        .ExpectMessage(Icon::Warning, 462)
        .ExpectMessage(Icon::Warning, 481);
    commands.Read();
    EXPECT_TRUE(port.AllMessagesShown());
    EXPECT_EQ(ended, 2);
}

TEST_F(GatewayCommandRunner, OneCommandAtATimeAndACloseWaitsForIt) {
    kw::CGatewayCommands commands(Host());
    int runs = 0;
    bool mayCloseMeanwhile = true;
    commands.Run([&] {
        ++runs;
        EXPECT_TRUE(commands.Busy());
        commands.Run([&] { ++runs; }); // a second click: ignored
        mayCloseMeanwhile = commands.MayClose();
        EXPECT_EQ(closed, 0);
    });
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(mayCloseMeanwhile);
    EXPECT_FALSE(commands.Busy());
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(closed, 1); // once the command had ended

    // Whatever escapes a command, the runner is free again for the next one.
    EXPECT_THROW(commands.Run([] { throw std::runtime_error("escaped"); }), std::runtime_error);
    EXPECT_FALSE(commands.Busy());
    commands.Run([&] { ++runs; });
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(closed, 1);
    EXPECT_TRUE(commands.MayClose());
}

} // namespace
