// kolbrawin-cli read and write over the TCP/IP link, run as the real programs
// against the simulated gateway and its GSM modem: the whole way there and
// back, every failure as its one English line with exit 1, and bad usage
// (exit 2) refused before the modem is touched.
#include "ConfigImage.h"
#include "IpRig.h"
#include "ParameterCatalogue.h"
#include "Parameters.h"
#include "PtyPeer.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <regex>

#include <sys/wait.h>

namespace kw::test {
namespace {

struct CliRun {
    int exitCode;
    std::string err;
    // The last line on stderr: the final report.
    std::string LastLine() const {
        std::string text = err;
        while (!text.empty() && text.back() == '\n')
            text.pop_back();
        return text.substr(text.rfind('\n') == std::string::npos ? 0 : text.rfind('\n') + 1);
    }
};

CliRun Cli(const TempDir& dir, const std::vector<std::string>& args) {
    std::string command = KW_CLI;
    for (const std::string& arg : args)
        command += " '" + arg + "'"; // no argument of these tests holds a quote
    const std::string err = dir.Path("stderr.txt");
    const int status = std::system((command + " 2>" + err).c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, dir.Read("stderr.txt")};
}

// The options that wake the gateway `serial` through `modem` and take its call
// on a port the system picks.
std::vector<std::string> Wakeup(const std::string& modem, const std::string& serial = kSerial) {
    return {"--ip", "--modem-port", modem,       "--number",   kNumber, "--serial",
            serial, "--address",    "127.0.0.1", "--tcp-port", "0"};
}

std::vector<std::string> Joined(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::string PinIn(const std::string& memoryFile) {
    const std::string bytes = ReadFileBytes(memoryFile);
    CParameters p;
    RegisterCatalogue(p);
    if (bytes.size() == size_t(kImageSize))
        p.LoadFromImage(reinterpret_cast<const uint8_t*>(bytes.data()), kImageSize);
    return p.GetValue("PINVal", 0);
}

TEST(CliWakeup, ReadAndWriteOverTheCallBack) {
    TempDir dir;
    SimProcess sim;
    ASSERT_TRUE(StartGateway(sim, kSerial, {"--memory", sim.Path("memory.bin")}));
    const std::vector<std::string> wakeup = Wakeup(sim.Path("modem"));

    CliRun run = Cli(dir, Joined({"read"}, Joined(wakeup, {"-o", dir.Path("gw.sgd"), "--trace",
                                                           dir.Path("read.log")})));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    // The trace follows the whole way: the modem, the SMS (its PDU and the
    // modem's echo of it only as their length), the call back and the read.
    const std::string trace = dir.Read("read.log");
    for (const std::string& part :
         {std::string("| AT+CMGS="), std::string("-- connection from 127.0.0.1"),
          std::string("-- gateway linked"), std::string(">> 1 | 65 | e")}) {
        EXPECT_NE(trace.find(part), std::string::npos) << part << "\n" << trace.substr(0, 3000);
    }
    const size_t pdu = trace.find(">> ", trace.find("| AT+CMGS="));
    ASSERT_NE(pdu, std::string::npos);
    const std::string pduLine = trace.substr(pdu, trace.find('\n', pdu) - pdu);
    EXPECT_TRUE(std::regex_match(
        pduLine, std::regex(R"(>> (\d+) \| \[secret \1 bytes\] \| \[secret \1 bytes\])")))
        << pduLine;
    CParameters read;
    RegisterCatalogue(read);
    ASSERT_TRUE(read.LoadFromFile(dir.Path("gw.sgd")));
    EXPECT_EQ(read.GetValue("SerialNum", 0), kSerial);
    EXPECT_TRUE(sim.WaitForLogLine("connect-back hung up by the other side"));
    const std::vector<std::string> log = sim.LogLines();
    EXPECT_NE(std::find_if(log.begin(), log.end(),
                           [](const std::string& line) {
                               return line.rfind("modem SMS to " + kNumber + ": " + kSerial +
                                                     ";;CONNECT;127.0.0.1;",
                                                 0) == 0;
                           }),
              log.end());

    run = Cli(dir, Joined({"write"}, Joined(wakeup, {dir.Path("gw.sgd"), "--pin", "2468"})));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(PinIn(sim.Path("memory.bin")), "2468");
    EXPECT_TRUE(LogHas(sim, "G chunk 3 X"));
    EXPECT_FALSE(LogHas(sim, "A")); // no end of exchange over TCP
}

TEST(CliWakeup, FailuresEndWithOneLineNamingTheReason) {
    PtyPeer quiet; // a port where no modem answers
    const std::string where = "kolbrawin-cli: gateway " + kSerial + ": ";
    const struct {
        const char* name;
        std::vector<std::string> simOptions;
        std::string modem; // empty: the simulator's
        std::vector<std::string> extra;
        std::string reason;
    } cases[] = {
        {"no modem answers",
         {},
         quiet.Path(),
         {},
         "the GSM modem on " + quiet.Path() + " is not answering"},
        {"no such modem port",
         {},
         "/nonexistent/modem",
         {},
         "cannot open the GSM modem's port /nonexistent/modem"},
        {"the modem refuses the SMS",
         {"--cms-error", "500"},
         "",
         {},
         "The GSM modem refused a command or did not send the SMS."},
        {"no call-back",
         {"--serial", "10-2024-0002"}, // the SMS names another gateway
         "",
         {"--connect-timeout", "1"},
         "no call-back within 1 s"},
        {"another gateway calls",
         {"--callback-identity", "10-2024-9999"},
         "",
         {},
         "The gateway with serial number '10-2024-9999' (address 127.0.0.1) is not the one "
         "expected."},
        {"the link drops mid-transfer",
         {"--callback-drop-after", "1000"},
         "",
         {},
         "the connection was lost"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        SimProcess sim;
        ASSERT_TRUE(StartGateway(sim, kSerial, c.simOptions));
        const std::string modem = c.modem.empty() ? sim.Path("modem") : c.modem;
        const CliRun run =
            Cli(dir, Joined({"read"},
                            Joined(Wakeup(modem), Joined(c.extra, {"-o", dir.Path("x.sgd")}))));
        EXPECT_EQ(run.exitCode, 1) << run.err;
        EXPECT_EQ(run.LastLine(), where + c.reason) << run.err;
        EXPECT_FALSE(std::filesystem::exists(dir.Path("x.sgd")));
    }
}

TEST(CliWakeup, BadUsageExitsTwoBeforeTheModemIsTouched) {
    TempDir dir;
    SimProcess sim;
    ASSERT_TRUE(StartGateway(sim, kSerial));
    const std::vector<std::string> wakeup = Wakeup(sim.Path("modem"));
    const auto with = [&](std::vector<std::string> extra) { return Joined(wakeup, extra); };
    const std::vector<std::string> base(wakeup.begin(), wakeup.begin() + 7); // up to --serial
    const struct {
        std::vector<std::string> args;
        std::string says;
    } cases[] = {
        {with({"--port", sim.LinkPath()}), "--port and --ip exclude each other"},
        {{"--port", sim.LinkPath(), "--apn", "web"}, "--apn does not go with --port"},
        {{"--modem-port", sim.Path("modem")},
         "give one way to the gateway: --port, --modem-device, --modem-line, --ip"},
        {{"--ip", "--modem-port", sim.Path("modem"), "--number", kNumber}, "--serial is required"},
        {Joined({"--ip", "--modem-port", sim.Path("modem"), "--number", kNumber, "--serial",
                 "1020240001"},
                {}),
         "--serial takes the gateway's serial number as NN-NNNN-NNNN"},
        {with({"--gateway-password", "123456"}), "--gateway-password takes at most 5 characters"},
        {with({"--apn", "web;x"}), "contains ';', which would shift the fields"},
        {with({"--user", "a\u2192b"}), "contains the character '\u2192'"},
        {with({"--inet-password", "a~b"}), "The internet password contains a character"},
        {Joined({"--ip", "--modem-port", sim.Path("modem"), "--number", "12a", "--serial", kSerial},
                {}),
         "may hold only digits"},
        {Joined(base, {"--tcp-port", "70000"}), "--tcp-port takes a port from 1 to 65535"},
        {Joined(base, {"--address", "300.1.2.3"}), "--address takes an IPv4 address"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.says);
        const CliRun run = Cli(dir, Joined({"read"}, Joined(c.args, {"-o", dir.Path("x.sgd")})));
        EXPECT_EQ(run.exitCode, 2) << run.err;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
    }
    // The passwords never appear, not even in their own refusal.
    const CliRun secret =
        Cli(dir, Joined({"read"}, with({"--inet-password", "s3cr~t", "-o", "x"})));
    EXPECT_EQ(secret.err.find("s3cr"), std::string::npos) << secret.err;
    EXPECT_TRUE(sim.LogLines().empty()); // neither the modem nor the gateway heard a thing
}

} // namespace
} // namespace kw::test
