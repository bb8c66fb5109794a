// kolbrawin-cli read and write against the simulated gateway, run as the real
// programs: files, exit codes and the one-line reasons on stderr.
#include "COMTerminal.h"
#include "ConfigImage.h"
#include "GatewayRig.h"
#include "ParameterCatalogue.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <sstream>
#include <sys/wait.h>

namespace {

using namespace kw::test;

// The PIN a gateway memory holds.
std::string PinOf(const Image& memory) {
    CParameters decoded;
    kw::RegisterCatalogue(decoded);
    decoded.LoadFromImage(memory.data(), kw::kImageSize);
    return decoded.GetValue("PINVal", 0);
}

struct CliRun {
    int exitCode;
    std::string err;
};

class CliLink : public ::testing::Test {
protected:
    CliRun Cli(const std::string& args) {
        const std::string err = dir.Path("stderr.txt");
        // Backups go to the test's own data folder, never the user's.
        const std::string command = "KOLBRAWIN_DATA_DIR=" + dir.Path("data") + " " +
                                    std::string(KW_CLI) + " " + args + " >" +
                                    dir.Path("stdout.txt") + " 2>" + err;
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, dir.Read("stderr.txt")};
    }
    std::vector<std::string> Lines(const std::string& args) {
        EXPECT_EQ(Cli(args).exitCode, 0);
        std::vector<std::string> lines;
        std::istringstream out(dir.Read("stdout.txt"));
        for (std::string line; std::getline(out, line);)
            lines.push_back(line);
        return lines;
    }
    void StartSim(std::vector<std::string> options) {
        CParameters defaults;
        kw::RegisterCatalogue(defaults);
        WriteFileBytes(sim.Path("memory.bin"), EncodedImage(defaults));
        options.push_back("--memory");
        options.push_back(sim.Path("memory.bin"));
        ASSERT_TRUE(sim.Start(options));
    }
    std::string Port() const { return " --port " + sim.LinkPath(); }

    TempDir dir;
    SimProcess sim;
};

TEST_F(CliLink, ReadSavesTheConfigurationWithItsIdentityAndEndsTheExchange) {
    StartSim({"--hw", "E", "--fw-version", "3.10", "--serial", "77", "--operlock", "LCK"});
    const CliRun run = Cli("read" + Port() + " -o " + dir.Path("read.sgd"));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    CParameters read;
    kw::RegisterCatalogue(read);
    ASSERT_TRUE(read.LoadFromFile(dir.Path("read.sgd")));
    EXPECT_EQ(read.GetValue("HWVer", 0), "E");
    EXPECT_EQ(read.GetValue("SWVer", 0), "3.10");
    EXPECT_EQ(read.GetValue("SerialNum", 0), "77");
    EXPECT_EQ(read.GetValue("OperLock", 0), "LCK");
    EXPECT_EQ(EncodedImage(read), ReadImageFile(sim.Path("memory.bin")));
    EXPECT_TRUE(sim.WaitForLogLine("A"));

    // The read left one backup in the data folder, the same as the file.
    const std::vector<std::string> backups = Lines("backups");
    ASSERT_EQ(backups.size(), 1u);
    EXPECT_EQ(backups[0].rfind(dir.Path("data") + "/backups/77/", 0), 0u) << backups[0];
    EXPECT_EQ(ReadFileBytes(backups[0]), dir.Read("read.sgd"));
    EXPECT_EQ(Lines("backups --serial 77"), backups);
    EXPECT_TRUE(Lines("backups --serial 78").empty());
}

