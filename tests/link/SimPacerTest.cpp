// Line time of the simulated serial line, on a clock the test controls.
#include "LinePacer.h"

#include <gtest/gtest.h>

namespace kw::test {
namespace {

constexpr int64_t kMs = 1'000'000;
constexpr int64_t kByte19200 = 10'000'000'000LL / 19200; // ten bits at 19200 baud

TEST(SimPacer, RepliesLeaveAtTheLineRate) {
    sim::LinePacer pacer(19200, 0);
    pacer.Queue(std::string(2049, 'x'), 0);
    EXPECT_EQ(pacer.TakeOutgoing(kByte19200 - 1, 10000), "");
    EXPECT_EQ(pacer.TakeOutgoing(kByte19200, 10000).size(), 1u);
    EXPECT_EQ(pacer.TakeOutgoing(100 * kByte19200, 10000).size(), 99u);
    EXPECT_EQ(pacer.NextOutgoing(), 101 * kByte19200);
    EXPECT_EQ(pacer.TakeOutgoing(2049 * kByte19200, 10000).size(), 1949u);
    EXPECT_FALSE(pacer.OutgoingPending());
}

TEST(SimPacer, IncomingBytesArriveNoFasterThanTheLine) {
    sim::LinePacer pacer(19200, 0);
    const std::string data(10, 'g');
    pacer.Arrived(reinterpret_cast<const uint8_t*>(data.data()), data.size(), 0);
    int taken = 0;
    while (pacer.IncomingDue(5 * kByte19200)) {
        pacer.TakeIncoming();
        ++taken;
    }
    EXPECT_EQ(taken, 5);
    EXPECT_EQ(pacer.NextIncoming(), 6 * kByte19200);
    // A byte written after a pause takes its own line time from then.
    sim::LinePacer later(19200, 0);
    later.Arrived(reinterpret_cast<const uint8_t*>("U"), 1, 1000 * kMs);
    EXPECT_EQ(later.NextIncoming(), 1000 * kMs + kByte19200);
}

TEST(SimPacer, TrickleSpacesReplyBytes) {
    sim::LinePacer pacer(0, 50);
    pacer.Queue("abc", 0);
    EXPECT_EQ(pacer.TakeOutgoing(0, 100), "a");
    EXPECT_EQ(pacer.TakeOutgoing(49 * kMs, 100), "");
    EXPECT_EQ(pacer.TakeOutgoing(50 * kMs, 100), "b");
    EXPECT_EQ(pacer.NextOutgoing(), 100 * kMs);
}

TEST(SimPacer, UnpacedLineDeliversAtOnceAndRespectsTheLimit) {
    sim::LinePacer pacer(0, 0);
    pacer.Queue("hello", 7);
    EXPECT_EQ(pacer.TakeOutgoing(7, 3), "hel");
    pacer.Unwrite("l", 7);
    EXPECT_EQ(pacer.TakeOutgoing(7, 100), "llo");
}

} // namespace
} // namespace kw::test
