#include "Handshake.h"

namespace kw {
namespace {

constexpr char kProbe = 'U';
constexpr char kAck = 'X';
constexpr char kSerialCommand = 'D';

using State = THandshake::State;
using End = THandshakeStep::End;

// Identity bytes 1 to 13 read as a text that ends at the first zero byte.
std::string IdentityText(const THandshake& record) {
    std::string text;
    for (int i = 1; i < kIdentityBytes && record.identity[size_t(i)] != 0; ++i)
        text += char(record.identity[size_t(i)]);
    return text;
}

} // namespace

THandshake StartHandshake(uint32_t now) {
    THandshake record;
    record.lastStep = now;
    return record;
}

THandshakeStep HandshakeTick(THandshake& record, uint32_t now) {
    THandshakeStep step;
    if (record.state == State::Linked)
        return step;
    const uint32_t since = now - record.lastStep; // across the 32-bit wrap
    if (record.state == State::Accepted && since > kProbeAfterMs) {
        record.lastStep = now;
        record.state = State::ProbeSent;
        step.send += kProbe;
    } else if (since > kHandshakeStepLimitMs) {
        step.end = End::Failed;
    }
    return step;
}

THandshakeStep HandshakeReceive(THandshake& record, uint32_t now, const uint8_t* bytes, size_t n,
                                const std::string& expectedSerial) {
    THandshakeStep step;
    for (size_t i = 0; i < n && step.end == End::None; ++i) {
        const uint8_t byte = bytes[i];
        switch (record.state) {
        case State::Accepted:
        case State::Linked:
            break; // before the probe nothing counts; once linked the link reads
        case State::ProbeSent:
            if (byte != 'X' && byte != 'Y') {
                step.end = End::Failed;
                break;
            }
            step.send += kAck;
            record.lastStep = now;
            record.state = State::AckSent;
            break;
        case State::AckSent:
            if (byte != 'U' && byte != 'X') {
                step.end = End::Failed;
                break;
            }
            record.lastStep = now;
            step.send += kSerialCommand;
            record.state = State::IdentityWait;
            record.count = 0;
            break;
        case State::IdentityWait:
            record.identity[size_t(record.count++)] = byte;
            if (record.count < kIdentityBytes)
                break;
            step.identity = IdentityText(record);
            if (step.identity == expectedSerial) {
                record.state = State::Linked;
                step.end = End::Identified;
            } else {
                step.end = End::WrongIdentity;
            }
            break;
        }
    }
    return step;
}

} // namespace kw
