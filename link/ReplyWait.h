// The wait phase both link paths share: handle messages until the completion
// test is met. The time-out measures silence: every received byte starts it
// again, so a slow but steady reply never times out.
#pragma once

#include "LinkTap.h"
#include "ReceiveBuffer.h"

#include <cstdint>
#include <functional>

namespace kw {

// Returns the first non-zero result of `complete`. `checkAbort` raises the
// path's cancel or lost-connection exception. On silence raises code 2, first
// writing the trace line when `traceTimeout` is set. The tap hears how a
// failed wait ended.
int WaitForReply(const CReceiveBuffer& buffer, int32_t timeOutMs,
                 const std::function<void()>& checkAbort, const std::function<int()>& complete,
                 bool traceTimeout, CLinkTap& tap);

} // namespace kw
