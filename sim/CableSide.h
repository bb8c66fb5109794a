// The gateway as its cable line sees it. While a modem call has the gateway,
// the quiet cable must not run the gateway's timers: its last byte is long
// past, so it would abandon every command the call is still sending.
#pragma once

#include "LinePeer.h"

#include <functional>

namespace kw::sim {

class CableSide : public LinePeer {
public:
    // `elsewhere` says whether another line has the gateway now.
    CableSide(LinePeer& gateway, std::function<bool()> elsewhere)
        : m_Gateway(gateway), m_Elsewhere(std::move(elsewhere)) {}

    void Receive(const uint8_t* data, size_t size, std::string& reply) override {
        m_Gateway.Receive(data, size, reply);
    }
    int QuietTimeoutMs() const override { return m_Elsewhere() ? -1 : m_Gateway.QuietTimeoutMs(); }
    void LineQuiet() override {
        if (!m_Elsewhere())
            m_Gateway.LineQuiet();
    }
    std::string TakeUnprompted() override { return m_Gateway.TakeUnprompted(); }
    int TakeReplyDelayMs() override { return m_Gateway.TakeReplyDelayMs(); }

private:
    LinePeer& m_Gateway;
    std::function<bool()> m_Elsewhere;
};

} // namespace kw::sim
