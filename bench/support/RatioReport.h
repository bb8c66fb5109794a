// Benchmarks state their targets as ratios to a limit. Each benchmark records
// its mean time here; the report after the run prints every figure against
// its limit, so a reader sees at once how much room is left.
#pragma once

#include <string>

namespace kw::bench {

// Records the mean seconds per iteration of one figure and the limit it is held to.
void RecordFigure(const std::string& name, double seconds, double limitSeconds,
                  const std::string& limitName, double targetRatio = 1.0);

// Prints one line per figure: time, ratio to its limit, and whether the target holds.
// Returns the number of figures over their target.
int PrintRatioReport();

// The benchmarks' main: runs the registered benchmarks, then prints the report.
int RunBenchmarksAndReport(int argc, char** argv);

} // namespace kw::bench
