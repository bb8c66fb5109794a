#include "GatewayLink.h"

#include "COMTermExp.h"
#include "LinkError.h"
#include "LinkTime.h"
#include "ReplyWait.h"

#include <cstring>

namespace kw {

CGatewayLink::CGatewayLink(CCOMTerminal& terminal) : m_Terminal(terminal) {
    m_Terminal.Telephony().SetStateCallback(
        [this](bool dataCall, bool callActive) { SetConnectionState(dataCall, callActive); });
}

CGatewayLink::~CGatewayLink() {
    m_Terminal.Telephony().SetStateCallback({});
}

void CGatewayLink::LinkReceive(const uint8_t* bytes, int32_t n) {
    Tap().Received(bytes, n, m_LinkBuffer.Count());
    m_LinkBuffer.Append(bytes, n);
}

bool CGatewayLink::LinkedConnectionUp() const {
    return m_LinkedConnection && m_LinkedConnection->state() == QAbstractSocket::ConnectedState;
}

void CGatewayLink::TcpFailure(int8_t code) {
    Tap().Event(LinkFailureEvent(code));
    throw CCOMTermExp(code);
}

void CGatewayLink::TcpSendPhase(const std::string& text) {
    m_LinkCancel = 0;
    const size_t length = std::strlen(text.c_str());
    Tap().Sent(TLinkTapEvent::Kind::Command, text.c_str(), length, m_TcpTimeOut);
    if (!LinkedConnectionUp())
        TcpFailure(CCOMTermExp::ConnectionLost);
    if (length == 0)
        return;
    if (m_LinkedConnection->write(text.data(), static_cast<qint64>(length)) < 0)
        TcpFailure(CCOMTermExp::WriteFailed);
    m_LinkBuffer.Clear();
    const char terminator = static_cast<char>(m_TcpTerminator & 0xFF);
    if (m_TcpTerminator != 0 && m_LinkedConnection->write(&terminator, 1) < 0)
        TcpFailure(CCOMTermExp::WriteFailed);
}

int CGatewayLink::TcpWait(const std::function<int()>& complete, bool traceTimeout) {
    return WaitForReply(
        m_LinkBuffer, m_TcpTimeOut,
        [this] {
            if (!LinkedConnectionUp())
                throw CCOMTermExp(CCOMTermExp::ConnectionLost);
            // The progress latch stays set until the next progress window opens.
            if (m_LinkCancel != 0 || m_ProgressCancel != 0)
                throw CCOMTermExp(CCOMTermExp::Cancelled);
        },
        complete, traceTimeout, Tap());
}

bool CGatewayLink::LinkSendWait(const std::string& text, int32_t count) {
    if (!OnTcp())
        return m_Terminal.SendWait(text, count);
    TcpSendPhase(text);
    return TcpWait([&] { return m_LinkBuffer.Count() >= count ? 1 : 0; }, true) != 0;
}

int CGatewayLink::LinkSendExpect(const std::string& text, const std::vector<std::string>& replies) {
    if (!OnTcp())
        return m_Terminal.SendExpect(text, replies);
    TcpSendPhase(text);
    if (replies.empty())
        return TcpWait([&] { return m_LinkBuffer.EndsWithZero() ? 1 : 0; }, false);
    return TcpWait([&] { return m_LinkBuffer.FindReply(replies); }, false);
}

void CGatewayLink::LinkWrite(const void* bytes, int32_t n) {
    if (OnTcp()) {
        Tap().Sent(TLinkTapEvent::Kind::Raw, bytes, static_cast<size_t>(n), m_TcpTimeOut);
        if (!LinkedConnectionUp())
            TcpFailure(CCOMTermExp::ConnectionLost);
        m_LinkedConnection->write(static_cast<const char*>(bytes), n);
        return;
    }
    try {
        m_Terminal.Write(bytes, n); // a write time-out is no failure here
    } catch (const ECommError&) {
        // A closed or refusing port: as a failed command write, so it reaches
        // the transfer's report instead of escaping it.
        Tap().Event(LinkFailureEvent(CCOMTermExp::WriteFailed));
        throw CCOMTermExp(CCOMTermExp::WriteFailed);
    }
}

void CGatewayLink::LinkClear() {
    if (OnTcp())
        m_LinkBuffer.Clear();
    else
        m_Terminal.Buffer().Clear();
}

void CGatewayLink::LinkCopy(void* destination, int32_t n) {
    auto* bytes = static_cast<uint8_t*>(destination);
    if (OnTcp())
        m_LinkBuffer.CopyTo(bytes, n);
    else
        m_Terminal.Buffer().CopyTo(bytes, n);
}

void CGatewayLink::LinkIdle(int32_t ms, const std::function<bool()>& stillWanted) {
    const uint32_t since = TickCount();
    const uint32_t limit = ms > 0 ? static_cast<uint32_t>(ms) : 0;
    while (TicksSince(since) < limit && !m_Closing && (!stillWanted || stillWanted()))
        HandleOneMessage();
}

void CGatewayLink::SetReplyTimeOuts(int32_t ms) {
    m_Terminal.m_TimeOut = ms;
    m_TcpTimeOut = ms;
}

void CGatewayLink::SetTerminators(int32_t terminator) {
    m_Terminal.m_Terminator = static_cast<uint8_t>(terminator);
    m_TcpTerminator = terminator;
}

void CGatewayLink::PressProgressCancel() {
    m_Terminal.m_Cancel = 1;
    m_ProgressCancel = 1;
}

void CGatewayLink::SetConnectionState(bool connected, bool callInProgress) {
    m_Connected = connected;
    m_CallInProgress = callInProgress;
    if (m_StateObserver)
        m_StateObserver();
}

void CGatewayLink::PressExit() {
    m_Terminal.m_Cancel = 1;
    m_LinkCancel = 1;
}

} // namespace kw
