#include "GatewayFaults.h"

#include <charconv>

namespace kw::sim {

const char* const kFaultGrammar =
    "Faults (--fault FAULT, repeatable; N, K, P, T are decimal numbers, T defaults to 1):\n"
    "  bad-checksum-a:N         the first N \"e\" replies carry a wrong region checksum\n"
    "  bad-checksum-b:N         the first N \"E\" replies carry a wrong region checksum\n"
    "  refuse-g:N               the first N \"g\" writes are answered \"Y\"\n"
    "  refuse-g-chunk:K[:T]     chunk K (0 to 3) of the first T \"G\" writes is answered \"Y\"\n"
    "  silent                   the gateway never answers\n"
    "  silent-after:N           the gateway answers N commands, then falls silent\n"
    "  silent-after-blocks:N    silent once N firmware pages or blocks were accepted\n"
    "  trickle:MS               replies go out one byte every MS milliseconds\n"
    "  drop-after:N             the line is hung up once the gateway has sent N bytes\n"
    "  drop-after-received:N    the line is hung up once the gateway has received N bytes\n"
    "  hw-letter:L              \"B\" reports the letter L (any character, like --hw)\n"
    "  refuse-page:P[:T]        page write P is answered \"Y\" the first T times\n"
    "  bad-echo:K[:T]           block K is echoed with a wrong CRC the first T times\n"
    "  bad-readback:P[:T]       page read P returns altered bytes the first T times\n"
    "  short:L[:T]              the reply to command letter L lacks its last byte, T times\n"
    "  garbage:L[:T]            every byte of the reply to command letter L is altered\n"
    "  delay:L:MS[:T]           the reply to command letter L starts MS milliseconds late\n"
    "  invalid-version-until-upgrade\n"
    "                           \"C\" reports BOOT until every firmware block was written\n";

namespace {

bool ParseNumber(const std::string& text, long long& value) {
    if (text.empty())
        return false;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    return result.ec == std::errc() && result.ptr == end && value >= 0;
}

bool ParseInt(const std::string& text, int& value) {
    long long wide = 0;
    if (!ParseNumber(text, wide) || wide > 1000000000)
        return false;
    value = static_cast<int>(wide);
    return true;
}

std::vector<std::string> Split(const std::string& fault) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t colon = fault.find(':', start);
        parts.push_back(fault.substr(start, colon - start));
        if (colon == std::string::npos)
            return parts;
        start = colon + 1;
    }
}

// "INDEX[:TIMES]" where the index is a number, or a single letter when byLetter.
bool ParseRepeated(const std::vector<std::string>& parts, bool byLetter,
                   std::vector<RepeatedFault>& out) {
    if (parts.size() < 2 || parts.size() > 3)
        return false;
    RepeatedFault fault{0, 1};
    if (byLetter) {
        if (parts[1].size() != 1)
            return false;
        fault.index = static_cast<unsigned char>(parts[1][0]);
    } else if (!ParseInt(parts[1], fault.index)) {
        return false;
    }
    if (parts.size() == 3 && !ParseInt(parts[2], fault.times))
        return false;
    out.push_back(fault);
    return true;
}

// "LETTER:VALUE[:TIMES]".
bool ParseLetterValue(const std::vector<std::string>& parts, std::vector<RepeatedFault>& out) {
    if (parts.size() < 3 || parts.size() > 4 || parts[1].size() != 1)
        return false;
    RepeatedFault fault{static_cast<unsigned char>(parts[1][0]), 1};
    if (!ParseInt(parts[2], fault.value) || (parts.size() == 4 && !ParseInt(parts[3], fault.times)))
        return false;
    out.push_back(fault);
    return true;
}

bool ParseCount(const std::vector<std::string>& parts, int& value) {
    return parts.size() == 2 && ParseInt(parts[1], value);
}

bool ParseBytes(const std::vector<std::string>& parts, long long& value) {
    return parts.size() == 2 && ParseNumber(parts[1], value);
}

} // namespace

std::string ParseFault(const std::string& fault, GatewayFaults& faults) {
    const std::vector<std::string> parts = Split(fault);
    const std::string& name = parts[0];
    bool ok = false;
    if (name == "bad-checksum-a")
        ok = ParseCount(parts, faults.badChecksumA);
    else if (name == "bad-checksum-b")
        ok = ParseCount(parts, faults.badChecksumB);
    else if (name == "refuse-g")
        ok = ParseCount(parts, faults.refuseG);
    else if (name == "refuse-g-chunk")
        ok = ParseRepeated(parts, false, faults.refuseGChunk) &&
             faults.refuseGChunk.back().index <= 3;
    else if (name == "silent")
        ok = parts.size() == 1 && (faults.silent = true);
    else if (name == "silent-after")
        ok = ParseCount(parts, faults.silentAfter);
    else if (name == "silent-after-blocks")
        ok = ParseCount(parts, faults.silentAfterBlocks);
    else if (name == "trickle")
        ok = ParseCount(parts, faults.trickleMs) && faults.trickleMs <= 60000;
    else if (name == "drop-after")
        ok = ParseBytes(parts, faults.dropAfter);
    else if (name == "drop-after-received")
        ok = ParseBytes(parts, faults.dropAfterReceived);
    else if (name == "hw-letter")
        ok = parts.size() == 2 && parts[1].size() == 1 && parts[1][0] != '\0' &&
             (faults.hwLetter = parts[1][0]).has_value();
    else if (name == "refuse-page")
        ok = ParseRepeated(parts, false, faults.refusePage);
    else if (name == "bad-echo")
        ok = ParseRepeated(parts, false, faults.badEcho);
    else if (name == "bad-readback")
        ok = ParseRepeated(parts, false, faults.badReadback);
    else if (name == "short")
        ok = ParseRepeated(parts, true, faults.shortReply);
    else if (name == "garbage")
        ok = ParseRepeated(parts, true, faults.garbledReply);
    else if (name == "delay")
        ok = ParseLetterValue(parts, faults.delayedReply) &&
             faults.delayedReply.back().value <= 600000;
    else if (name == "invalid-version-until-upgrade")
        ok = parts.size() == 1 && (faults.invalidVersionUntilUpgrade = true);
    else
        return "unknown fault '" + name + "'";
    return ok ? std::string() : "malformed fault '" + fault + "'";
}

bool TakeRepeated(std::vector<RepeatedFault>& faults, int index, int& value) {
    for (RepeatedFault& fault : faults)
        if (fault.index == index && fault.times > 0) {
            --fault.times;
            value = fault.value;
            return true;
        }
    return false;
}

bool TakeRepeated(std::vector<RepeatedFault>& faults, int index) {
    int value = 0;
    return TakeRepeated(faults, index, value);
}

} // namespace kw::sim
