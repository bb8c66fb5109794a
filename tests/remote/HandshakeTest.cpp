// The greeting of a connection that calls back, step by step against a given
// clock: the probe after a quiet second, the 10 s limit of every step, the
// accepted answers and the identity rule.
#include "Handshake.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using kw::THandshake;
using State = THandshake::State;
using End = kw::THandshakeStep::End;

// One event of a script: a timer tick (bytes == nullptr) or bytes from the
// client, at `at` ms after the connection was accepted, and what must follow.
struct Event {
    uint32_t at;
    std::optional<std::string> bytes;
    std::string send;
    End end;
    State state;
    std::string identity = {};
};

struct Script {
    const char* name;
    std::vector<Event> events;
    std::string serial = "10-2024-0001";
    uint32_t start = 5000; // tick of the connection
};

const std::optional<std::string> kTick;
const std::string kIdentity = std::string("D10-2024-0001\0", 14);

// Probe at 1200 ms (the first 200 ms tick past 1000), answer, identity.
std::vector<Event> Greeting(const std::string& probeAnswer, const std::string& ackAnswer,
                            const std::string& identity, End end) {
    return {{1000, kTick, "", End::None, State::Accepted},
            {1200, kTick, "U", End::None, State::ProbeSent},
            {1300, probeAnswer, "X", End::None, State::AckSent},
            {1400, ackAnswer, "D", End::None, State::IdentityWait},
            {1500, identity, "", end, end == End::Identified ? State::Linked : State::IdentityWait,
             end == End::WrongIdentity ? identity.substr(1, identity.find('\0', 1) - 1) : ""}};
}

std::vector<Script> Scripts() {
    std::vector<Script> scripts = {
        {"X then U", Greeting("X", "U", kIdentity, End::Identified)},
        {"Y then X", Greeting("Y", "X", kIdentity, End::Identified)},
        {"byte 0 of the identity is not looked at", Greeting("X", "X",
                                                             std::string("\xFF"
                                                                         "10-2024-0001\0",
                                                                         14),
                                                             End::Identified)},
        {"byte 13 not zero is another serial number",
         Greeting("X", "X", "D10-2024-0001Z", End::WrongIdentity)},
        {"another gateway",
         Greeting("X", "X", std::string("D10-2024-0002\0", 14), End::WrongIdentity)},
        {"a probe answered out of sequence",
         {{1200, kTick, "U", End::None, State::ProbeSent},
          {1250, "Q", "", End::Failed, State::ProbeSent}}},
        {"an acknowledgement answered out of sequence",
         {{1200, kTick, "U", End::None, State::ProbeSent},
          {1250, "X", "X", End::None, State::AckSent},
          {1300, "Y", "", End::Failed, State::AckSent}}},
        {"bytes before the probe are ignored",
         {{10, "XUD10-2024-0001", "", End::None, State::Accepted},
          {1200, kTick, "U", End::None, State::ProbeSent},
          {1300, "XU", "XD", End::None, State::IdentityWait},
          {1400, kIdentity, "", End::Identified, State::Linked}}},
        {"the identity in pieces; what follows it is discarded",
         {{1200, kTick, "U", End::None, State::ProbeSent},
          {1300, "YX", "XD", End::None, State::IdentityWait},
          {1400, "D10-20", "", End::None, State::IdentityWait},
          {1500, std::string("24-0001\0Bx", 10), "", End::Identified, State::Linked}}},
        {"silent after the probe: closed once 10 s have passed",
         {{1200, kTick, "U", End::None, State::ProbeSent},
          {11200, kTick, "", End::None, State::ProbeSent},
          {11400, kTick, "", End::Failed, State::ProbeSent}}},
        {"every answer starts the 10 s again",
         {{1200, kTick, "U", End::None, State::ProbeSent},
          {9000, "X", "X", End::None, State::AckSent},
          {11400, kTick, "", End::None, State::AckSent},
          {19000, kTick, "", End::None, State::AckSent},
          {19001, kTick, "", End::Failed, State::AckSent}}},
        {"the identity must be complete 10 s after the D",
         {{1200, kTick, "U", End::None, State::ProbeSent},
          {1300, "XX", "XD", End::None, State::IdentityWait},
          {5000, "D10", "", End::None, State::IdentityWait},
          {11301, kTick, "", End::Failed, State::IdentityWait}}},
        {"a serial number cleared from \"0\" is matched by an empty text",
         Greeting("X", "X", std::string("D\0\0\0\0\0\0\0\0\0\0\0\0\0", 14), End::Identified), ""},
        {"\"00\" is not \"0\"",
         Greeting("X", "X", std::string("D0\0\0\0\0\0\0\0\0\0\0\0\0", 14), End::WrongIdentity),
         "00"},
        {"the tick counter wraps",
         {{1000, kTick, "", End::None, State::Accepted},
          {1200, kTick, "U", End::None, State::ProbeSent},
          {11400, kTick, "", End::Failed, State::ProbeSent}},
         "10-2024-0001",
         0xFFFFFE00u},
    };
    // A linked connection is the link's: ticks and bytes leave it alone.
    std::vector<Event> linked = Greeting("X", "X", kIdentity, End::Identified);
    linked.push_back({60000, kTick, "", End::None, State::Linked});
    linked.push_back({60001, "U", "", End::None, State::Linked});
    scripts.push_back({"linked", linked});
    return scripts;
}

TEST(Handshake, FollowsItsScript) {
    for (const Script& script : Scripts()) {
        SCOPED_TRACE(script.name);
        THandshake record = kw::StartHandshake(script.start);
        for (const Event& event : script.events) {
            SCOPED_TRACE(event.at);
            const uint32_t now = script.start + event.at;
            const kw::THandshakeStep step =
                event.bytes
                    ? kw::HandshakeReceive(record, now,
                                           reinterpret_cast<const uint8_t*>(event.bytes->data()),
                                           event.bytes->size(), script.serial)
                    : kw::HandshakeTick(record, now);
            EXPECT_EQ(step.send, event.send);
            EXPECT_EQ(step.end, event.end);
            EXPECT_EQ(record.state, event.state);
            if (event.end == End::WrongIdentity) {
                EXPECT_EQ(step.identity, event.identity);
            }
        }
    }
}

} // namespace
