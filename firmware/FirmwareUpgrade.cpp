#include "FirmwareUpgrade.h"

#include "COMTermExp.h"
#include "FirmwareFiles.h"
#include "GatewayLink.h"
#include "GatewayProtocol.h"
#include "LinkError.h"
#include "SliceTransfer.h"
#include "UserPort.h"
#include "Words.h"

#include <cstdio>

namespace kw {
namespace {

using Icon = CUserPort::Icon;

// The file to send: the one given, else the only candidate of the program
// folder (or of the data folder when the program folder has none), the one the
// user picks of several, or the program folder's default name when there is
// none. Empty when the user declined to choose.
std::string ChooseFile(const TUpgradeHost& host, const FirmwareSlice& layout,
                       UpgradeOutcome& outcome) {
    if (!host.firmwareFile.empty())
        return host.firmwareFile;
    const FirmwareCandidates found =
        FindFirmwareCandidates({host.programFolder, host.dataFolder}, layout);
    const std::vector<std::string>& candidates = found.names;
    if (candidates.empty())
        return host.programFolder + kDefaultFirmwareName;
    if (candidates.size() == 1)
        return found.folder + candidates.front();
    outcome.candidates = candidates;
    const int chosen = host.user.PickEntry(candidates);
    if (chosen < 0 || size_t(chosen) >= candidates.size())
        return {};
    return found.folder + candidates[size_t(chosen)];
}

// Sends the slice after the version dialog: Cancel hidden until failures pile
// up, and shown again however the transfer ends, so the attach loop that runs
// an unattended upgrade can still be cancelled when the gateway fell silent.
bool Transfer(const TUpgradeHost& host, uint8_t* slice, const FirmwareSlice& layout) {
    CUserPort& user = host.user;
    user.SetProgressRange(0, 2 * layout.Blocks());
    user.SetProgressPosition(0);
    user.SetProgressCancelVisible(false);
    bool sent = false;
    try {
        PrepareTrailer(host.link, slice, layout);
        sent = SendSlice({host.link, user, layout, slice, host.failureLimit});
    } catch (const CCOMTermExp&) {
        user.SetProgressCancelVisible(true);
        throw;
    }
    user.SetProgressCancelVisible(true);
    return sent;
}

} // namespace

UpgradeOutcome UpgradeFirmware(const TUpgradeHost& host, bool interactive) {
    CGatewayLink& link = host.link;
    CUserPort& user = host.user;
    UpgradeOutcome outcome{UpgradeResult::Done};
    const auto stop = [&](UpgradeResult result) {
        user.HideProgress();
        outcome.result = result;
        return outcome;
    };

    if (interactive) {
        OpenExchangeProgress(link, user, word::kPreparingUpgrade);
        if (!AttachGateway(link, user, false))
            return stop(UpgradeResult::AttachFailed);
    }
    const FirmwareSlice layout = SliceFor(link.HardwareLetter());

    outcome.path = ChooseFile(host, layout, outcome);
    if (outcome.path.empty())
        return stop(UpgradeResult::ChoiceCancelled);
    switch (LoadFirmwareFile(outcome.path, host.firmware)) {
    case FirmwareLoad::CannotOpen:
        user.ShowMessage(Icon::Error, word::kCannotOpenFirmware, "%s\n\n%s", {outcome.path});
        return stop(UpgradeResult::CannotOpen);
    case FirmwareLoad::TooShort:
        user.ShowMessage(Icon::Error, word::kFirmwareFileTooShort);
        return stop(UpgradeResult::TooShort);
    case FirmwareLoad::Loaded:
        break;
    }
    uint8_t* slice = host.firmware.data() + layout.offset;
    if (!SliceVersionAcceptable(slice, layout)) {
        user.ShowMessage(Icon::Error, word::kNoValidFirmwareVersion);
        return stop(UpgradeResult::NoValidVersion);
    }

    outcome.current = AskIdentity(link, "C"); // the version it runs now
    outcome.next = SliceVersionText(slice, layout);
    if (!user.ConfirmVersionChange(outcome.current, outcome.next)) {
        if (interactive)
            user.HideProgress();
        outcome.result = UpgradeResult::VersionDeclined;
        return outcome;
    }

    if (!Transfer(host, slice, layout))
        return stop(UpgradeResult::GaveUp);
    if (interactive) {
        user.HideProgress();
        user.ShowMessage(Icon::Information, word::kUpgradeDone);
    }
    return outcome;
}

UpgradeOutcome UpgradeCommand(const TUpgradeHost& host) {
    if (!host.user.AskYesNo(Icon::Question, word::kUpgradeQuestion))
        return {UpgradeResult::Declined};
    return UpgradeConfirmed(host);
}

UpgradeOutcome UpgradeConfirmed(const TUpgradeHost& host) {
    try {
        const UpgradeOutcome outcome = UpgradeFirmware(host, true);
        ReleaseGateway(host.link);
        return outcome;
    } catch (const CCOMTermExp& e) {
        std::fputs("Upgrade exception\n", stderr);
        host.user.HideProgress();
        ShowLinkError(e, host.user);
        return {UpgradeResult::LinkFailed, e.Code()};
    }
}

void InstallUnattendedUpgrade(CGatewayLink& link, std::function<TUpgradeHost()> host) {
    link.SetUnattendedUpgrade([host = std::move(host)] {
        return UpgradeFirmware(host(), false).result == UpgradeResult::Done;
    });
}

} // namespace kw
