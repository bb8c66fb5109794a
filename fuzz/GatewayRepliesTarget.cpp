// The gateway's side of the transfers: a read, a write or an upgrade against
// the simulator's protocol model on an in-process line, each reply passed,
// silenced, cut, garbled, replaced, lengthened, delayed, trickled or followed
// by a hang-up as the input says. Whatever the gateway does, the command ends
// with a defined outcome, claims success only when it succeeded, tells of a
// write that may have left the gateway half-written, leaves the registry
// unchanged unless a read succeeded, and leaves the port closed.
//
// Input: a flags byte, a letters byte, then one shaping step per reply; the
// gateway falls silent when the steps are used up.
#include "COMTerminal.h"
#include "ConfigImage.h"
#include "ConfigTransfer.h"
#include "FirmwareLayout.h"
#include "FirmwareUpgrade.h"
#include "FuzzBytes.h"
#include "FuzzCheck.h"
#include "FuzzFolder.h"
#include "GatewayLink.h"
#include "GatewayModel.h"
#include "GatewayProtocol.h"
#include "InProcessLine.h"
#include "MemoryImage.h"
#include "ParameterCatalogue.h"
#include "Parameters.h"
#include "RecordingUserPort.h"
#include "RegistryFingerprint.h"
#include "SyntheticFirmware.h"
#include "Words.h"

#include <QCoreApplication>

#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace {

using namespace kw;
using namespace kw::fuzz;

constexpr char kLetters[] = "ACDEFG";
// The command line gives a silent gateway this long before it presses Cancel.
constexpr uint32_t kAttachLimitMs = 10000;
// No command may take longer than this on the line's clock: a hang.
constexpr uint32_t kNoEndMs = 24u * 3600u * 1000u;

enum class Command { Read, Write, Upgrade, ReadOverEdits };

struct Setup {
    Command command;
    bool answer;     // to every question
    bool pinChanged; // the security page's flags
    bool passwordChanged;
    bool window; // an upgrade gives up after 10 failures, or offers Cancel and is cancelled
    bool noConfiguration; // a write with an empty hardware text
    bool unattended;      // the attach may run the upgrade on a Yes to word 174
    char gatewayLetter;
    char configurationLetter;
};

Setup ReadSetup(CFuzzBytes& in) {
    const uint8_t flags = in.Byte();
    const uint8_t letters = in.Byte();
    return {static_cast<Command>(flags & 3),
            (flags & 4) != 0,
            (flags & 8) != 0,
            (flags & 16) != 0,
            (flags & 32) != 0,
            (flags & 64) != 0,
            (flags & 128) != 0,
            kLetters[letters % 6],
            kLetters[(letters / 6) % 6]};
}

const sim::GatewayIdentity kIdentity{'A', "1.07", "10-2024-0001", ""};

// What stays across runs, so that a run allocates little: the registry (reset
// only after a run changed it) with the fingerprints of its defaults under
// each hardware text, a gateway of each letter as it starts with the
// fingerprint a read of it must give, the gateway a run works on, the
// upgrade's buffer and a firmware file on disk.
struct Fixture {
    Fixture() {
        RegisterCatalogue(parameters);
        const sim::MemoryImage memory = sim::DefaultMemoryImage();
        defaults[""] = RegistryFingerprint(parameters);
        for (const char letter : std::string(kLetters)) {
            const std::string text(1, letter);
            parameters.SetValue("HWVer", 0, text);
            defaults[text] = RegistryFingerprint(parameters);
            sim::GatewayIdentity identity = kIdentity;
            identity.hwLetter = letter;
            gateways.emplace_back(identity, sim::GatewayFaults{}, memory);
            parameters.LoadFromImage(memory.data(), kImageSize);
            parameters.SetValue("SWVer", 0, identity.fwVersion);
            parameters.SetValue("SerialNum", 0, identity.serial);
            parameters.SetValue("OperLock", 0, identity.operLock);
            readings.push_back(RegistryFingerprint(parameters));
            parameters.ResetAll();
        }
        working = gateways;
        const std::vector<uint8_t> file = SyntheticFirmware("1.08");
        firmwarePath = WriteFuzzFile("Kolbra.Bin", std::string(file.begin(), file.end()));
    }
    size_t Index(char letter) const { return std::string(kLetters).find(letter); }

    CParameters parameters;
    std::map<std::string, uint64_t> defaults; // by the HWVer text
    bool changed = false;                     // the registry is no longer at its defaults
    std::vector<sim::GatewayModel> gateways;
    std::vector<uint64_t> readings;
    std::vector<sim::GatewayModel> working;
    std::vector<uint8_t> firmware;
    std::string firmwarePath;
};

Fixture* g_Fixture = nullptr;

// Applies the input's step to each reply; notes whether any was touched. Once
// the steps are used up the gateway falls silent, so a short input ends soon.
class ReplyShaper {
public:
    explicit ReplyShaper(CFuzzBytes& script) : m_Script(script) {}

