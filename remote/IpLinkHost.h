// What the TCP/IP connection needs from whoever owns the link and shows the
// IP dialling window: the main window in the program, a terminal session on
// the command line, a test double in the tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class QTcpSocket;

namespace kw {

class CIpLinkHost {
public:
    virtual ~CIpLinkHost() = default;

    // ---- The IP dialling window (modeless, stays in front until closed)
    // Shows it with caption word 273, its button word 2, an empty list and
    // its closing-by-program flag cleared.
    virtual void ShowDialling() = 0;
    virtual bool DiallingVisible() const = 0;
    // Adds a line: the text of language word `word` with `args` filled in.
    virtual void AddDiallingLine(int word, const std::vector<std::string>& args = {}) = 0;
    // Sets the closing-by-program flag and closes the window.
    virtual void CloseDialling() = 0;

    // ---- The link
    // A link exists (the connected flag).
    virtual bool LinkExists() const = 0;
    // The linked connection, or none.
    virtual QTcpSocket* LinkedConnection() const = 0;
    // The gateway passed its greeting on `connection`: it becomes the linked
    // connection, the connected flag is set and the TCP reply time-out becomes
    // `replyTimeOutMs`, whatever an earlier exchange left.
    virtual void LinkUp(QTcpSocket* connection, int32_t replyTimeOutMs) = 0;
    // The linked connection and the connected flag are cleared.
    virtual void LinkDown() = 0;
    // Bytes of the linked connection, for the link receive buffer.
    virtual void LinkReceive(const uint8_t* bytes, int32_t n) = 0;
    // Re-applies the window's enable rules after the link state changed.
    virtual void LinkStateChanged() = 0;
    // Handles messages until `ms` have passed, the dialling window is no longer
    // visible or the program is closing.
    virtual void LinkIdle(int32_t ms) = 0;
};

// The reply time-out of a TCP link: GPRS answers slowly.
inline constexpr int32_t kTcpLinkTimeOutMs = 20000;

} // namespace kw
