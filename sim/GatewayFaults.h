// Misbehaviour the simulated gateway can be told to show, one --fault option at
// a time, so tests can script every way a real gateway lets the tool down.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kw::sim {

// "Do this to item N, the first T times".
struct RepeatedFault {
    int index;
    int times;
    int value = 0; // what the fault needs besides, such as a delay
};

struct GatewayFaults {
    int badChecksumA = 0;                    // the first N "e" replies carry a wrong checksum
    int badChecksumB = 0;                    // the first N "E" replies carry a wrong checksum
    int refuseG = 0;                         // the first N "g" writes are answered "Y"
    std::vector<RepeatedFault> refuseGChunk; // chunk K of "G" answered "Y"
    bool silent = false;                     // no reply at all
    int silentAfter = -1;                    // silent once N commands were handled
    int silentAfterBlocks = -1;              // silent once N firmware writes were accepted
    int trickleMs = 0;                       // pause between reply bytes
    long long dropAfter = -1;                // hang up once N bytes were sent
    long long dropAfterReceived = -1;        // hang up once N bytes were received
    std::optional<char> hwLetter;            // reported by "B" instead of --hw
    std::vector<RepeatedFault> refusePage;   // page write P answered "Y"
    std::vector<RepeatedFault> badEcho;      // block K echoed with a wrong CRC
    std::vector<RepeatedFault> badReadback;  // page read P returns altered bytes
    std::vector<RepeatedFault> shortReply;   // reply to letter L loses its last byte
    std::vector<RepeatedFault> garbledReply; // reply to letter L has every byte altered
    std::vector<RepeatedFault> delayedReply; // reply to letter L starts value ms late
    bool invalidVersionUntilUpgrade = false; // "C" says BOOT until a full upgrade
};

// Adds one fault (the text after --fault) to faults; returns an empty text, or what is wrong.
std::string ParseFault(const std::string& fault, GatewayFaults& faults);

// Uses one count of a repeated fault for index; true when it applies, and
// value then receives the fault's value.
bool TakeRepeated(std::vector<RepeatedFault>& faults, int index);
bool TakeRepeated(std::vector<RepeatedFault>& faults, int index, int& value);

// The grammar, as --help prints it.
extern const char* const kFaultGrammar;

} // namespace kw::sim
