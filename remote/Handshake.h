// The greeting a gateway that connects back has to pass before it becomes the
// link: probe "U", acknowledgement "X", then its answer to the serial number
// command "D" must name the gateway the user asked for. Pure steps of (record,
// now, bytes) so the timing is tested with a given clock.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace kw {

// At most this many connections are greeted at once; more are closed at once,
// so a flood of connections cannot exhaust the program.
inline constexpr int kMaxHandshakes = 16;
// A connection gets its probe once it has been quiet this long after connecting.
inline constexpr uint32_t kProbeAfterMs = 1000;
// Every step of the greeting has to be answered within this time.
inline constexpr uint32_t kHandshakeStepLimitMs = 10000;
inline constexpr int kIdentityBytes = 14;

// One per accepted connection, released with it.
struct THandshake {
    enum class State : uint8_t {
        Accepted = 0,
        ProbeSent = 1,
        AckSent = 2,
        IdentityWait = 3,
        Linked = 4
    };

    State state = State::Accepted;
    uint32_t lastStep = 0; // tick of the last step
    std::array<uint8_t, kIdentityBytes> identity{};
    int count = 0;
};

// What the server has to do after a step.
struct THandshakeStep {
    enum class End {
        None,          // the greeting goes on
        Failed,        // out of sequence or too slow: drop with the remote address
        Identified,    // the expected gateway: this connection becomes the link
        WrongIdentity, // another gateway: tell its identity and drop it
    };

    std::string send; // bytes to write to the connection, in order
    End end = End::None;
    std::string identity; // WrongIdentity: bytes 1 to 13 up to the first zero
};

// A new connection at `now`.
THandshake StartHandshake(uint32_t now);

// The server's timer: the probe after a quiet second, the end of a step
// that took too long. Nothing for a linked connection.
THandshakeStep HandshakeTick(THandshake& record, uint32_t now);

// Bytes from the connection before it is linked. Handling stops where the
// greeting ends; bytes after the fourteenth identity byte are discarded.
THandshakeStep HandshakeReceive(THandshake& record, uint32_t now, const uint8_t* bytes, size_t n,
                                const std::string& expectedSerial);

} // namespace kw
