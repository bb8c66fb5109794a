// kolbrawin-cli upgrade against the simulated gateway at 19200 baud, for the
// page dialect (A) and the block dialect (D, and E with its "Q" blocks). Wall
// time from the command's start to its exit, as a ratio to the least time the
// exchange can take: the line time of every byte that crossed the line (10
// bits a byte, the simulator counts them) plus the 0.2 s that ending the
// exchange prescribes (re-opening the port, the pause after "A").
#include "FirmwareFile.h"
#include "RatioReport.h"
#include "SimProcess.h"
#include "SimTotals.h"
#include "Spawn.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

namespace {

constexpr int kBaud = 19200;
constexpr double kEndOfExchangeSeconds = 0.2;
constexpr double kTarget = 1.05;

using Clock = std::chrono::steady_clock;

void UpgradeAt19200(benchmark::State& state, char letter) {
    double wall = 0, limit = 0;
    for (auto _ : state) {
        state.PauseTiming();
        kw::test::SimProcess sim;
        const std::string firmware = sim.Path("Kolbra1.Bin");
        kw::test::MakeFirmwareFile(firmware, "1.08");
        if (!sim.Start({"--hw", std::string(1, letter), "--baud", std::to_string(kBaud), "--flash",
                        sim.Path("flash.bin")})) {
            state.SkipWithError("the simulator did not start");
            return;
        }
        state.ResumeTiming();
        const auto start = Clock::now();
        const int exitCode = kw::bench::WaitExit(kw::bench::SpawnQuietly(
            {KW_CLI, "upgrade", "--port", sim.LinkPath(), "--firmware", firmware, "--yes"}));
        wall += std::chrono::duration<double>(Clock::now() - start).count();
        state.PauseTiming();
        sim.Stop();
        const long long bytes = kw::bench::SimLineBytes(sim.LogLines());
        if (exitCode != 0 || bytes <= 0) {
            state.SkipWithError("the upgrade failed");
            return;
        }
        limit += double(bytes) * 10.0 / kBaud + kEndOfExchangeSeconds;
        state.ResumeTiming();
    }
    const double runs = double(state.iterations());
    kw::bench::RecordFigure(std::string("upgrade ") + letter + " at 19200 baud", wall / runs,
                            limit / runs, "line time + 0.2 s", kTarget);
}

} // namespace

BENCHMARK_CAPTURE(UpgradeAt19200, A, 'A')->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK_CAPTURE(UpgradeAt19200, D, 'D')->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK_CAPTURE(UpgradeAt19200, E, 'E')->Unit(benchmark::kSecond)->Iterations(1);

int main(int argc, char** argv) {
    return kw::bench::RunBenchmarksAndReport(argc, argv);
}
