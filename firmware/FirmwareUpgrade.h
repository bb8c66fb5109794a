// The firmware upgrade: the command that replaces a gateway's firmware with a
// slice of a firmware file from the program's folder, and the same procedure
// run unattended when the attach finds a gateway without valid firmware.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class CUserPort;

namespace kw {

class CGatewayLink;

// What an upgrade needs of its owner (the main window or the command line).
struct TUpgradeHost {
    CGatewayLink& link;
    CUserPort& user;
    std::string programFolder;      // where "Kolbra*.Bin" lies; ends with '/'
    std::vector<uint8_t>& firmware; // the owner's buffer for the whole file
    std::string firmwareFile = {};  // this file instead of the folder's (command line)
    // Failed blocks after which the upgrade gives up; 0 never. A window shows
    // Cancel again after 10 failures instead; a headless run has nobody to
    // press it.
    int32_t failureLimit = 0;
    // Searched when the program folder holds no firmware file: an installed
    // program's folder is not the user's to fill. Ends with '/'; may be empty.
    std::string dataFolder = {};
};

enum class UpgradeResult : uint8_t {
    Done,
    Declined,        // the upgrade question answered No
    AttachFailed,    // refused or cancelled; the user has been told
    ChoiceCancelled, // several files, none chosen
    CannotOpen,      // the firmware file cannot be opened
    TooShort,        // the firmware file is too short
    NoValidVersion,  // no valid version for this hardware
    VersionDeclined, // the version dialog was cancelled
    GaveUp,          // failureLimit reached
    LinkFailed,      // a link exception, reported by ShowLinkError
};

struct UpgradeOutcome {
    UpgradeResult result;
    int8_t linkCode = -1;                     // the exception's code when result is LinkFailed
    std::string path = {};                    // the firmware file used or tried
    std::string current = {};                 // the gateway's version before the upgrade
    std::string next = {};                    // the slice's version
    std::vector<std::string> candidates = {}; // offered when several were found
};

// The procedure, telling why it stopped. Interactive: opens the progress
// window and attaches first, and ends with its success message. Unattended:
// the caller has attached and shown the progress window. Link exceptions
// reach the caller.
UpgradeOutcome UpgradeFirmware(const TUpgradeHost& host, bool interactive);

// The upgrade command: asks whether to upgrade, then upgrades and releases the gateway;
// a link exception is traced, closes the progress window and is reported.
UpgradeOutcome UpgradeCommand(const TUpgradeHost& host);
// The command after its question (the command line's `upgrade` is the question).
UpgradeOutcome UpgradeConfirmed(const TUpgradeHost& host);

// Lets the attach's firmware check run the unattended upgrade on a Yes to its
// question, with the host `host` gives at that moment (its owner's user port may
// change meanwhile).
void InstallUnattendedUpgrade(CGatewayLink& link, std::function<TUpgradeHost()> host);

} // namespace kw