    void operator()(CInProcessLine::Reply& reply) {
        if (m_Script.Empty()) {
            reply.bytes.clear();
            m_Touched = true;
            return;
        }
        const uint8_t step = m_Script.Byte();
        const size_t size = reply.bytes.size();
        switch (step % 9) {
        case 0: // as the gateway sent it
            return;
        case 1: // silence
            reply.bytes.clear();
            break;
        case 2: // cut short
            reply.bytes.resize(size * m_Script.Byte() / 256);
            break;
        case 3: // one byte altered
            reply.bytes[m_Script.Word() % size] ^= static_cast<char>(m_Script.Byte() | 1);
            break;
        case 4: // other bytes altogether
            reply.bytes = m_Script.Run(m_Script.Byte());
            break;
        case 5: // more bytes than asked for
            reply.bytes += m_Script.Run(m_Script.Byte());
            break;
        case 6: // late, up to 5 s
            reply.delayMs = m_Script.Byte() * 20u;
            break;
        case 7: // trickling
            reply.gapMs = m_Script.Byte() % 64u;
            break;
        case 8: // part of it, then the line goes away
            reply.bytes.resize(size * m_Script.Byte() / 256);
            reply.hangUp = true;
            break;
        }
        m_Touched = true;
    }

    bool Touched() const { return m_Touched; }

private:
    CFuzzBytes& m_Script;
    bool m_Touched = false;
};

// The configuration bytes the write sent last: region A after "g", the four
// chunks of region B after "G".
struct SentRegions {
    void See(const TLinkTapEvent& event) {
        if (event.kind != TLinkTapEvent::Kind::Raw)
            return;
        if (event.bytes == "g" || event.bytes == "G") {
            m_Letter = event.bytes[0];
            m_Chunk = 0;
            sentG = sentG || m_Letter == 'g';
            return;
        }
        if (event.bytes.size() != 2048)
            return;
        if (m_Letter == 'g')
            std::memcpy(image.data() + kRegionA.begin, event.bytes.data(), 2048);
        else if (m_Letter == 'G' && m_Chunk < 4)
            std::memcpy(image.data() + kRegionB.begin + 2048 * m_Chunk++, event.bytes.data(), 2048);
    }
    bool SameRegions(const sim::MemoryImage& memory) const {
        return std::memcmp(image.data() + kRegionA.begin, memory.data() + kRegionA.begin,
                           kRegionA.size) == 0 &&
               std::memcmp(image.data() + kRegionB.begin, memory.data() + kRegionB.begin,
                           kRegionB.size) == 0;
    }

    std::vector<uint8_t> image = std::vector<uint8_t>(kImageSize);
    bool sentG = false;

private:
    char m_Letter = 0;
    int m_Chunk = 0;
};

void CheckRead(const TransferOutcome& outcome, const CRecordingUserPort& user,
               const CParameters& parameters, uint64_t before, bool modifiedBefore,
               const std::string& hardwareText, const std::string& hardwareTextBefore,
               bool untouched, uint64_t reading) {
    const bool done = outcome.result == TransferResult::Done;
    KW_FUZZ_REQUIRE(done == user.Said(112), "a read tells of success exactly when it succeeded");
    if (!done) {
        KW_FUZZ_REQUIRE(RegistryFingerprint(parameters) == before &&
                            parameters.m_Modified == modifiedBefore,
                        "a failed read leaves the registry as it was");
        KW_FUZZ_REQUIRE(hardwareText == hardwareTextBefore || hardwareText.empty(),
                        "a failed read keeps or clears the hardware text");
    } else {
        KW_FUZZ_REQUIRE(hardwareText == parameters.GetValue("HWVer", 0),
                        "a read sets the hardware text it stored");
    }
    if (outcome.result == TransferResult::Unreadable)
        KW_FUZZ_REQUIRE(user.Said(113) && hardwareText.empty(), "a bad region is reported");
    KW_FUZZ_REQUIRE(!done || !untouched || RegistryFingerprint(parameters) == reading,
                    "an undisturbed read loads the gateway's configuration and identity");
}

void CheckWrite(const TransferOutcome& outcome, const CRecordingUserPort& user,
                const SentRegions& sent, const sim::MemoryImage& memory) {
    const bool done = outcome.result == TransferResult::Done;
    KW_FUZZ_REQUIRE(done == user.Said(114), "a write tells of success exactly when it succeeded");
    KW_FUZZ_REQUIRE(!done || sent.SameRegions(memory),
                    "a successful write leaves the gateway with what was sent");
    KW_FUZZ_REQUIRE(!done || !user.Said(word::kWriteMayBeIncomplete),
                    "a successful write says nothing of an incomplete configuration");
    if (outcome.result == TransferResult::LinkFailed && sent.sentG)
        KW_FUZZ_REQUIRE(user.Said(word::kWriteMayBeIncomplete),
                        "a write cut off after sending says the configuration may be incomplete");
    if (outcome.result == TransferResult::WriteFailed)
        KW_FUZZ_REQUIRE(user.Said(115), "a refused write is reported");
    if (outcome.result == TransferResult::Incompatible)
        KW_FUZZ_REQUIRE(user.Said(333) && !sent.sentG, "an incompatible gateway gets nothing");
}

