// Switching to the routing page and leaving it again: LoadPage fills all six
// grids (360 rows with their defaults) from a random configuration, the page
// paints, and StorePage sets every cell back through the registry. The whole
// round must stay within 50 ms to feel instant.
#include "ProgramFolder.h"
#include "RandomConfiguration.h"
#include "RatioReport.h"
#include "SmerovaciTabulka.h"
#include "TestHost.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <random>

namespace {

constexpr double kBudgetSeconds = 0.050;

using Clock = std::chrono::steady_clock;

void LoadStore(benchmark::State& state, const char* variant, const char* figure) {
    kw::test::CTestHost host;
    host.language.Init(kw::ProgramFolder());
    const int english = host.language.FindLangById("Eng");
    if (english < 0) {
        state.SkipWithError("English is not installed beside the benchmark");
        return;
    }
    host.language.Load(english, variant);
    std::mt19937 random(11);
    kw::test::FillRandom(host.parameters, random);
    host.parameters.SetValue("HWVer", 0, variant);
    host.parameters.SetValue("FXODirection", 0, "1");
    TFSmerovaciTabulka page(host);
    page.show();
    // The first load lays the grids out for the variant; the figure is a switch
    // back to a page that exists, as the main window does it.
    page.LoadPage();
    page.StorePage();
    QApplication::processEvents();
    const auto start = Clock::now();
    for (auto _ : state) {
        page.LoadPage();
        QApplication::processEvents(); // the page paints
        page.StorePage();
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    kw::bench::RecordFigure(figure, seconds / static_cast<double>(state.iterations()),
                            kBudgetSeconds, "50 ms budget");
}

void RoutingPageA(benchmark::State& state) {
    LoadStore(state, "A", "routing page load+store A");
}

void RoutingPageE(benchmark::State& state) {
    LoadStore(state, "E", "routing page load+store E");
}

} // namespace

BENCHMARK(RoutingPageA)->Unit(benchmark::kMillisecond);
BENCHMARK(RoutingPageE)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    return kw::bench::RunBenchmarksAndReport(argc, argv);
}