TEST_F(CliLink, WriteSendsTheFileAndThePinOnlyWhenGiven) {
    StartSim({});
    ASSERT_EQ(Cli("read" + Port() + " -o " + dir.Path("gw.sgd")).exitCode, 0);
    const kw::test::Image before = ReadImageFile(sim.Path("memory.bin"));

    const CliRun run = Cli("write" + Port() + " " + dir.Path("gw.sgd") + " --pin 2468 --trace " +
                           dir.Path("w.log"));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(PinOf(ReadImageFile(sim.Path("memory.bin"))), "2468");
    // The trace has the exchange from the port's opening, the new PIN only as its length.
    const std::string trace = dir.Read("w.log");
    EXPECT_NE(trace.find("-- open " + sim.LinkPath()), std::string::npos) << trace.substr(0, 500);
    EXPECT_NE(trace.find(">> 2049 | 67 "), std::string::npos); // "g" and region A, one burst
    EXPECT_NE(trace.find("[secret 4 bytes]"), std::string::npos);
    CParameters catalogue;
    kw::RegisterCatalogue(catalogue);
    const size_t pin = size_t(catalogue.Find("PINVal")->Type->m_Address);
    const Image memory = ReadImageFile(sim.Path("memory.bin"));
    char pinHex[16];
    std::snprintf(pinHex, sizeof pinHex, "%02X %02X %02X %02X", memory[pin], memory[pin + 1],
                  memory[pin + 2], memory[pin + 3]);
    EXPECT_EQ(trace.find(pinHex), std::string::npos) << pinHex;
    // Nothing else changed: the file came from this gateway.
    CParameters again;
    kw::RegisterCatalogue(again);
    again.LoadFromImage(ReadImageFile(sim.Path("memory.bin")).data(), kw::kImageSize);
    again.SetValue("PINVal", 0, PinOf(before));
    EXPECT_EQ(EncodedImage(again), before);

    ASSERT_EQ(Cli("write" + Port() + " " + dir.Path("gw.sgd")).exitCode, 0);
    EXPECT_EQ(PinOf(ReadImageFile(sim.Path("memory.bin"))), "2468"); // kept

    // Newest first: the two writes, then the read; each write as the gateway keeps it.
    const std::vector<std::string> backups = Lines("backups");
    ASSERT_EQ(backups.size(), 3u);
    EXPECT_NE(backups[0].find("_written.sgd"), std::string::npos) << backups[0];
    EXPECT_NE(backups[1].find("_written.sgd"), std::string::npos) << backups[1];
    EXPECT_EQ(backups[2].find("_written"), std::string::npos) << backups[2];
    // The gateway's memory as a file, with the identity texts the memory lacks.
    CParameters gateway;
    kw::RegisterCatalogue(gateway);
    gateway.LoadFromImage(ReadImageFile(sim.Path("memory.bin")).data(), kw::kImageSize);
    CParameters file;
    kw::RegisterCatalogue(file);
    ASSERT_TRUE(file.LoadFromFile(dir.Path("gw.sgd")));
    for (const char* identity : {"HWVer", "SWVer", "SerialNum", "OperLock"})
        gateway.SetValue(identity, 0, file.GetValue(identity, 0));
    ASSERT_TRUE(gateway.SaveToFile(dir.Path("gateway.sgd")));
    EXPECT_EQ(ReadFileBytes(backups[0]), dir.Read("gateway.sgd"));
}

TEST_F(CliLink, OtherModemNumbersNeedYes) {
    StartSim({});
    ASSERT_EQ(Cli("defaults -o " + dir.Path("d.sgd")).exitCode, 0);
    std::string file = dir.Read("d.sgd");
    file += "ModemNum1=\"+420777111222\"\r\n";
    dir.Write("d.sgd", file);
    CliRun run = Cli("write" + Port() + " " + dir.Path("d.sgd"));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("modem numbers differ"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("answered No"), std::string::npos) << run.err;
    run = Cli("write" + Port() + " " + dir.Path("d.sgd") + " --yes");
    EXPECT_EQ(run.exitCode, 0) << run.err;
}

TEST_F(CliLink, ASilentGatewayIsGivenUpAfterTheAttachTimeOut) {
    StartSim({"--fault", "silent"});
    const auto start = std::chrono::steady_clock::now();
    const CliRun run = Cli("read" + Port() + " -o " + dir.Path("x.sgd") + " --attach-timeout 0.5");
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find(sim.LinkPath() + ": no answer from the gateway within 0.5 s"),
              std::string::npos)
        << run.err;
    EXPECT_LT(took, std::chrono::milliseconds(500 + 1500));
    EXPECT_FALSE(std::filesystem::exists(dir.Path("x.sgd")));
}

TEST_F(CliLink, FirmwareFailingTheCheckIsNamed) {
    StartSim({"--fw-version", "BOOT"});
    const CliRun run = Cli("read" + Port() + " -o " + dir.Path("x.sgd"));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("firmware fails the check"), std::string::npos) << run.err;
}

TEST_F(CliLink, APortInUseIsRefused) {
    StartSim({});
    CCOMTerminal holder;
    ASSERT_TRUE(holder.OpenPort(sim.LinkPath(), 19200));
    const CliRun run = Cli("read" + Port() + " -o " + dir.Path("x.sgd"));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("cannot open the port: Error accessing specified device (Error: 16)"),
              std::string::npos)
        << run.err;
}

TEST_F(CliLink, BadUsage) {
    EXPECT_EQ(Cli("read -o x.sgd").exitCode, 2);
    EXPECT_EQ(Cli("read --port /dev/null").exitCode, 2);
    EXPECT_EQ(Cli("read --port /dev/null -o x.sgd --attach-timeout soon").exitCode, 2);
    EXPECT_EQ(Cli("read --port /dev/null -o x.sgd --attach-timeout 0").exitCode, 2);
    StartSim({});
    ASSERT_EQ(Cli("defaults -o " + dir.Path("d.sgd")).exitCode, 0);
    EXPECT_EQ(Cli("write" + Port() + " " + dir.Path("d.sgd") + " --pin 12").exitCode, 2);
    EXPECT_EQ(Cli("write" + Port() + " " + dir.Path("d.sgd") + " --password x1").exitCode, 2);
    EXPECT_EQ(Cli("write" + Port()).exitCode, 2);
    EXPECT_TRUE(sim.LogLines().empty()); // nothing reached the gateway
}

} // namespace
