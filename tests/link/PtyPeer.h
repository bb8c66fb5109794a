// The far end of a real pseudo-terminal for tests of the serial layers: the
// test opens the slave path as a serial port, and this peer answers on the
// master side from its own thread, following a script of rules.
#pragma once

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

namespace kw::test {

class PtyPeer {
public:
    // When the peer has received `expect` (at the end of what came since the
    // last rule), it sends `reply`, one byte every `byteDelayMs` when given,
    // and hangs up afterwards when asked to.
    struct Rule {
        std::string expect;
        std::string reply;
        int byteDelayMs = 0;
        bool hangUp = false;
    };

    PtyPeer();
    ~PtyPeer();
    PtyPeer(const PtyPeer&) = delete;
    PtyPeer& operator=(const PtyPeer&) = delete;

    // The slave's path, to open as a serial port.
    const std::string& Path() const { return m_Path; }
    // A descriptor of the slave the peer keeps, as the simulator does, so the
    // master never sees hang-ups between the program's opens.
    int Slave() const { return m_Slave; }

    void AddRule(Rule rule);
    // Sends bytes now.
    void Send(const std::string& bytes);
    // Sends `count` bytes as fast as the line takes them (from the peer's thread).
    void Flood(size_t count);
    // Closes the master: the line is gone for whoever holds the slave.
    void HangUp();
    // Everything received so far.
    std::string Received() const;
    // Waits (bounded) until at least `count` bytes were received.
    bool WaitForReceived(size_t count, int timeoutMs = 3000) const;

private:
    void Run();
    void WriteAll(const std::string& bytes, int byteDelayMs);

    std::string m_Path;
    int m_Master = -1;
    int m_Slave = -1;
    std::atomic<bool> m_Stop{false};
    std::atomic<size_t> m_FloodLeft{0};
    mutable std::mutex m_Lock;
    mutable std::condition_variable m_Changed;
    std::deque<Rule> m_Rules;
    std::string m_Received;
    size_t m_RuleFrom = 0; // where the current rule starts looking
    bool m_HungUp = false;
    std::thread m_Thread;
};

} // namespace kw::test
