#include "GatewayProtocol.h"

#include "COMTermExp.h"
#include "ConfigImage.h"
#include "GatewayLink.h"
#include "HardwareVariant.h"
#include "LinkError.h"
#include "LinkLog.h"
#include "LinkTime.h"
#include "ParameterCatalogue.h"
#include "UserPort.h"
#include "Words.h"

#include <cctype>
#include <cstring>

namespace kw {
namespace {

const std::vector<std::string> kAcknowledge = {"X", "Y"};

// Tells the attach observer for as long as an attach runs.
class AttachPhase {
public:
    explicit AttachPhase(CGatewayLink& link) : m_Link(link) { m_Link.AttachRunning(true); }
    ~AttachPhase() { m_Link.AttachRunning(false); }
    AttachPhase(const AttachPhase&) = delete;
    AttachPhase& operator=(const AttachPhase&) = delete;

private:
    CGatewayLink& m_Link;
};

// Firmware worth talking to has a version starting with a digit ("1.07") or
// with a dot as its second character ("A.1").
bool FirmwareVersionAcceptable(const uint8_t* reply) {
    return std::isdigit(reply[1]) != 0 || reply[2] == '.';
}

// One attempt of the attach loop; link exceptions go to the caller.
bool AttachOnce(CGatewayLink& link, CUserPort& user, bool checkFirmware) {
    if (link.ConType() == CGatewayLink::SerialCable) {
        link.LinkSendExpect("U", kAcknowledge);
        link.LinkSendExpect("U", kAcknowledge);
    }
    link.SetExchangeOpen(true);
    link.LinkSendExpect("B");
    uint8_t hardware[101] = {};
    link.LinkCopy(hardware, 100);
    const char letter = static_cast<char>(hardware[1]);
    if (!IsGatewayLetter(letter)) {
        user.ShowMessage(CUserPort::Icon::Error, word::kUnknownHardware);
        return false;
    }
    link.SetHardwareLetter(letter);
    if (!checkFirmware)
        return true;
    link.LinkSendExpect("C");
    uint8_t version[11] = {};
    link.LinkCopy(version, 10);
    if (FirmwareVersionAcceptable(version))
        return true;
    return user.AskYesNo(CUserPort::Icon::Error, word::kFirmwareInvalidUpgradeNow) &&
           link.RunUnattendedUpgrade();
}

bool ReadRegionCopies(CGatewayLink& link, const char* command, uint8_t* copy, int32_t replySize,
                      const uint8_t* image, const ImageRegion& region) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        HideImageSecrets(link, region, true);
        link.LinkSendWait(command, replySize);
        link.LinkCopy(copy, replySize);
        if (RegionChecksumValid(image, region))
            return true;
    }
    return false;
}

bool CallDropped(const CGatewayLink& link) {
    return !link.Connected();
}

bool Always(const CGatewayLink&) {
    return true;
}

// Link failures that no amount of asking again can mend: the connection is
// gone, and only a new Connect (or, on the cable, a new attach) brings it
// back. Each attempt would fail at once without a wait, so the attach would
// spin without ever seeing Cancel. Each one ends the attach with its report;
// any other failure (silence, a garbled reply) is asked again.
constexpr int kAnyType = -1;
struct TLostLink {
    int conType;
    int8_t code;
    bool (*when)(const CGatewayLink& link);
};
constexpr TLostLink kLostLinks[] = {
    {kAnyType, CCOMTermExp::WriteFailed, Always},                  // the port closed under it
    {CGatewayLink::ModemCall, CCOMTermExp::TimedOut, CallDropped}, // the call ended meanwhile
    {CGatewayLink::TcpIp, CCOMTermExp::ConnectionLost, Always},
};

bool LinkLost(const CGatewayLink& link, int8_t code) {
    for (const TLostLink& lost : kLostLinks)
        if ((lost.conType == kAnyType || lost.conType == link.ConType()) && lost.code == code &&
            lost.when(link))
            return true;
    return false;
}

} // namespace

