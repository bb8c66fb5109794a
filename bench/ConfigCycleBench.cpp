// A full random configuration through the image and through a file. Each figure
// is also printed as a ratio to 16 ms, one frame at 60 Hz: the whole cycle must
// stay well inside a frame so that no page ever stutters.
#include "ConfigImage.h"
#include "ParameterCatalogue.h"
#include "Parameters.h"
#include "RandomConfiguration.h"
#include "RatioReport.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <vector>

namespace {

constexpr double kFrameSeconds = 0.016;

using Clock = std::chrono::steady_clock;

void RecordFrameRatio(benchmark::State& state, const char* name, Clock::time_point start) {
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    kw::bench::RecordFigure(name, seconds / static_cast<double>(state.iterations()), kFrameSeconds,
                            "16 ms frame");
}

void EncodeDecode(benchmark::State& state) {
    CParameters p;
    kw::RegisterCatalogue(p);
    std::mt19937 random(1);
    kw::test::FillRandom(p, random);
    std::vector<uint8_t> image(kw::kImageSize);
    const auto start = Clock::now();
    for (auto _ : state) {
        p.StoreToImage(image.data(), kw::kImageSize);
        kw::StoreRegionChecksum(image.data(), kw::kRegionA);
        kw::StoreRegionChecksum(image.data(), kw::kRegionB);
        p.LoadFromImage(image.data(), kw::kImageSize);
        benchmark::DoNotOptimize(image.data());
    }
    RecordFrameRatio(state, "encode + decode", start);
}

void SaveLoad(benchmark::State& state) {
    CParameters p;
    kw::RegisterCatalogue(p);
    std::mt19937 random(2);
    kw::test::FillRandom(p, random);
    const auto file = std::filesystem::temp_directory_path() / "kw-bench-cycle.sgd";
    const auto start = Clock::now();
    for (auto _ : state) {
        if (!p.SaveToFile(file.string()) || !p.LoadFromFile(file.string()))
            state.SkipWithError("file cycle failed");
    }
    RecordFrameRatio(state, "save + load", start);
    std::filesystem::remove(file);
}

} // namespace

BENCHMARK(EncodeDecode)->Unit(benchmark::kMillisecond);
BENCHMARK(SaveLoad)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return kw::bench::RunBenchmarksAndReport(argc, argv);
}
