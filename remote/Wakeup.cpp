#include "Wakeup.h"

#include "COMTermExp.h"
#include "COMTerminal.h"
#include "Fatal.h"
#include "IpInput.h"
#include "IpLinkHost.h"
#include "LinkError.h"
#include "PduEncoder.h"
#include "UserPort.h"
#include "WakeupMessage.h"
#include "Words.h"

namespace kw {
namespace {

bool g_Busy = false;

constexpr int32_t kModemRate = 57600;
constexpr int32_t kModemTimeOutMs = 1000;
// Sending an SMS over the air takes the modem seconds.
constexpr int32_t kSendTimeOutMs = 30000;
constexpr int32_t kSettleAfterCloseMs = 1000;
constexpr int32_t kPauseBetweenCommandsMs = 300;
constexpr uint8_t kCarriageReturn = 13;
constexpr uint8_t kDataCoding7Bit = 0;

const std::string kOk = "\r\nOK\r\n";
const std::string kError = "\r\nERROR\r\n";
const std::string kSmsError = "\r\n+CMS ERROR:";

enum class Dialogue { Accepted, Refused, Skipped };

class Busy {
public:
    Busy() { g_Busy = true; }
    ~Busy() { g_Busy = false; }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;
};

// Steps 3 to 13 of the routine, from the modem's port to its answer to the SMS.
Dialogue TalkToModem(const TWakeupContext& c) {
    CCOMTerminal& modem = c.terminal;
    auto dialling = [&c] { return c.host.DiallingVisible(); };

    modem.ClosePort();
    c.host.LinkIdle(kSettleAfterCloseMs);
    if (!dialling())
        return Dialogue::Skipped;
    modem.OpenPort(c.settings.IpCom, kModemRate);
    modem.m_Terminator = kCarriageReturn;
    modem.SendExpect("AT", {"OK\r\n"});
    c.host.LinkIdle(kPauseBetweenCommandsMs);
    if (!dialling())
        return Dialogue::Skipped;
    c.host.AddDiallingLine(word::kDiallingModemSetup);
    for (const char* command : {"AT+CMEE=0", "AT+CMGF=0", "AT+CSDH=1"}) {
        if (modem.SendExpect(command, {kOk, kError, kSmsError}) != 1)
            return Dialogue::Refused;
        c.host.LinkIdle(kPauseBetweenCommandsMs);
        if (!dialling())
            return Dialogue::Skipped;
    }

    ClearZeroFields(c.settings);
    TIpSettings sent = c.settings;
    sent.IpPort = c.port;
    const TPdu pdu = EncodePdu(sent.LastIpNum, WakeupText(sent), kDataCoding7Bit, kSevenBit);
    KW_ASSERT(pdu.error == TPdu::Error::None); // RefuseIpInput let it through

    modem.m_TimeOut = kModemTimeOutMs;
    modem.m_Terminator = kCarriageReturn;
    const std::string command = "AT+CMGS=" + std::to_string(pdu.tpduOctets);
    if (modem.SendExpect(command, {"\r\n> ", kError, kSmsError}) != 1)
        return Dialogue::Refused;
    modem.m_Terminator = 0;
    // The modem echoes the PDU as it takes it; only its end matters. The PDU
    // carries the gateway's password: a trace shows neither it nor its echo.
    modem.Tap().HideInNext({kAllBytes}, {kAllBytes});
    modem.SendExpect(pdu.Sent(), {pdu.Sent()});
    modem.m_TimeOut = kSendTimeOutMs;
    const int answer = modem.SendExpect("\x1A", {kOk, kError, kSmsError});
    modem.m_TimeOut = kModemTimeOutMs;
    if (answer != 1)
        return Dialogue::Refused;
    c.host.AddDiallingLine(word::kDiallingSmsSent);
    return Dialogue::Accepted;
}

} // namespace

bool WakeupBusy() {
    return g_Busy;
}

TWakeupOutcome RunWakeup(const TWakeupContext& c) {
    using Result = TWakeupOutcome::Result;
    if (g_Busy)
        return {Result::Busy};
    const Busy busy;
    TIpSettings sent = c.settings;
    sent.IpPort = c.port; // the length counts the port the SMS names
    if (RefuseIpInput(sent, c.user)) {
        if (c.host.DiallingVisible())
            c.host.CloseDialling();
        return {Result::InputRefused};
    }
    c.host.ShowDialling();
    c.host.AddDiallingLine(word::kDiallingModemStart);
    try {
        const Dialogue dialogue = TalkToModem(c);
        c.terminal.ClosePort();
        if (dialogue == Dialogue::Refused && c.host.DiallingVisible()) {
            c.host.CloseDialling();
            c.user.ShowMessage(CUserPort::Icon::Error, word::kModemRefused);
            return {Result::ModemRefused};
        }
        return {dialogue == Dialogue::Accepted ? Result::SmsAccepted : Result::Cancelled};
    } catch (const CCOMTermExp& e) {
        // A wait that ran out during the SMS leaves its long time-out behind.
        c.terminal.m_TimeOut = kModemTimeOutMs;
        c.terminal.ClosePort();
        if (e.Code() == CCOMTermExp::Cancelled)
            return {Result::Cancelled};
        c.host.CloseDialling();
        ShowLinkError(e, c.user);
        return {Result::LinkFailed, e.Code()};
    }
}

} // namespace kw
