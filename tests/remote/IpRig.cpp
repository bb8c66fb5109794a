#include "IpRig.h"

#include "EventLoopWait.h"
#include "LinkTime.h"
#include "PduEncoder.h"
#include "WakeupMessage.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kw::test {

void IpHostDouble::ShowDialling() {
    visible = true;
    lines.clear();
    ++timesShown;
}

void IpHostDouble::AddDiallingLine(int word, const std::vector<std::string>& args) {
    std::string line = std::to_string(word);
    for (const std::string& arg : args)
        line += " " + arg;
    lines.push_back(line);
    if (onLine)
        onLine(word);
}

void IpHostDouble::LinkUp(QTcpSocket* connection, int32_t replyTimeOutMs) {
    m_Link.SetLinkedConnection(connection);
    m_Link.SetConnectionState(true, false);
    m_Link.SetTcpTimeOut(replyTimeOutMs);
}

void IpHostDouble::LinkDown() {
    m_Link.SetLinkedConnection(nullptr);
    m_Link.SetConnectionState(false, false);
}

void IpHostDouble::LinkIdle(int32_t ms) {
    m_Link.LinkIdle(ms, [this] { return visible; });
}

IpRig::IpRig() {
    settings.IpPort = 0;
    settings.IpAddress = "127.0.0.1";
    settings.LastIpNum = kNumber;
    settings.LastIpSerial = kSerial;
    link.SetConType(CGatewayLink::TcpIp);
    server.SetClock([this] { return TickCount() + clockOffset; });
}

void IpRig::Listen() {
    ASSERT_TRUE(server.Activate());
    host.ShowDialling();
}

bool IpRig::WaitForLines(size_t count, int timeoutMs) {
    return RunEventsUntil([&] { return host.lines.size() >= count; }, timeoutMs);
}

bool IpRig::WaitForSimLine(const SimProcess& sim, const std::string& line, int timeoutMs) {
    return RunEventsUntil([&] { return LogHas(sim, line); }, timeoutMs);
}

bool LogHas(const SimProcess& sim, const std::string& line) {
    const std::vector<std::string> log = sim.LogLines();
    return std::find(log.begin(), log.end(), line) != log.end();
}

bool StartGateway(SimProcess& sim, const std::string& serial,
                  const std::vector<std::string>& options) {
    std::vector<std::string> all{"--wakeup-modem", sim.Path("modem"), "--serial", serial};
    all.insert(all.end(), options.begin(), options.end());
    return sim.Start(all);
}

std::string WakeupTextFor(const std::string& serial, int port) {
    TIpSettings settings;
    settings.LastIpSerial = serial;
    settings.IpAddress = "127.0.0.1";
    settings.IpPort = port;
    return WakeupText(settings);
}

void SendWakeupSms(const SimProcess& sim, const std::string& text) {
    CCOMTerminal modem; // the program's own way to the modem
    const TPdu pdu = EncodePdu(kNumber, text, 0, kSevenBit);
    modem.OpenPort(sim.Path("modem"), 57600);
    modem.SendExpect("AT+CMGS=" + std::to_string(pdu.tpduOctets), {"> "});
    modem.m_Terminator = 0;
    modem.SendExpect(pdu.Sent() + "\x1A", {"\r\nOK\r\n", "ERROR"});
}

} // namespace kw::test
