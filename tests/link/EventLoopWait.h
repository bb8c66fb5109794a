// Runs the Qt event loop until a condition holds, never longer than the bound.
#pragma once

#include <functional>

namespace kw::test {

// True when `done` became true within `timeoutMs`.
bool RunEventsUntil(const std::function<bool()>& done, int timeoutMs = 3000);
// Runs the event loop for `ms` milliseconds.
void RunEventsFor(int ms);

} // namespace kw::test
