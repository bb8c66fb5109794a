// The running simulator: the pseudo-terminal, the gateway model, line pacing,
// faults of the line itself, persistence and the log, in one poll loop.
#pragma once

#include "SimOptions.h"

namespace kw::sim {

// Runs until SIGTERM or SIGINT; returns the exit code (1 when start-up fails,
// with the reason on stderr).
int RunSimulator(const SimOptions& options);

} // namespace kw::sim
