#include "GatewayModel.h"

#include "Crc32.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace kw::sim {
namespace {

constexpr int kLoneAQuietMs = 20;
constexpr int kAbandonQuietMs = 2000;
constexpr size_t kAtLineMax = 512;
constexpr size_t kRegionChunk = 2048;

std::string Hex(uint8_t byte) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", byte);
    return text;
}

std::string Printable(const std::string& line) {
    std::string out;
    for (char c : line) {
        const auto byte = static_cast<uint8_t>(c);
        out += byte >= 0x20 && byte < 0x7F ? std::string(1, c) : "\\x" + Hex(byte).substr(2);
    }
    return out;
}

} // namespace

GatewayModel::GatewayModel(const GatewayIdentity& identity, const GatewayFaults& faults,
                           const MemoryImage& memory, GsmModule::Clock clock)
    : m_Identity(identity), m_Faults(faults), m_Memory(memory),
      m_Flash(identity.hwLetter, identity.fwVersion, identity.serial),
      m_Gsm(clock ? std::move(clock) : GsmModule::Clock([] { return std::time(nullptr); })) {}

void GatewayModel::Receive(const uint8_t* data, size_t size, std::string& reply) {
    for (size_t i = 0; i < size; ++i) {
        // A command's data bytes come in bulk: all but its last are only kept.
        if (m_State == State::Collect && m_Data.size() + 1 < m_Need) {
            const size_t take = std::min(size - i, m_Need - 1 - m_Data.size());
            m_Data.insert(m_Data.end(), data + i, data + i + take);
            i += take - 1;
            continue;
        }
        Byte(data[i], reply);
    }
}

void GatewayModel::Receive(const std::string& bytes, std::string& reply) {
    Receive(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), reply);
}

int GatewayModel::QuietTimeoutMs() const {
    switch (m_State) {
    case State::AfterA:
        return kLoneAQuietMs;
    case State::AtLine:
    case State::Collect:
        return kAbandonQuietMs;
    default:
        return -1;
    }
}

void GatewayModel::LineQuiet() {
    if (m_State == State::AfterA) {
        m_State = State::Command;
        EndExchange();
    } else if (m_State == State::Collect) {
        Log(std::string(1, char(m_Letter)) + " incomplete " + std::to_string(m_Data.size()) +
            " of " + std::to_string(m_Need) + " bytes");
        m_State = State::Command;
    } else if (m_State == State::AtLine) {
        Log("AT incomplete " + Printable(m_AtLine));
        m_State = State::Command;
    }
}

std::string GatewayModel::ReportedVersion() const {
    if (m_Faults.invalidVersionUntilUpgrade && !m_Upgraded)
        return "BOOT";
    return m_Flash.VersionText();
}

void GatewayModel::Byte(uint8_t byte, std::string& reply) {
    switch (m_State) {
    case State::Command:
        StartCommand(byte, reply);
        return;
    case State::AfterA:
        if (byte == 'T' || byte == 't') {
            m_State = State::AtLine;
            m_AtLine = std::string("A") + char(byte);
            return;
        }
        m_State = State::Command;
        EndExchange();
        StartCommand(byte, reply);
        return;
    case State::AtLine:
        if (byte == '\r') {
            m_State = State::Command;
            m_Letter = 'A';
            m_Silenced = SilentNow();
            ++m_Commands;
            LogCommand(Printable(m_AtLine));
            Send(m_Gsm.Answer(m_AtLine), reply);
        } else if (m_AtLine.size() >= kAtLineMax) {
            m_State = State::Command;
            Log("AT line too long, dropped");
        } else {
            m_AtLine += char(byte);
        }
        return;
    case State::Collect:
        m_Data.push_back(byte);
        if (m_Data.size() == m_Need) {
            m_State = State::Command;
            Completed(reply);
        }
        return;
    }
}

void GatewayModel::Collect(uint8_t letter, size_t count) {
    m_Letter = letter;
    m_Data.clear();
    m_Need = count;
    m_State = State::Collect;
}

