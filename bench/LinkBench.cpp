// kolbrawin-cli read and write against the simulated gateway at 19200 baud,
// wall time from start to exit as a ratio to the least time the exchange can
// take: the line time of every byte both ways (10 bits a byte) plus the 0.2 s
// that ending the exchange prescribes (close, 100 ms pause, re-open, "A",
// 100 ms). And the CPU time the program spends over 10 s of asking a silent
// gateway again and again, against 1 % of one core.
#include "ParameterCatalogue.h"
#include "Parameters.h"
#include "RatioReport.h"
#include "SimProcess.h"
#include "Spawn.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <limits>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace {

using kw::bench::SpawnQuietly;
using kw::bench::WaitExit;
using Clock = std::chrono::steady_clock;

constexpr int kBaud = 19200;
constexpr double kEndOfExchange = 0.2;
// Identity the simulator reports; the reply lengths follow from it.
const std::string kVersion = "1.07";
const std::string kSerial = "10-2024-0001";
const std::string kOperLock = "OL";

// A command letter and its reply.
constexpr int Exchange(int replyBytes) {
    return 1 + replyBytes;
}
// A text reply: the letter echoed, the text, the terminating zero.
int TextReply(const std::string& text) {
    return 1 + static_cast<int>(text.size()) + 1;
}

// "U" and "X" twice, "B" with the letter, "C" with the version.
int AttachBytes() {
    return 2 * Exchange(1) + Exchange(3) + Exchange(TextReply(kVersion));
}

int ReadBytes() {
    return AttachBytes() + Exchange(3) + Exchange(TextReply(kVersion)) +
           Exchange(TextReply(kSerial)) + Exchange(TextReply(kOperLock)) + Exchange(2049) +
           Exchange(8193) + 1; // "A"
}

int WriteBytes() {
    return AttachBytes() + 2 * Exchange(2049)    // modem numbers, verified region A
           + (1 + 2048) + 1 + Exchange(2049)     // "g", region A, "X", read-back
           + 1 + 4 * (2048 + 1) + Exchange(8193) // "G", chunks with "X", read-back
           + 1;                                  // "A"
}

double LeastSeconds(int bytes) {
    return bytes * 10.0 / kBaud + kEndOfExchange;
}

std::vector<std::string> SimOptions(std::vector<std::string> extra) {
    std::vector<std::string> options{
        "--baud", std::to_string(kBaud), "--fw-version", kVersion, "--serial",
        kSerial,  "--operlock",          kOperLock};
    options.insert(options.end(), extra.begin(), extra.end());
    return options;
}

// A failed run counts as endless, so the report cannot call it fine.
constexpr double kFailed = std::numeric_limits<double>::infinity();

// Seconds from starting the command line to its exit.
double TimedCli(benchmark::State& state, const std::vector<std::string>& args) {
    std::vector<std::string> command{KW_CLI};
    command.insert(command.end(), args.begin(), args.end());
    const auto start = Clock::now();
    const pid_t pid = SpawnQuietly(command);
    if (pid < 0 || WaitExit(pid) != 0) {
        state.SkipWithError(("kolbrawin-cli " + args.front() + " failed").c_str());
        return kFailed;
    }
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void CliRead(benchmark::State& state) {
    kw::test::SimProcess sim(SimOptions({}));
    const std::string out = sim.Path("read.sgd");
    double total = 0;
    for (auto _ : state) {
        total += TimedCli(state, {"read", "--port", sim.LinkPath(), "-o", out});
    }
    kw::bench::RecordFigure("cli read at 19200 baud", total / double(state.iterations()),
                            LeastSeconds(ReadBytes()), "least exchange time", 1.05);
}

void CliWrite(benchmark::State& state) {
    kw::test::SimProcess sim;
    sim.Start(SimOptions({"--memory", sim.Path("memory.bin")}));
    CParameters defaults;
    kw::RegisterCatalogue(defaults);
    defaults.SetValue("HWVer", 0, "A");
    const std::string in = sim.Path("defaults.sgd");
    defaults.SaveToFile(in);
    double total = 0;
    for (auto _ : state) {
        total += TimedCli(state, {"write", "--port", sim.LinkPath(), in});
    }
    kw::bench::RecordFigure("cli write at 19200 baud", total / double(state.iterations()),
                            LeastSeconds(WriteBytes()), "least exchange time", 1.05);
}

// User and system CPU seconds the process has used so far.
double CpuSecondsOf(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const size_t end = text.rfind(')');
    if (end == std::string::npos)
        return -1;
    std::istringstream fields(text.substr(end + 2));
    std::string field;
    unsigned long long utime = 0, stime = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i) {
        if (i == 14)
            utime = std::stoull(field);
        if (i == 15)
            stime = std::stoull(field);
    }
    return double(utime + stime) / double(::sysconf(_SC_CLK_TCK));
}

void SilentGatewayWait(benchmark::State& state) {
    kw::test::SimProcess sim(SimOptions({"--fault", "silent"}));
    constexpr double kMeasured = 10.0;
    double cpu = 0;
    for (auto _ : state) {
        const pid_t pid = SpawnQuietly({KW_CLI, "read", "--port", sim.LinkPath(), "-o",
                                        sim.Path("x.sgd"), "--attach-timeout", "60"});
        // Start-up is not waiting; the measured span begins once it is over.
        std::this_thread::sleep_for(std::chrono::seconds(1));
        const double before = CpuSecondsOf(pid);
        std::this_thread::sleep_for(std::chrono::duration<double>(kMeasured));
        const double after = CpuSecondsOf(pid);
        ::kill(pid, SIGTERM);
        WaitExit(pid);
        if (before < 0 || after < 0) {
            state.SkipWithError("cannot read the program's CPU time");
            cpu = kFailed;
        }
        cpu += after - before;
    }
    kw::bench::RecordFigure("cpu asking a silent gateway", cpu / double(state.iterations()),
                            kMeasured * 0.01, "1 % of a core over 10 s");
}

} // namespace

BENCHMARK(CliRead)->Iterations(2)->Unit(benchmark::kSecond);
BENCHMARK(CliWrite)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(SilentGatewayWait)->Iterations(1)->Unit(benchmark::kSecond);

int main(int argc, char** argv) {
    return kw::bench::RunBenchmarksAndReport(argc, argv);
}
