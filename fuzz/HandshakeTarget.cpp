// The greeting of a gateway that connects back, driven by timer ticks and
// received bytes at times the input chooses. Whatever arrives, the greeting
// only moves forward, sends "U", "X" and "D" once each and in that order,
// ends at once on a byte out of sequence or a step over its time limit, and
// links the connection exactly when the identity names the expected gateway.
#include "FuzzBytes.h"
#include "FuzzCheck.h"
#include "Handshake.h"

#include <string>

namespace {

using namespace kw::fuzz;
using kw::THandshake;
using State = THandshake::State;
using End = kw::THandshakeStep::End;

// What the greeting sends, in order, from the probe to the serial number command.
const std::string kSequence = "UXD";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CFuzzBytes in(data, size);
    const std::string expected = in.Run(in.Byte() % 16);
    uint32_t now = uint32_t(in.Word()) << 16 | in.Word(); // the wrap included
    THandshake record = kw::StartHandshake(now);
    std::string sent;
    bool linked = false;

    while (!in.Empty()) {
        const uint8_t op = in.Byte();
        now += op & 0x80 ? uint32_t(in.Word()) * 4 : uint32_t(in.Byte());
        const State before = record.state;
        const uint32_t since = now - record.lastStep;
        kw::THandshakeStep step;
        if (op & 1) {
            step = kw::HandshakeTick(record, now);
            if (before == State::Accepted && since > kw::kProbeAfterMs)
                KW_FUZZ_REQUIRE(step.send == "U" && record.state == State::ProbeSent,
                                "the probe after a quiet second");
            else if (before != State::Linked && since > kw::kHandshakeStepLimitMs)
                KW_FUZZ_REQUIRE(step.end == End::Failed, "a step over its limit ends the greeting");
            else
                KW_FUZZ_REQUIRE(step.end == End::None && step.send.empty() &&
                                    record.state == before,
                                "a tick within the limits changes nothing");
        } else {
            const std::string bytes = in.Run(op >> 1 & 0x1F);
            step = kw::HandshakeReceive(record, now, reinterpret_cast<const uint8_t*>(bytes.data()),
                                        bytes.size(), expected);
            if (before == State::Accepted || before == State::Linked)
                KW_FUZZ_REQUIRE(step.end == End::None && step.send.empty() &&
                                    record.state == before,
                                "bytes before the probe and after the link change nothing");
        }
        KW_FUZZ_REQUIRE(record.state >= before, "the greeting only moves forward");
        KW_FUZZ_REQUIRE(record.count >= 0 && record.count <= kw::kIdentityBytes,
                        "the identity stays within its bytes");
        sent += step.send;
        KW_FUZZ_REQUIRE(kSequence.compare(0, sent.size(), sent) == 0,
                        "U, X and D, once each and in order");
        KW_FUZZ_REQUIRE(step.identity.size() < size_t(kw::kIdentityBytes) &&
                            step.identity.find('\0') == std::string::npos,
                        "an identity is at most bytes 1 to 13, up to a zero");
        switch (step.end) {
        case End::None:
            KW_FUZZ_REQUIRE(record.state != State::Linked || linked, "linked only when identified");
            continue;
        case End::Identified:
            KW_FUZZ_REQUIRE(step.identity == expected && record.state == State::Linked &&
                                sent == kSequence,
                            "the expected gateway after the whole greeting is linked");
            linked = true;
            continue; // a linked connection ignores what follows
        case End::WrongIdentity:
            KW_FUZZ_REQUIRE(step.identity != expected && sent == kSequence &&
                                record.state != State::Linked,
                            "another gateway is told and dropped");
            return 0;
        case End::Failed:
            KW_FUZZ_REQUIRE(!linked, "a linked connection never fails its greeting");
            return 0; // the server drops the connection
        }
    }
    return 0;
}