void GatewayModel::StartCommand(uint8_t letter, std::string& reply) {
    const bool known = std::strchr("UXZBCDFeEgGAKQO", letter) != nullptr && letter != 0;
    if (!known) {
        Log("unknown " + Hex(letter));
        return;
    }
    m_Letter = letter;
    if (letter == 'A') {
        m_State = State::AfterA; // the exchange ends unless a "T" follows
        return;
    }
    m_Silenced = SilentNow();
    ++m_Commands;
    switch (letter) {
    case 'U':
        LogCommand("U");
        Send("X", reply);
        break;
    case 'X':
        LogCommand("X");
        Send("X", reply);
        break;
    case 'Z':
        LogCommand("Z");
        Send("\"" + m_Identity.serial + "\"", reply);
        break;
    case 'B':
        Text('B', std::string(1, m_Identity.hwLetter), reply);
        break;
    case 'C':
        Text('C', ReportedVersion(), reply);
        break;
    case 'D':
        Text('D', m_Identity.serial, reply);
        break;
    case 'F':
        Text('F', m_Identity.operLock, reply);
        break;
    case 'e':
        ReadRegion('e', kRegionA, m_Faults.badChecksumA, reply);
        break;
    case 'E':
        ReadRegion('E', kRegionB, m_Faults.badChecksumB, reply);
        break;
    case 'g':
        Collect(letter, kRegionChunk);
        break;
    case 'G':
        m_Chunk = 0;
        Collect(letter, kRegionChunk);
        break;
    case 'K':
        Collect(letter,
                2 + size_t(m_Flash.Layout().PageDialect() ? kPageSize : kFirmwareBlockSize));
        break;
    case 'Q':
        Collect(letter, 2 + size_t(kFirmwareBlockSize));
        break;
    case 'O':
        Collect(letter, 2);
        break;
    }
}

void GatewayModel::Completed(std::string& reply) {
    switch (m_Letter) {
    case 'g':
        WriteRegionA(reply);
        break;
    case 'G':
        WriteRegionBChunk(reply);
        break;
    case 'K':
        if (m_Flash.Layout().PageDialect())
            WritePage(reply);
        else
            WriteBlock(reply);
        break;
    case 'Q':
        WriteBlock(reply);
        break;
    case 'O':
        ReadPage(reply);
        break;
    }
}

void GatewayModel::EndExchange() {
    Log("A");
    if (m_Listener.exchangeEnded)
        m_Listener.exchangeEnded();
}

void GatewayModel::Text(char letter, const std::string& text, std::string& reply) {
    LogCommand(std::string(1, letter));
    // Byte 0 is never read by the tool; it must not be zero, or a zero-terminated
    // wait would end on it.
    std::string bytes(1, letter);
    bytes += text;
    bytes += '\0';
    Send(bytes, reply);
}

void GatewayModel::ReadRegion(char letter, const ImageRegion& region, int& badChecksums,
                              std::string& reply) {
    std::string bytes(1, letter);
    bytes.append(reinterpret_cast<const char*>(m_Memory.data() + region.begin), region.size);
    const bool corrupt = !m_Silenced && badChecksums > 0;
    if (corrupt) {
        --badChecksums;
        bytes[bytes.size() - 2] = char(bytes[bytes.size() - 2] ^ 0x5A);
    }
    LogCommand(std::string(1, letter) + (corrupt ? " bad-checksum" : ""));
    Send(bytes, reply);
}

void GatewayModel::WriteRegionA(std::string& reply) {
    if (m_Silenced) {
        LogCommand("g");
        return;
    }
    if (m_Faults.refuseG > 0) {
        --m_Faults.refuseG;
        LogCommand("g Y");
        Send("Y", reply);
        return;
    }
    std::memcpy(m_Memory.data() + kRegionA.begin, m_Data.data(), kRegionChunk);
    // A real gateway takes what it is given; the tool finds a bad checksum when
    // it reads the region back, so the simulator stores it and only notes it.
    const bool valid = RegionChecksumValid(m_Memory.data(), kRegionA);
    LogCommand(valid ? "g X" : "g X bad-checksum");
    Send("X", reply);
    if (m_Listener.memoryWritten)
        m_Listener.memoryWritten();
}

void GatewayModel::WriteRegionBChunk(std::string& reply) {
    const std::string line = "G chunk " + std::to_string(m_Chunk);
    if (m_Silenced) {
        LogCommand(line);
        return;
    }
    if (TakeRepeated(m_Faults.refuseGChunk, m_Chunk)) {
        LogCommand(line + " Y");
        Send("Y", reply);
        return;
    }
    std::memcpy(m_Memory.data() + kRegionB.begin + m_Chunk * kRegionChunk, m_Data.data(),
                kRegionChunk);
    const bool last = m_Chunk == 3;
    const bool valid = !last || RegionChecksumValid(m_Memory.data(), kRegionB);
    LogCommand(line + (valid ? " X" : " X bad-checksum"));
    Send("X", reply);
    if (m_Listener.memoryWritten)
        m_Listener.memoryWritten();
    if (!last) {
        ++m_Chunk;
        Collect('G', kRegionChunk);
    }
}

