#include "RatioReport.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <vector>

namespace kw::bench {
namespace {

struct Figure {
    std::string name;
    double seconds;
    double limitSeconds;
    std::string limitName;
    double targetRatio;
};

std::vector<Figure>& Figures() {
    static std::vector<Figure> figures;
    return figures;
}

} // namespace

void RecordFigure(const std::string& name, double seconds, double limitSeconds,
                  const std::string& limitName, double targetRatio) {
    for (Figure& figure : Figures())
        if (figure.name == name) {
            figure = {name, seconds, limitSeconds, limitName, targetRatio};
            return;
        }
    Figures().push_back({name, seconds, limitSeconds, limitName, targetRatio});
}

int PrintRatioReport() {
    int over = 0;
    std::printf("\n%-28s %12s %10s  %s\n", "figure", "time", "ratio", "limit");
    for (const Figure& f : Figures()) {
        const double ratio = f.seconds / f.limitSeconds;
        const bool holds = ratio <= f.targetRatio;
        over += holds ? 0 : 1;
        std::printf("%-28s %9.3f ms %10.4f  %s (target <= %.2f) %s\n", f.name.c_str(),
                    f.seconds * 1000.0, ratio, f.limitName.c_str(), f.targetRatio,
                    holds ? "ok" : "OVER TARGET");
    }
    std::fflush(stdout);
    return over;
}

int RunBenchmarksAndReport(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    PrintRatioReport();
    return 0;
}

} // namespace kw::bench
