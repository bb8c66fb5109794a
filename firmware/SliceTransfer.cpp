#include "SliceTransfer.h"

#include "COMTermExp.h"
#include "Crc32.h"
#include "FirmwareFiles.h"
#include "FormatText.h"
#include "GatewayLink.h"
#include "LinkTime.h"
#include "UserPort.h"
#include "Words.h"

#include <cstring>

namespace kw {
namespace {

constexpr int32_t kPageReplySize = 3 + kPageSize;
constexpr int32_t kEchoSize = 7;
// Failures after which the window offers Cancel again.
constexpr int32_t kCancelAfterFailures = 10;
constexpr int32_t kBlockReplyTimeOut = 20000;
const std::vector<std::string> kAcknowledge = {"X", "Y"};

// "O" and the page number, low byte first; the reply's page starts at byte 3.
void ReadPage(CGatewayLink& link, int32_t page) {
    const uint8_t command[3] = {'O', static_cast<uint8_t>(page & 0xFF),
                                static_cast<uint8_t>((page >> 8) & 0xFF)};
    link.LinkClear();
    link.LinkWrite(command, sizeof command);
    link.LinkSendWait("", kPageReplySize);
}

class Sender {
public:
    explicit Sender(const TSliceSender& s) : m_Job(s) {}

    // Each page or block is sent again until the gateway has it right.
    bool Run() {
        const int32_t units = m_Job.layout.Blocks();
        for (int32_t unit = 0; unit < units; ++unit) {
            Label(unit);
            for (;;) {
                CheckCancel();
                if (m_Job.layout.PageDialect() ? SendPage(unit) : SendBlock(unit))
                    break;
                if (!Failed())
                    return false;
            }
        }
        return true;
    }

private:
    void Label(int32_t unit) {
        m_Job.user.SetProgressText(
            FormatText("%s %i / %i", {m_Job.user.Word(word::kSendingBlock), std::to_string(unit),
                                      std::to_string(m_Job.layout.Blocks())}));
        HandlePendingMessages(); // let the window repaint
    }

    // A Cancel handled while the label repainted would be forgotten by the
    // next wait, which clears the terminal's latch; the window remembers it.
    void CheckCancel() {
        if (m_Job.user.ProgressCancelled())
            throw CCOMTermExp(CCOMTermExp::Cancelled);
    }

    // Counts a failed page or block; false when the upgrade gives up.
    bool Failed() {
        ++m_Failures;
        if (m_Failures >= kCancelAfterFailures)
            m_Job.user.SetProgressCancelVisible(true);
        return m_Job.failureLimit <= 0 || m_Failures < m_Job.failureLimit;
    }

    // "K", the page number low byte first and the page; acknowledged, then read back.
    bool SendPage(int32_t p) {
        CGatewayLink& link = m_Job.link;
        const uint8_t* page = m_Job.slice + p * kPageSize;
        uint8_t command[3 + kPageSize] = {'K', static_cast<uint8_t>(p & 0xFF),
                                          static_cast<uint8_t>((p >> 8) & 0xFF)};
        std::memcpy(command + 3, page, kPageSize);
        link.LinkClear();
        link.LinkWrite(command, sizeof command);
        m_Job.user.SetProgressPosition(2 * p);
        if (link.LinkSendExpect("", kAcknowledge) != 1)
            return false;
        ReadPage(link, p);
        m_Job.user.SetProgressPosition(2 * p + 1);
        uint8_t reply[kPageReplySize];
        link.LinkCopy(reply, kPageReplySize);
        return std::memcmp(reply + 3, page, kPageSize) == 0;
    }

    // The command letter, the address high byte first and the block; echoed
    // with the CRC-32 of what arrived.
    bool SendBlock(int32_t k) {
        CGatewayLink& link = m_Job.link;
        const int32_t address = k * kFirmwareBlockSize;
        const uint8_t* block = m_Job.slice + address;
        const char letter = BlockCommand(m_Job.layout, address);
        const uint8_t where[2] = {static_cast<uint8_t>((address >> 8) & 0xFF),
                                  static_cast<uint8_t>(address & 0xFF)};
        link.LinkClear();
        link.LinkWrite(&letter, 1);
        link.LinkWrite(where, 2);
        // The gateway's loader takes the data bytes one write at a time.
        for (int32_t i = 0; i < kFirmwareBlockSize; ++i)
            link.LinkWrite(block + i, 1);
        m_Job.user.SetProgressPosition(2 * k);
        link.SetReplyTimeOuts(kBlockReplyTimeOut);
        link.LinkSendWait("", kEchoSize);
        uint8_t echo[kEchoSize];
        link.LinkCopy(echo, kEchoSize);
        const uint32_t echoed = uint32_t(echo[3]) | uint32_t(echo[4]) << 8 |
                                uint32_t(echo[5]) << 16 | uint32_t(echo[6]) << 24;
        if (echo[0] != static_cast<uint8_t>(letter) || echo[1] != where[0] || echo[2] != where[1] ||
            echoed != Crc32(block, kFirmwareBlockSize))
            return false;
        m_Job.user.SetProgressPosition(2 * k + 1);
        return true;
    }

    const TSliceSender& m_Job;
    int32_t m_Failures = 0; // over the whole upgrade, never reset
};

} // namespace

char BlockCommand(const FirmwareSlice& layout, int32_t address) {
    return layout.letter == 'E' && address >= kHighBlockAddress ? 'Q' : 'K';
}

void PrepareTrailer(CGatewayLink& link, uint8_t* slice, const FirmwareSlice& layout) {
    if (!layout.hasDeviceArea) {
        StoreSliceSum(slice, layout);
        return;
    }
    if (!DeviceAreaEmpty(slice))
        return;
    uint8_t reply[kPageReplySize];
    ReadPage(link, kDeviceAreaPage);
    link.LinkCopy(reply, kPageReplySize);
    std::memcpy(slice + kDeviceAreaOffset, reply + 3, kDeviceAreaSize);
    StoreSliceSum(slice, layout);
}

bool SendSlice(const TSliceSender& sender) {
    return Sender(sender).Run();
}

} // namespace kw
