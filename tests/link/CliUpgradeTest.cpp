// kolbrawin-cli upgrade against the simulated gateway, run as the real program:
// the firmware file given or found in the program or data folder, the version
// question answered by --yes, and the way on for a gateway whose firmware fails
// the check.
#include "FirmwareFile.h"
#include "FirmwareLayout.h"
#include "UpgradeRig.h"

#include <algorithm>
#include <sys/wait.h>

namespace {

using namespace kw::test;

struct CliRun {
    int exitCode;
    std::string out;
    std::string err;
};

class CliUpgrade : public UpgradeRig {
protected:
    CliRun Cli(const std::string& args, const std::string& programDir = {}) {
        std::string command = std::string(KW_CLI) + " " + args + " >" + output.Path("out.txt") +
                              " 2>" + output.Path("err.txt");
        if (!programDir.empty())
            command = "KOLBRAWIN_PROGRAM_DIR=" + programDir + " " + command;
        // Never the user's own data folder.
        command = "KOLBRAWIN_DATA_DIR=" + DataFolder() + " " + command;
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output.Read("out.txt"),
                output.Read("err.txt")};
    }
    std::string Port() const { return " --port " + sim.LinkPath() + " --attach-timeout 5"; }
    std::string DataFolder() const { return output.Path("data") + "/"; }

    TempDir output;
};

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST_F(CliUpgrade, FirmwareGivenAndYesUpgradesAndEndsTheExchange) {
    StartSim('D');
    const Bytes file = MakeFile("any-name.bin", "1.08");
    const CliRun run =
        Cli("upgrade" + Port() + " --firmware " + program.Path("any-name.bin") + " --yes");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(Has(run.out, "firmware 1.07 replaced by 1.08")) << run.out;
    EXPECT_TRUE(Has(run.err, "gateway firmware 1.07, new firmware 1.08")) << run.err;
    EXPECT_TRUE(sim.WaitForLogLine("A"));
    EXPECT_TRUE(FlashAfterStop() == WithGatewayDeviceArea(FirmwareSliceOf(file, 'D'), 'D'));
}

TEST_F(CliUpgrade, WithoutYesShowsBothVersionsAndSendsNothing) {
    StartSim('E');
    MakeFile("Kolbra1.Bin", "2.00");
    const CliRun run = Cli("upgrade" + Port() + " --firmware " + program.Path("Kolbra1.Bin"));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(Has(run.err, "the gateway runs 1.07, the file holds 2.00; --yes upgrades"))
        << run.err;
    EXPECT_EQ(CountLines(sim.LogLines(), "K block 0"), 0);
    EXPECT_TRUE(sim.WaitForLogLine("A"));
}

TEST_F(CliUpgrade, ProgramFolderIsSearchedAsTheWindowDoes) {
    StartSim('A');
    // Nothing there: the default name, reported with its path.
    CliRun run = Cli("upgrade" + Port() + " --yes", Folder());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(Has(run.err, "cannot open the firmware file " + Folder() + "Kolbra.Bin"))
        << run.err;

    MakeFile("Kolbra2.Bin", "1.20");
    MakeFile("Kolbra1.Bin", "1.10");
    run = Cli("upgrade" + Port() + " --yes", Folder());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(Has(run.err, "several firmware files (Kolbra1.Bin, Kolbra2.Bin); choose one with "
                             "--firmware"))
        << run.err;
    EXPECT_EQ(CountLines(sim.LogLines(), "K page 0 X"), 0);

    std::filesystem::remove(program.Path("Kolbra2.Bin"));
    run = Cli("upgrade" + Port() + " --yes", Folder());
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(Has(run.out, "replaced by 1.10 from " + Folder() + "Kolbra1.Bin")) << run.out;
}

// An installed program's folder is not the user's to fill: firmware files put
// into the data folder are found when the program folder has none.
TEST_F(CliUpgrade, DataFolderIsSearchedWhenTheProgramFolderHasNoFirmware) {
    StartSim('C');
    std::filesystem::create_directories(DataFolder());
    MakeFirmwareFile(DataFolder() + "Kolbra1.Bin", "1.30");
    CliRun run = Cli("upgrade" + Port() + " --yes", Folder());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(Has(run.out, "replaced by 1.30 from " + DataFolder() + "Kolbra1.Bin")) << run.out;

    // The program folder's own file comes first.
    MakeFile("Kolbra.Bin", "1.40");
    run = Cli("upgrade" + Port() + " --yes", Folder());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(Has(run.out, "firmware 1.30 replaced by 1.40 from " + Folder() + "Kolbra.Bin"))
        << run.out;
}

TEST_F(CliUpgrade, GatewayThatKeepsRefusingIsGivenUpAfterTenFailures) {
    StartSim('C', {"--fault", "bad-echo:4:1000"});
    MakeFile("Kolbra1.Bin", "1.08");
    const CliRun run = Cli("upgrade" + Port() + " --yes --firmware " + program.Path("Kolbra1.Bin"));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(Has(run.err, "refused the firmware 10 times")) << run.err;
    EXPECT_EQ(CountLines(sim.LogLines(), "K block 4 bad-echo"), 10);
}

TEST_F(CliUpgrade, ReadRefusesFirmwareThatFailsTheCheckAndUpgradeIsTheWayOn) {
    StartSim('G', {"--fault", "invalid-version-until-upgrade"});
    MakeFile("Kolbra1.Bin", "1.08");
    CliRun run = Cli("read" + Port() + " -o " + output.Path("gw.sgd"));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(Has(run.err, "firmware fails the check")) << run.err;
    EXPECT_EQ(CountLines(sim.LogLines(), "K block 0"), 0);

    run = Cli("upgrade" + Port() + " --yes --firmware " + program.Path("Kolbra1.Bin"));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(Has(run.out, "firmware BOOT replaced by 1.08")) << run.out;

    run = Cli("read" + Port() + " -o " + output.Path("gw.sgd"));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(Has(output.Read("gw.sgd"), "SWVer=\"1.08\""));
}

TEST_F(CliUpgrade, SimulatorWritesAFirmwareFileTheUpgradeTakes) {
    const std::string file = program.Path("Kolbra.Bin");
    const std::string write =
        SimProcess::ProgramPath() + " --write-firmware " + file + " --fw-version 3.01";
    ASSERT_EQ(std::system(write.c_str()), 0);
    CliRun run = Cli("fw-info " + file);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 7);
    for (const char* letter : {"A", "D", "C", "E", "F", "G"})
        EXPECT_TRUE(Has(run.out, std::string("\n") + letter + "  version \"3.01\" (valid)"))
            << run.out;
    EXPECT_FALSE(Has(run.out, "wrong"));

    StartSim('F');
    run = Cli("upgrade" + Port() + " --yes", Folder());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(Has(run.out, "firmware 1.07 replaced by 3.01")) << run.out;
}

TEST_F(CliUpgrade, BadUsageIsRefused) {
    EXPECT_EQ(Cli("upgrade").exitCode, 2);
    EXPECT_EQ(Cli("upgrade --port /dev/null extra").exitCode, 2);
    EXPECT_EQ(Cli("upgrade --port /dev/null --firmware").exitCode, 2);
}

} // namespace
