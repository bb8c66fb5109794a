// The simulated gateway's command protocol, byte in and bytes out: parses the
// command stream as a state machine and answers every command of the gateway,
// with its memory, flash, identity and scripted faults. No I/O, no clock.
#pragma once

#include "GatewayFaults.h"
#include "GatewayFlash.h"
#include "GsmModule.h"
#include "LinePeer.h"
#include "MemoryImage.h"

#include <functional>
#include <string>
#include <vector>

namespace kw::sim {

struct GatewayIdentity {
    char hwLetter = 'A';
    std::string fwVersion = "1.07";
    std::string serial = "10-2024-0001";
    std::string operLock;
};

class GatewayModel : public LinePeer {
public:
    // What the surrounding program wants to hear about.
    struct Listener {
        std::function<void(const std::string&)> log; // one line per handled command
        std::function<void()> memoryWritten;         // after an accepted write
        std::function<void()> flashChanged;          // after a firmware page or block
        std::function<void()> exchangeEnded;         // after "A"
    };

    GatewayModel(const GatewayIdentity& identity, const GatewayFaults& faults,
                 const MemoryImage& memory, GsmModule::Clock clock = {});

    void SetListener(Listener listener) { m_Listener = std::move(listener); }

    // Handles bytes from the line; the reply bytes are appended to reply.
    void Receive(const uint8_t* data, size_t size, std::string& reply) override;
    void Receive(const std::string& bytes, std::string& reply);

    // How long the line may stay quiet before LineQuiet is due, or -1 when
    // nothing waits: a lone "A" may still become "AT" (it ends the exchange
    // once the line is quiet briefly); a command whose bytes stopped coming is
    // abandoned after a longer pause, so a sender that died mid-block does not
    // leave its data bytes to be taken for commands.
    int QuietTimeoutMs() const override;
    void LineQuiet() override;

    // The pause a delay fault asks for before the reply produced by the last
    // Receive; reading it clears it.
    int TakeReplyDelayMs() override;

    const MemoryImage& Memory() const { return m_Memory; }
    GatewayFlash& Flash() { return m_Flash; }
    const GatewayFlash& Flash() const { return m_Flash; }
    GsmModule& Gsm() { return m_Gsm; }
    // The version "C" reports now.
    std::string ReportedVersion() const;

private:
    enum class State { Command, AfterA, AtLine, Collect };

    void Byte(uint8_t byte, std::string& reply);
    void StartCommand(uint8_t letter, std::string& reply);
    void Collect(uint8_t letter, size_t count);
    void Completed(std::string& reply);
    void EndExchange();

    void Text(char letter, const std::string& text, std::string& reply);
    void ReadRegion(char letter, const ImageRegion& region, int& badChecksums, std::string& reply);
    void WriteRegionA(std::string& reply);
    void WriteRegionBChunk(std::string& reply);
    void WritePage(std::string& reply);
    void WriteBlock(std::string& reply);
    void ReadPage(std::string& reply);
    void FirmwareAccepted();

    void Send(const std::string& bytes, std::string& reply);
    void Log(const std::string& line);
    void LogCommand(const std::string& line); // marks lines of unanswered commands
    bool SilentNow() const;

    GatewayIdentity m_Identity;
    GatewayFaults m_Faults;
    MemoryImage m_Memory;
    GatewayFlash m_Flash;
    GsmModule m_Gsm;
    Listener m_Listener;

    State m_State = State::Command;
    uint8_t m_Letter = 0;        // the command whose bytes are being collected
    std::vector<uint8_t> m_Data; // its address and data bytes
    size_t m_Need = 0;
    int m_Chunk = 0; // the "G" chunk being collected
    std::string m_AtLine;
    bool m_Silenced = false; // the current command gets no reply
    long long m_Commands = 0;
    int m_FirmwareWrites = 0;
    bool m_Upgraded = false;
    int m_ReplyDelayMs = 0;
};

} // namespace kw::sim
