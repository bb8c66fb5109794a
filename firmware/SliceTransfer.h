// Sending one firmware slice in the gateway's dialect: 256-byte pages, each
// acknowledged and read back (letter A), or 2048-byte blocks, each answered
// with an echo of the command, the address and the CRC-32 of what arrived.
#pragma once

#include "FirmwareLayout.h"

#include <cstdint>

class CUserPort;

namespace kw {

class CGatewayLink;

// Readies the slice's trailer before sending: letter E stores its slice sum;
// the others take page 238 from the gateway when the file left it zero, and
// then store their sum. A slice whose page 238 is set is sent as it stands.
void PrepareTrailer(CGatewayLink& link, uint8_t* slice, const FirmwareSlice& layout);

struct TSliceSender {
    CGatewayLink& link;
    CUserPort& user;
    const FirmwareSlice& layout;
    const uint8_t* slice;
    int32_t failureLimit; // 0: repeat a failed block until Cancel
};

// Sends every page or block, repeating each until the gateway has it right;
// the bar (range twice the blocks) moves twice per block. False when the failure limit was reached.
// Link exceptions (silence, Cancel, a lost connection) reach the caller.
bool SendSlice(const TSliceSender& sender);

// The block write's command letter: "Q" reaches beyond 64 KiB on letter E.
char BlockCommand(const FirmwareSlice& layout, int32_t address);

} // namespace kw
