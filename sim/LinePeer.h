// What answers on one of the simulator's lines: bytes in, reply bytes out, with
// optional reactions to a quiet line and a requested pause before a reply.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace kw::sim {

class LinePeer {
public:
    virtual ~LinePeer() = default;
    // Handles bytes from the line; reply bytes are appended to reply.
    virtual void Receive(const uint8_t* data, size_t size, std::string& reply) = 0;
    // How long the line may stay quiet before LineQuiet is due (-1: never).
    virtual int QuietTimeoutMs() const { return -1; }
    virtual void LineQuiet() {}
    // What the peer sends of its own accord (a modem's result once it has
    // dialled), asked for after LineQuiet; reading it clears it.
    virtual std::string TakeUnprompted() { return {}; }
    // A pause the last reply should wait before its first byte; reading clears it.
    virtual int TakeReplyDelayMs() { return 0; }
};

} // namespace kw::sim
