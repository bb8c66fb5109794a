// kolbrawin-cli monitor --once against the simulated gateway at the module's
// 57600 baud. Wall time from the command's start to its exit, as a ratio to
// the least time the pass can take: the waits the monitor prescribes (1 s
// before it takes the port, six 300 ms pauses while it identifies the module,
// eight in the polling pass) plus the line time of every byte that crossed
// the line (10 bits a byte, the simulator counts them).
#include "RatioReport.h"
#include "SimProcess.h"
#include "SimTotals.h"
#include "Spawn.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

namespace {

constexpr int kBaud = 57600;
constexpr double kPrescribedWaitSeconds = 1.0 + 6 * 0.3 + 8 * 0.3;
constexpr double kTarget = 1.05;

using Clock = std::chrono::steady_clock;

void MonitorOnceAt57600(benchmark::State& state) {
    double wall = 0, limit = 0;
    for (auto _ : state) {
        state.PauseTiming();
        kw::test::SimProcess sim;
        if (!sim.Start({"--baud", std::to_string(kBaud)})) {
            state.SkipWithError("the simulator did not start");
            return;
        }
        state.ResumeTiming();
        const auto start = Clock::now();
        const int exitCode = kw::bench::WaitExit(
            kw::bench::SpawnQuietly({KW_CLI, "monitor", "--port", sim.LinkPath(), "--once"}));
        wall += std::chrono::duration<double>(Clock::now() - start).count();
        state.PauseTiming();
        sim.Stop();
        const long long bytes = kw::bench::SimLineBytes(sim.LogLines());
        if (exitCode != 0 || bytes <= 0) {
            state.SkipWithError("the monitor pass failed");
            return;
        }
        limit += double(bytes) * 10.0 / kBaud + kPrescribedWaitSeconds;
        state.ResumeTiming();
    }
    const double runs = double(state.iterations());
    kw::bench::RecordFigure("monitor --once at 57600 baud", wall / runs, limit / runs,
                            "prescribed waits + line time", kTarget);
}

} // namespace

BENCHMARK(MonitorOnceAt57600)->Unit(benchmark::kSecond)->Iterations(1);

int main(int argc, char** argv) {
    return kw::bench::RunBenchmarksAndReport(argc, argv);
}