void GatewayModel::WritePage(std::string& reply) {
    const int page = m_Data[0] | m_Data[1] << 8;
    const std::string line = "K page " + std::to_string(page);
    if (m_Silenced) {
        LogCommand(line);
        return;
    }
    if (TakeRepeated(m_Faults.refusePage, page)) {
        LogCommand(line + " Y");
        Send("Y", reply);
        return;
    }
    if (!m_Flash.WritePage(page, m_Data.data() + 2)) {
        LogCommand(line + " Y out-of-range");
        Send("Y", reply);
        return;
    }
    LogCommand(line + " X");
    Send("X", reply);
    FirmwareAccepted();
}

void GatewayModel::WriteBlock(std::string& reply) {
    const int32_t low = m_Data[0] << 8 | m_Data[1];
    const int32_t address = m_Letter == 'Q' ? kHighBlockAddress + low : low;
    std::string line =
        std::string(1, char(m_Letter)) + " block " + std::to_string(address / kFirmwareBlockSize);
    if (address % kFirmwareBlockSize != 0)
        line += " at " + std::to_string(address);
    if (m_Silenced) {
        LogCommand(line);
        return;
    }
    uint32_t crc = Crc32(m_Data.data() + 2, kFirmwareBlockSize);
    const bool stored = m_Flash.WriteBlock(address, m_Data.data() + 2);
    if (!stored)
        line += " out-of-range";
    if (TakeRepeated(m_Faults.badEcho, address / kFirmwareBlockSize)) {
        crc ^= 0x00FF00FFu;
        line += " bad-echo";
    }
    LogCommand(line);
    std::string echo{char(m_Letter), char(m_Data[0]), char(m_Data[1])};
    for (int i = 0; i < 4; ++i)
        echo += char(crc >> (8 * i));
    Send(echo, reply);
    if (stored)
        FirmwareAccepted();
}

void GatewayModel::ReadPage(std::string& reply) {
    const int page = m_Data[0] | m_Data[1] << 8;
    std::string line = "O page " + std::to_string(page);
    std::string bytes{'O', char(m_Data[0]), char(m_Data[1])};
    uint8_t data[kPageSize];
    m_Flash.ReadPage(page, data);
    if (!m_Silenced && TakeRepeated(m_Faults.badReadback, page)) {
        data[0] ^= 0xFF;
        line += " bad-readback";
    }
    bytes.append(reinterpret_cast<const char*>(data), kPageSize);
    LogCommand(line);
    Send(bytes, reply);
}

void GatewayModel::FirmwareAccepted() {
    ++m_FirmwareWrites;
    if (m_Listener.flashChanged)
        m_Listener.flashChanged();
    if (!m_Upgraded && m_Flash.UpgradeComplete()) {
        m_Upgraded = true;
        Log("upgrade complete " + m_Flash.VersionText());
    }
}

void GatewayModel::Send(const std::string& bytes, std::string& reply) {
    if (m_Silenced || bytes.empty())
        return;
    int delay = 0;
    if (TakeRepeated(m_Faults.delayedReply, m_Letter, delay) && reply.empty())
        m_ReplyDelayMs = delay;
    std::string sent = bytes;
    if (TakeRepeated(m_Faults.garbledReply, m_Letter))
        for (char& c : sent)
            c = static_cast<char>(c ^ 0x55);
    if (TakeRepeated(m_Faults.shortReply, m_Letter))
        sent.pop_back();
    reply += sent;
}

int GatewayModel::TakeReplyDelayMs() {
    const int delay = m_ReplyDelayMs;
    m_ReplyDelayMs = 0;
    return delay;
}

void GatewayModel::Log(const std::string& line) {
    if (m_Listener.log)
        m_Listener.log(line);
}

void GatewayModel::LogCommand(const std::string& line) {
    Log(m_Silenced ? line + " silent" : line);
}

bool GatewayModel::SilentNow() const {
    return m_Faults.silent || (m_Faults.silentAfter >= 0 && m_Commands >= m_Faults.silentAfter) ||
           (m_Faults.silentAfterBlocks >= 0 && m_FirmwareWrites >= m_Faults.silentAfterBlocks);
}

} // namespace kw::sim