bool AttachGateway(CGatewayLink& link, CUserPort& user, bool checkFirmware) {
    AttachPhase phase(link);
    if (link.ConType() == CGatewayLink::SerialCable) {
        try {
            link.Terminal().OpenPort(link.ComPort(), 19200);
        } catch (const CCOMTermExp& e) {
            ShowLinkError(e, user);
            return false;
        }
        link.SetReplyTimeOuts(1000);
    } else if (!link.Connected()) {
        return false;
    }
    link.SetTerminators(0);
    while (!user.ProgressCancelled()) {
        try {
            return AttachOnce(link, user, checkFirmware);
        } catch (const CCOMTermExp& e) {
            if (LinkLost(link, e.Code())) {
                qCDebug(LinkLog) << "attach: the link is gone (link error" << int(e.Code()) << ")";
                ShowLinkError(e, user);
                break;
            }
            // Silence or a Cancel: ask again until Cancel ends it.
            qCDebug(LinkLog) << "attach: no answer (link error" << int(e.Code())
                             << "), asking again";
            HandlePendingMessages(); // a Cancel pressed meanwhile counts
        }
    }
    if (link.ConType() != CGatewayLink::TcpIp)
        link.Terminal().ClosePort();
    return false;
}

void OpenExchangeProgress(CGatewayLink& link, CUserPort& user, int connectedWord) {
    user.SetCancelHandler([&link] { link.PressProgressCancel(); });
    user.ShowProgressWord(link.Connected() ? connectedWord : word::kWaitingForGateway, true);
    link.ClearProgressCancel();
}

std::string AskIdentity(CGatewayLink& link, const char* command) {
    link.LinkSendExpect(command);
    char reply[101] = {};
    link.LinkCopy(reply, 100);
    return reply + 1;
}

void ReleaseGateway(CGatewayLink& link) {
    if (link.ConType() != CGatewayLink::SerialCable || !link.ExchangeOpen() || link.Connected())
        return;
    link.SetExchangeOpen(false);
    CCOMTerminal& terminal = link.Terminal();
    try {
        terminal.OpenPort(link.ComPort(), 19200);
        terminal.m_Terminator = 0;
        terminal.Write("A", 1);
        SleepWithoutMessages(100);
    } catch (const CCOMTermExp&) {
        // The gateway ends a forgotten exchange by itself; nothing to tell.
    } catch (const ECommError&) {
    }
    terminal.ClosePort();
}

void ModemGreeting(CGatewayLink& link, const std::function<void(int)>& stepDone) {
    CCOMTerminal& terminal = link.Terminal();
    terminal.m_TimeOut = 20000;
    terminal.m_Terminator = 0;
    terminal.SendExpect("U", kAcknowledge);
    if (stepDone)
        stepDone(1);
    terminal.SendExpect("X", {"U", "X"});
    if (stepDone)
        stepDone(2);
    if (terminal.SendExpect("Z", {"\"", "Y"}) == 1)
        terminal.SendExpectRepeat("", "\"", 2);
}

bool ReadRegions(CGatewayLink& link, uint8_t* buffer, bool withRegionB) {
    const uint8_t* image = buffer + 1;
    if (!ReadRegionCopies(link, "e", buffer, 2049, image, kRegionA))
        return false;
    return !withRegionB || ReadRegionCopies(link, "E", buffer + 4096, 8193, image, kRegionB);
}

void HideImageSecrets(CGatewayLink& link, const ImageRegion& part, bool inReply) {
    const int32_t shift = inReply ? 1 : 0;
    std::vector<TByteRange> ranges;
    for (const ImageRegion& secret : SecretImageBytes())
        for (const TByteRange& inside :
             RangesWithin({{secret.begin, secret.size}}, part.begin, part.size))
            ranges.push_back({inside.begin + shift, inside.size});
    if (inReply)
        link.Tap().HideInNext({}, std::move(ranges));
    else
        link.Tap().HideInNext(std::move(ranges), {});
}

} // namespace kw
