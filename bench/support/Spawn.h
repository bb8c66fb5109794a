// Starting the command line from a benchmark: its messages would only clutter
// the report, so its output goes nowhere.
#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace kw::bench {

// Starts args[0] with the arguments after it, stdout and stderr discarded; the
// process id, or -1 when it could not start.
pid_t SpawnQuietly(const std::vector<std::string>& args);
// Waits for the process to end; its exit status, or -1 when it did not exit.
int WaitExit(pid_t pid);

} // namespace kw::bench
