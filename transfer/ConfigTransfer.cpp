#include "ConfigTransfer.h"

#include "BackupStore.h"
#include "COMTermExp.h"
#include "ConfigImage.h"
#include "GatewayLink.h"
#include "GatewayProtocol.h"
#include "HardwareVariant.h"
#include "LinkError.h"
#include "LinkTime.h"
#include "ParameterCatalogue.h"
#include "Parameters.h"
#include "UserPort.h"
#include "Words.h"

#include <cstring>
#include <functional>
#include <vector>

namespace kw {
namespace {

using Icon = CUserPort::Icon;

// Image ranges whose bytes the gateway keeps on a write.
constexpr int32_t kModemNumbers = 928, kModemNumbersSize = 80;
constexpr int32_t kTransferDate = 1072, kTransferDateSize = 15;

constexpr int32_t kChunkSize = 2048;
const std::vector<std::string> kAcknowledge = {"X", "Y"};

void Relabel(CUserPort& user, int word) {
    user.SetProgressText(user.Word(word));
    HandlePendingMessages(); // let the window repaint
}

// How far a write got. Once configuration bytes went out, a failure may leave
// the gateway with part of the new configuration; the user is told so.
struct WriteProgress {
    bool sent = false;     // bytes of a region went out
    bool accepted = false; // the gateway acknowledged a region or chunk
};

// The read-back of a region after writing it: the serial cable reads with the
// short time-out, modem and TCP links with the long one.
void ReadBackTimeOuts(CGatewayLink& link) {
    link.SetReplyTimeOuts(link.Connected() ? 20000 : 1000);
}

// Writes a region until its read-back matches, three times at most. `send`
// sends it (false when the gateway refused a part), each time with the long
// time-out, also after a failed read-back left the short one set.
bool WriteRegion(CGatewayLink& link, CUserPort& user, const std::function<bool()>& send,
                 const char* readCommand, const ImageRegion& region, int readPosition,
                 const uint8_t* image, uint8_t* reply, WriteProgress& progress) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        link.SetReplyTimeOuts(20000);
        if (!send())
            continue;
        progress.accepted = true;
        ReadBackTimeOuts(link);
        HideImageSecrets(link, region, true);
        link.LinkSendWait(readCommand, region.size + 1);
        user.SetProgressPosition(readPosition);
        link.LinkCopy(reply, region.size + 1);
        if (std::memcmp(reply + 1, image + region.begin, size_t(region.size)) == 0)
            return true;
    }
    return false;
}

// "g" and region A at once.
bool SendRegionA(CGatewayLink& link, CUserPort& user, const uint8_t* image,
                 WriteProgress& progress) {
    link.LinkClear();
    progress.sent = true;
    link.LinkWrite("g", 1);
    HideImageSecrets(link, kRegionA, false);
    link.LinkWrite(image, kRegionA.size);
    user.SetProgressPosition(3);
    SleepWithoutMessages(200);
    return link.LinkSendExpect("", kAcknowledge) == 1;
}

// "G" and region B in four chunks, each acknowledged.
bool SendRegionB(CGatewayLink& link, CUserPort& user, const uint8_t* image,
                 WriteProgress& progress) {
    link.LinkClear();
    link.LinkWrite("G", 1);
    for (int chunk = 0; chunk < 4; ++chunk) {
        link.LinkClear();
        const ImageRegion part{kRegionB.letter, kRegionB.begin + kChunkSize * chunk, kChunkSize};
        HideImageSecrets(link, part, false);
        link.LinkWrite(image + part.begin, kChunkSize);
        user.SetProgressPosition(5 + chunk);
        SleepWithoutMessages(200);
        if (link.LinkSendExpect("", kAcknowledge) != 1)
            return false;
        progress.accepted = true;
    }
    return true;
}

// Puts the gateway's own bytes into the image where it keeps them.
void KeepGatewayRanges(const TTransferHost& host, uint8_t* image, const uint8_t* readBuffer) {
    const uint8_t* gateway = readBuffer + 1;
    std::memcpy(image + kTransferDate, gateway + kTransferDate, kTransferDateSize);
    // A security code the editor did not change stays the gateway's own.
    const auto keep = [&](const char* name) {
        const CParBasic& type = *host.parameters.Find(name)->Type;
        std::memcpy(image + type.m_Address, gateway + type.m_Address, size_t(type.ByteSize()));
    };
    if (!host.passwordChanged)
        keep("ServisPassw");
    if (!host.pinChanged)
        keep("PINVal");
}

// What the gateway now holds: the editor's configuration with the ranges the
// gateway kept, and the identity texts that lie outside the image.
void BackUpWritten(const TTransferHost& host, const uint8_t* image) {
    CParameters written;
    RegisterCatalogue(written);
    for (const auto& [name, rc] : host.parameters.Records())
        if (TMultiPar* copy = written.Find(name); copy != nullptr && copy->Count == rc.Count)
            copy->Values = rc.Values;
    written.LoadFromImage(image, kImageSize);
    BackUpConfiguration(host.backups, written, true, host.user);
}

