#include "PtyPeer.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <stdexcept>
#include <termios.h>
#include <unistd.h>

namespace kw::test {

PtyPeer::PtyPeer() {
    char name[256] = {};
    if (::openpty(&m_Master, &m_Slave, name, nullptr, nullptr) != 0)
        throw std::runtime_error("openpty failed");
    m_Path = name;
    termios t{};
    ::tcgetattr(m_Slave, &t);
    ::cfmakeraw(&t);
    ::tcsetattr(m_Slave, TCSANOW, &t);
    ::fcntl(m_Master, F_SETFL, ::fcntl(m_Master, F_GETFL) | O_NONBLOCK);
    m_Thread = std::thread([this] { Run(); });
}

PtyPeer::~PtyPeer() {
    m_Stop = true;
    m_Thread.join();
    if (m_Master >= 0)
        ::close(m_Master);
    ::close(m_Slave);
}

void PtyPeer::AddRule(Rule rule) {
    std::lock_guard<std::mutex> lock(m_Lock);
    m_Rules.push_back(std::move(rule));
}

void PtyPeer::Send(const std::string& bytes) {
    WriteAll(bytes, 0);
}

void PtyPeer::Flood(size_t count) {
    m_FloodLeft = count;
}

void PtyPeer::HangUp() {
    std::lock_guard<std::mutex> lock(m_Lock);
    m_HungUp = true;
}

std::string PtyPeer::Received() const {
    std::lock_guard<std::mutex> lock(m_Lock);
    return m_Received;
}

bool PtyPeer::WaitForReceived(size_t count, int timeoutMs) const {
    std::unique_lock<std::mutex> lock(m_Lock);
    return m_Changed.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                              [&] { return m_Received.size() >= count; });
}

void PtyPeer::WriteAll(const std::string& bytes, int byteDelayMs) {
    size_t done = 0;
    while (done < bytes.size() && !m_Stop) {
        const size_t chunk = byteDelayMs > 0 ? 1 : bytes.size() - done;
        const ssize_t written = ::write(m_Master, bytes.data() + done, chunk);
        if (written > 0) {
            done += static_cast<size_t>(written);
            if (byteDelayMs > 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(byteDelayMs));
        } else if (written < 0 && errno != EAGAIN) {
            return;
        } else {
            pollfd out{m_Master, POLLOUT, 0};
            ::poll(&out, 1, 20);
        }
    }
}

void PtyPeer::Run() {
    const std::string floodBytes(512, 'f');
    while (!m_Stop) {
        {
            std::lock_guard<std::mutex> lock(m_Lock);
            if (m_HungUp && m_Master >= 0) {
                ::close(m_Master);
                m_Master = -1;
            }
        }
        if (m_Master < 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            continue;
        }
        const bool flooding = m_FloodLeft.load() > 0;
        pollfd in{m_Master, static_cast<short>(POLLIN | (flooding ? POLLOUT : 0)), 0};
        if (::poll(&in, 1, 10) <= 0)
            continue;
        if (flooding && (in.revents & POLLOUT)) {
            const size_t n = std::min(m_FloodLeft.load(), floodBytes.size());
            const ssize_t written = ::write(m_Master, floodBytes.data(), n);
            if (written > 0)
                m_FloodLeft -= static_cast<size_t>(written);
        }
        if (!(in.revents & POLLIN))
            continue;
        char bytes[4096];
        const ssize_t got = ::read(m_Master, bytes, sizeof bytes);
        if (got <= 0)
            continue;
        Rule rule;
        bool fire = false;
        {
            std::lock_guard<std::mutex> lock(m_Lock);
            m_Received.append(bytes, static_cast<size_t>(got));
            if (!m_Rules.empty()) {
                const std::string& expect = m_Rules.front().expect;
                if (m_Received.find(expect, m_RuleFrom) != std::string::npos) {
                    rule = m_Rules.front();
                    m_Rules.pop_front();
                    m_RuleFrom = m_Received.size();
                    fire = true;
                }
            }
        }
        m_Changed.notify_all();
        if (fire) {
            WriteAll(rule.reply, rule.byteDelayMs);
            if (rule.hangUp)
                HangUp();
        }
    }
}

} // namespace kw::test
