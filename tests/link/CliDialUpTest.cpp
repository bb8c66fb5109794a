// kolbrawin-cli read and write over a modem call to the simulated gateway, run
// as the real programs: the call placed and hung up, a failed call's reason
// and exit code, and the ways to the gateway excluding each other.
#include "ConfigImage.h"
#include "GatewayRig.h"
#include "ParameterCatalogue.h"
#include "SimProcess.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace kw::test;

struct CliRun {
    int exitCode;
    std::string err;
};

class CliDialUp : public ::testing::Test {
protected:
    CliRun Cli(const std::string& args) {
        const std::string command = "KOLBRAWIN_DATA_DIR=" + dir.Path("data") + " " +
                                    std::string(KW_CLI) + " " + args + " 2>" +
                                    dir.Path("stderr.txt");
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, dir.Read("stderr.txt")};
    }
    void StartSim(std::vector<std::string> options = {}) {
        CParameters defaults;
        kw::RegisterCatalogue(defaults);
        WriteFileBytes(sim.Path("memory.bin"), EncodedImage(defaults));
        options.insert(options.end(), {"--memory", sim.Path("memory.bin"), "--hayes-modem",
                                       sim.Path("modem"), "--hw", "D"});
        ASSERT_TRUE(sim.Start(options));
    }
    std::string Modem() const { return " --modem-device " + sim.Path("modem"); }
    bool Logged(const std::string& line) const {
        const std::vector<std::string> log = sim.LogLines();
        return std::find(log.begin(), log.end(), line) != log.end();
    }

    TempDir dir;
    SimProcess sim;
};

TEST_F(CliDialUp, ReadAndWriteOverACallHangUpAfterwards) {
    StartSim();
    const CliRun read =
        Cli("read" + Modem() + " --number 0601 --modem-init ATE0S12=5 -o " + dir.Path("r.sgd"));
    ASSERT_EQ(read.exitCode, 0) << read.err;
    CParameters got;
    kw::RegisterCatalogue(got);
    ASSERT_TRUE(got.LoadFromFile(dir.Path("r.sgd")));
    EXPECT_EQ(got.GetValue("HWVer", 0), "D");
    ASSERT_TRUE(sim.WaitForLogLine("hayes on hook"));
    EXPECT_TRUE(Logged("hayes connected to 0601"));
    EXPECT_FALSE(Logged("A")); // no end of exchange over a call

    const CliRun write = Cli("write" + Modem() + " --number 0601 " + dir.Path("r.sgd"));
    ASSERT_EQ(write.exitCode, 0) << write.err;
    EXPECT_TRUE(Logged("g X"));
}

TEST_F(CliDialUp, AFailedCallExitsOneWithItsState) {
    StartSim({"--hayes-number", "777:busy", "--hayes-number", "778:no-carrier", "--hayes-number",
              "779:no-dialtone"});
    const struct {
        const char* number;
        const char* says;
    } cases[] = {{"777", "Busy."}, {"778", "no carrier"}, {"779", "No dial tone."}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.number);
        const CliRun run =
            Cli("read" + Modem() + " --number " + c.number + " -o " + dir.Path("x.sgd"));
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_NE(run.err.find(std::string("failed: ") + c.says), std::string::npos) << run.err;
    }
    EXPECT_FALSE(std::ifstream(dir.Path("x.sgd")).good());
}

TEST_F(CliDialUp, WaysAndValuesThatCannotBeUsedAreBadUsage) {
    const std::string out = " -o " + dir.Path("x.sgd");
    const struct {
        std::string args;
        const char* says;
    } cases[] = {
        {"read --port /dev/null --modem-device /dev/null --number 1" + out, "exclude each other"},
        {"read --modem-device /dev/null --modem-line L --number 1" + out, "exclude each other"},
        {"read --modem-line L --modem-init ATZ --number 1" + out, "does not go with"},
        {"read --modem-device /dev/null" + out, "--number"},
        {"read --modem-device /dev/null --number \"$(printf '1\\rATZ')\"" + out,
         "control characters"},
        {"read --modem-line Missing --number 1" + out, "no modem line named 'Missing'"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args);
        const CliRun run = Cli(c.args);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
    }
}

TEST_F(CliDialUp, ALineFromTheSettingsIsDialled) {
    StartSim();
    std::filesystem::create_directories(dir.Path("data"));
    std::ofstream(dir.Path("data/KolbraWin.ini"))
        << "[Modems]\nCount=1\nName1=Office\nDevice1=" << sim.Path("modem")
        << "\nSpeed1=57600\nInit1=ATE0\n";
    const CliRun run = Cli("read --modem-line Office --number 5 -o " + dir.Path("r.sgd"));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(sim.WaitForLogLine("hayes on hook"));
}

TEST_F(CliDialUp, ASignalEndsTheCommandAndHangsUp) {
    StartSim({"--fault", "silent"}); // the call connects, the gateway never answers
    const std::string data = dir.Path("data");
    const std::string err = dir.Path("stderr.txt");
    const std::string device = sim.Path("modem");
    const std::string out = dir.Path("x.sgd");
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        ::setenv("KOLBRAWIN_DATA_DIR", data.c_str(), 1);
        const int fd = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(fd, STDERR_FILENO);
        ::execl(KW_CLI, KW_CLI, "read", "--modem-device", device.c_str(), "--number", "5", "-o",
                out.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    // The greeting's first command reached the gateway: the call is the tool's.
    ASSERT_TRUE(sim.WaitForLogLine("U silent"));
    ::kill(pid, SIGTERM);
    EXPECT_TRUE(sim.WaitForLogLine("hayes on hook", 10000));
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
    EXPECT_NE(dir.Read("stderr.txt").find("interrupted"), std::string::npos)
        << dir.Read("stderr.txt");
}

} // namespace