TransferOutcome ReadAttached(const TTransferHost& host) {
    CGatewayLink& link = host.link;
    CUserPort& user = host.user;
    user.SetProgressRange(0, 5);
    user.SetProgressPosition(0);
    Relabel(user, word::kCommunicating);
    // The identity goes into the registry with the regions, once both are in:
    // a read that fails half-way leaves the configuration in memory as it was.
    const std::string letter = AskIdentity(link, "B").substr(0, 1);
    user.SetProgressPosition(1);
    const std::string version = AskIdentity(link, "C");
    user.SetProgressPosition(2);
    const std::string serial = AskIdentity(link, "D");
    user.SetProgressPosition(3);
    const std::string operatorLock = AskIdentity(link, "F");
    user.SetProgressPosition(4);

    std::vector<uint8_t> buffer(kReadBufferSize);
    if (!ReadRegions(link, buffer.data(), true)) {
        user.HideProgress();
        host.hardwareText.clear();
        user.ShowMessage(Icon::Error, word::kReadChecksumFailed);
        return {TransferResult::Unreadable};
    }
    user.HideProgress();
    host.parameters.SetValue("HWVer", 0, letter);
    host.hardwareText = letter;
    host.parameters.SetValue("SWVer", 0, version);
    host.parameters.SetValue("SerialNum", 0, serial);
    host.parameters.SetValue("OperLock", 0, operatorLock);
    host.parameters.LoadFromImage(buffer.data() + 1, kImageSize);
    user.ShowMessage(Icon::Information, word::kConfigurationRead);
    BackUpConfiguration(host.backups, host.parameters, false, user);
    host.pinChanged = false;
    host.passwordChanged = false;
    return {TransferResult::Done};
}

TransferOutcome WriteAttached(const TTransferHost& host, WriteProgress& progress) {
    CGatewayLink& link = host.link;
    CUserPort& user = host.user;
    const char configuration = host.hardwareText.empty() ? '\0' : host.hardwareText[0];
    if (!ConfigurationFitsGateway(configuration, link.HardwareLetter())) {
        user.ShowMessage(Icon::Error, word::kOtherHardwareFamily);
        user.HideProgress();
        return {TransferResult::Incompatible};
    }
    Relabel(user, word::kWritingConfiguration);
    user.SetProgressRange(0, 10);
    user.SetProgressPosition(0);
    std::vector<uint8_t> image(kImageSize);
    host.parameters.StoreToImage(image.data(), kImageSize);
    std::vector<uint8_t> readBuffer(kReadBufferSize);
    link.LinkClear();
    HideImageSecrets(link, kRegionA, true);
    link.LinkSendWait("e", 2049);
    user.SetProgressPosition(2);
    link.LinkCopy(readBuffer.data(), 2049);
    if (std::memcmp(image.data() + kModemNumbers, readBuffer.data() + 1 + kModemNumbers,
                    kModemNumbersSize) != 0 &&
        !user.AskYesNo(Icon::Question, word::kModemNumbersDiffer)) {
        user.HideProgress();
        return {TransferResult::Declined};
    }
    user.SetProgressPosition(1);
    if (!ReadRegions(link, readBuffer.data(), false)) {
        user.HideProgress();
        user.ShowMessage(Icon::Error, word::kReadChecksumFailed);
        return {TransferResult::Unreadable};
    }
    user.SetProgressPosition(2);
    KeepGatewayRanges(host, image.data(), readBuffer.data());
    StoreRegionChecksum(image.data(), kRegionA);
    StoreRegionChecksum(image.data(), kRegionB);

    const uint8_t* bytes = image.data();
    const bool written = WriteRegion(
                             link, user, [&] { return SendRegionA(link, user, bytes, progress); },
                             "e", kRegionA, 4, bytes, readBuffer.data(), progress) &&
                         WriteRegion(
                             link, user, [&] { return SendRegionB(link, user, bytes, progress); },
                             "E", kRegionB, 10, bytes, readBuffer.data() + 4096, progress);
    if (link.Connected()) {
        link.SetReplyTimeOuts(20000);
    } else {
        link.SetReplyTimeOuts(1000);
        ReleaseGateway(link);
    }
    user.HideProgress();
    if (!written) {
        user.ShowMessage(Icon::Error, word::kWriteFailed);
        if (progress.accepted)
            user.ShowMessage(Icon::Error, word::kWriteMayBeIncomplete);
        return {TransferResult::WriteFailed};
    }
    user.ShowMessage(Icon::Information, word::kConfigurationWritten);
    if (host.backups)
        BackUpWritten(host, image.data());
    return {TransferResult::Done};
}

} // namespace

TransferOutcome ReadFromGateway(const TTransferHost& host) {
    CGatewayLink& link = host.link;
    if (link.ConType() != CGatewayLink::SerialCable && !link.Connected())
        return {TransferResult::NotConnected};
    if (!host.hardwareText.empty() && host.parameters.m_Modified &&
        !host.user.AskYesNo(Icon::Question, word::kDiscardChanges))
        return {TransferResult::Declined};
    OpenExchangeProgress(link, host.user, word::kCommunicating);
    TransferOutcome outcome{TransferResult::AttachFailed};
    if (AttachGateway(link, host.user, true)) {
        try {
            outcome = ReadAttached(host);
        } catch (const CCOMTermExp& e) {
            ShowLinkError(e, host.user);
            outcome = {TransferResult::LinkFailed, e.Code()};
        }
    }
    if (host.refresh)
        host.refresh();
    host.user.HideProgress();
    return outcome;
}

TransferOutcome WriteToGateway(const TTransferHost& host) {
    CGatewayLink& link = host.link;
    if (link.ConType() != CGatewayLink::SerialCable && !link.Connected())
        return {TransferResult::NotConnected};
    if (host.storePage)
        host.storePage();
    OpenExchangeProgress(link, host.user, word::kCommunicating);
    if (!AttachGateway(link, host.user, true)) {
        host.user.HideProgress();
        return {TransferResult::AttachFailed};
    }
    WriteProgress progress;
    try {
        return WriteAttached(host, progress);
    } catch (const CCOMTermExp& e) {
        ShowLinkError(e, host.user);
        if (progress.sent)
            host.user.ShowMessage(Icon::Error, word::kWriteMayBeIncomplete);
        host.user.HideProgress();
        return {TransferResult::LinkFailed, e.Code()};
    }
}

} // namespace kw
