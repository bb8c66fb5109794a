// fw-info and upgrade: what a firmware file holds, and the main window's
// Upgrade command against a gateway on a cable or woken over TCP/IP.
#include "CliArgs.h"
#include "CliCommands.h"
#include "ConfigTransfer.h"
#include "FirmwareInfo.h"
#include "FirmwareUpgrade.h"
#include "Folders.h"
#include "GatewayProtocol.h"
#include "GatewayWay.h"
#include "LinkSession.h"
#include "ProgramFolder.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace kw::cli {
namespace {

// A headless upgrade gives up where the window would offer Cancel again.
constexpr int32_t kFailureLimit = 10;

std::string FileSize(uintmax_t size) {
    return std::to_string(size) + " bytes";
}

std::string UpgradeReason(const LinkSession& session, const UpgradeOutcome& outcome) {
    switch (outcome.result) {
    case UpgradeResult::Done:
        return "done";
    case UpgradeResult::Declined:
        return "declined";
    case UpgradeResult::AttachFailed:
        return session.Reason({TransferResult::AttachFailed});
    case UpgradeResult::ChoiceCancelled: {
        std::string names;
        for (const std::string& name : outcome.candidates)
            names += (names.empty() ? "" : ", ") + name;
        return "several firmware files (" + names + "); choose one with --firmware";
    }
    case UpgradeResult::CannotOpen:
        return "cannot open the firmware file " + outcome.path;
    case UpgradeResult::TooShort:
        return outcome.path + " is shorter than a firmware file (" +
               std::to_string(kFirmwareFileSize) + " bytes)";
    case UpgradeResult::NoValidVersion:
        return outcome.path + " holds no valid firmware for this gateway";
    case UpgradeResult::VersionDeclined:
        return "the gateway runs " + PrintableText(outcome.current) + ", the file holds " +
               PrintableText(outcome.next) + "; --yes upgrades";
    case UpgradeResult::GaveUp:
        return "the gateway refused the firmware " + std::to_string(kFailureLimit) +
               " times; upgrade abandoned";
    case UpgradeResult::LinkFailed:
        return session.Reason({TransferResult::LinkFailed, outcome.linkCode});
    }
    return "failed";
}

} // namespace

void RunFwInfo(const Args& argv) {
    const CliArgs args(argv, {}, {});
    const std::string path = args.OnlyPositional("firmware file");
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        throw CommandFailure(path + ": unreadable (a directory)");
    std::ifstream file(path, std::ios::binary);
    if (!file.is_open())
        throw CommandFailure(path + ": cannot open");
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                               std::istreambuf_iterator<char>());
    if (file.bad())
        throw CommandFailure(path + ": read error");
    const size_t size = bytes.size();
    if (size < size_t(kFirmwareFileSize))
        throw CommandFailure(path + ": not a firmware file (" + FileSize(size) +
                             ", a firmware file has " + FileSize(kFirmwareFileSize) + ")");
    std::printf("%s: %s\n", path.c_str(), FileSize(size).c_str());
    if (size > size_t(kFirmwareFileSize))
        std::printf("longer than a firmware file: the upgrade reads the first %d bytes and "
                    "never lists the file\n",
                    kFirmwareFileSize);
    bytes.resize(kFirmwareFileSize);
    for (const TSliceInfo& slice : InspectFirmware(bytes))
        std::printf("%s\n", DescribeSlice(slice).c_str());
}

void RunUpgrade(const Args& argv) {
    const CliArgs args(argv, WithWayOptions({"--firmware", "--attach-timeout"}),
                       WithWayFlags({"--yes"}));
    args.NoPositional();
    ChooseWay(args);
    WithGateway(args, AttachTimeoutOption(args), args.Flag("--yes"),
                [&](LinkSession& session, const std::string& where) {
                    std::vector<uint8_t> firmware;
                    TUpgradeHost host{session.Link(),
                                      session.User(),
                                      ProgramFolder(),
                                      firmware,
                                      args.Value("--firmware").value_or(""),
                                      kFailureLimit};
                    if (host.firmwareFile.empty())
                        host.dataFolder = DataFolder(); // searched as the window searches it

                    // Running the command is the answer to its upgrade question.
                    const UpgradeOutcome outcome = UpgradeConfirmed(host);
                    ReleaseGateway(session.Link()); // as the window does when it closes
                    if (outcome.result != UpgradeResult::Done)
                        throw CommandFailure(where + ": " + UpgradeReason(session, outcome));
                    std::printf("%s: firmware %s replaced by %s from %s\n", where.c_str(),
                                PrintableText(outcome.current).c_str(),
                                PrintableText(outcome.next).c_str(), outcome.path.c_str());
                });
}

} // namespace kw::cli