void CheckUpgrade(const UpgradeOutcome& outcome, const CRecordingUserPort& user,
                  const std::vector<uint8_t>& firmware, char attachedLetter, char gatewayLetter,
                  sim::GatewayModel& model) {
    const bool done = outcome.result == UpgradeResult::Done;
    KW_FUZZ_REQUIRE(done == user.Said(123),
                    "an upgrade tells of success exactly when it succeeded");
    if (!done || attachedLetter != gatewayLetter)
        return;
    const FirmwareSlice layout = SliceFor(gatewayLetter);
    const std::vector<uint8_t>& flash = model.Flash().Bytes();
    KW_FUZZ_REQUIRE(std::equal(flash.begin(), flash.end(), firmware.begin() + layout.offset),
                    "a finished upgrade leaves the slice sent in the flash");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // The terminal's idle timer wants an application; its events never run here.
    static QCoreApplication app(*argc, *argv);
    g_Fixture = new Fixture;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Fixture& fixture = *g_Fixture;
    CFuzzBytes in(data, size);
    const Setup setup = ReadSetup(in);

    const size_t gatewayIndex = fixture.Index(setup.gatewayLetter);
    sim::GatewayModel& model = fixture.working[gatewayIndex];
    model = fixture.gateways[gatewayIndex];
    CInProcessLine line(model);
    ReplyShaper shaper(in);
    line.m_Shape = [&shaper](CInProcessLine::Reply& reply) { shaper(reply); };

    CCOMTerminal terminal;
    terminal.UseLine(&line);
    CGatewayLink link(terminal);
    link.SetComPort("gateway");
    CRecordingUserPort user(setup.answer, setup.window);
    std::vector<uint8_t>& firmware = fixture.firmware;
    const auto upgradeHost = [&] {
        return TUpgradeHost{
            link, user, FuzzFolder(), firmware, fixture.firmwarePath, setup.window ? 0 : 10};
    };
    if (setup.unattended)
        InstallUnattendedUpgrade(link, upgradeHost);

    // As the command line: a silent gateway is given up after a while.
    bool attaching = false;
    uint32_t attachStart = 0;
    SentRegions sent;
    std::optional<CTapListener> sentTap;
    link.SetAttachObserver([&](bool running) {
        attaching = running;
        attachStart = line.Now();
        // A write's configuration goes out after the attach; an upgrade the
        // attach ran is no configuration.
        if (!running && setup.command == Command::Write && !sentTap)
            sentTap.emplace(link.Tap(), [&sent](const TLinkTapEvent& event) { sent.See(event); });
    });
    line.m_OnWait = [&] {
        if (attaching && line.Now() - attachStart >= kAttachLimitMs)
            user.CancelProgress();
        KW_FUZZ_REQUIRE(line.Now() < kNoEndMs, "a command ends");
    };

    CParameters& parameters = fixture.parameters;
    if (fixture.changed)
        parameters.ResetAll();
    fixture.changed = false;
    std::string hardwareText;
    if (setup.command == Command::Write && !setup.noConfiguration)
        hardwareText = std::string(1, setup.configurationLetter);
    if (setup.command == Command::ReadOverEdits)
        hardwareText = "A";
    parameters.SetValue("HWVer", 0, hardwareText);
    parameters.m_Modified = setup.command == Command::ReadOverEdits;
    const uint64_t before = fixture.defaults.at(hardwareText);
    const bool modifiedBefore = parameters.m_Modified;
    const std::string hardwareTextBefore = hardwareText;
    bool pinChanged = setup.pinChanged;
    bool passwordChanged = setup.passwordChanged;
    const TTransferHost host{link,       parameters,      user, hardwareText,
                             pinChanged, passwordChanged, {},   {}};

    switch (setup.command) {
    case Command::Read:
    case Command::ReadOverEdits: {
        const TransferOutcome outcome = ReadFromGateway(host);
        ReleaseGateway(link);
        fixture.changed = fixture.changed || outcome.result == TransferResult::Done;
        CheckRead(outcome, user, parameters, before, modifiedBefore, hardwareText,
                  hardwareTextBefore, !shaper.Touched(), fixture.readings[gatewayIndex]);
        break;
    }
    case Command::Write: {
        const TransferOutcome outcome = WriteToGateway(host);
        ReleaseGateway(link);
        CheckWrite(outcome, user, sent, model.Memory());
        KW_FUZZ_REQUIRE(RegistryFingerprint(parameters) == before,
                        "a write leaves the registry as it was");
        break;
    }
    case Command::Upgrade: {
        const UpgradeOutcome outcome = UpgradeConfirmed(upgradeHost());
        ReleaseGateway(link);
        CheckUpgrade(outcome, user, firmware, link.HardwareLetter(), setup.gatewayLetter, model);
        KW_FUZZ_REQUIRE(RegistryFingerprint(parameters) == before,
                        "an upgrade leaves the registry as it was");
        break;
    }
    }
    KW_FUZZ_REQUIRE(!line.IsOpen(), "the command and the release leave the port closed");
    return 0;
}
