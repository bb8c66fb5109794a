#include "ReplyWait.h"

#include "COMTermExp.h"
#include "LinkTime.h"

#include <cstdio>

namespace kw {

int WaitForReply(const CReceiveBuffer& buffer, int32_t timeOutMs,
                 const std::function<void()>& checkAbort, const std::function<int()>& complete,
                 bool traceTimeout) {
    const uint32_t limit = timeOutMs > 0 ? static_cast<uint32_t>(timeOutMs) : 0;
    int32_t seen = buffer.Count();
    uint32_t since = TickCount();
    while (TicksSince(since) < limit) {
        if (buffer.Count() != seen) {
            seen = buffer.Count();
            since = TickCount();
        }
        checkAbort();
        if (const int result = complete())
            return result;
        HandleOneMessage();
    }
    if (traceTimeout)
        std::fputs("Connection timeout\n", stderr);
    throw CCOMTermExp(CCOMTermExp::TimedOut);
}

} // namespace kw
