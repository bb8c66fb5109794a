#include "ReplyWait.h"

#include "COMTermExp.h"
#include "LinkError.h"
#include "LinkTime.h"

#include <cstdio>

namespace kw {

int WaitForReply(const CReceiveBuffer& buffer, int32_t timeOutMs,
                 const std::function<void()>& checkAbort, const std::function<int()>& complete,
                 bool traceTimeout, CLinkTap& tap) {
    const uint32_t limit = timeOutMs > 0 ? static_cast<uint32_t>(timeOutMs) : 0;
    int32_t seen = buffer.Count();
    uint32_t since = TickCount();
    while (TicksSince(since) < limit) {
        if (buffer.Count() != seen) {
            seen = buffer.Count();
            since = TickCount();
        }
        try {
            checkAbort();
        } catch (const CCOMTermExp& e) {
            tap.Event(LinkFailureEvent(e.Code()));
            throw;
        }
        if (const int result = complete())
            return result;
        HandleOneMessage();
    }
    if (traceTimeout)
        std::fputs("Connection timeout\n", stderr);
    tap.Event(LinkFailureEvent(CCOMTermExp::TimedOut));
    throw CCOMTermExp(CCOMTermExp::TimedOut);
}

} // namespace kw
