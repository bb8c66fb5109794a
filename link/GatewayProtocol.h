// Opening and closing a command exchange with the gateway and reading its
// configuration regions with checksum verification.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

class CUserPort;

namespace kw {

class CGatewayLink;
struct ImageRegion;

// Bytes of the buffer ReadRegions fills: the "e" reply at 0 (region A from 1),
// the "E" reply at 4096 (region B from 4097). Bytes 1 to 12288 are the image.
inline constexpr int32_t kReadBufferSize = 12289;

// Opens an exchange and learns the gateway's hardware letter. Asks again and
// again, once per reply time-out, until the gateway answers or the progress
// window's Cancel is pressed; then closes the port and returns false. A lost
// link (a TCP connection gone) ends it at once, reported to the user.
bool AttachGateway(CGatewayLink& link, CUserPort& user, bool checkFirmware);

// Opens the progress window of an exchange, its Cancel pressing the link's
// latches: waiting for the gateway on the cable, `connectedWord` over a modem
// or TCP connection.
void OpenExchangeProgress(CGatewayLink& link, CUserPort& user, int connectedWord);

// An identity text ("B" hardware letter, "C" firmware version, "D" serial
// number, "F" operator lock): the zero-terminated reply from its byte 1.
std::string AskIdentity(CGatewayLink& link, const char* command);

// Ends a cable exchange: "A" sent on a freshly opened port, then the port closed.
void ReleaseGateway(CGatewayLink& link);

// The greeting after a modem data call has connected; `stepDone` is told 1 and
// 2 after its first two steps. Raises the link exception of a failed step.
void ModemGreeting(CGatewayLink& link, const std::function<void(int)>& stepDone = {});

// Reads region A, and region B too when asked, each up to three times until its
// checksum holds. False after three bad copies of a region.
bool ReadRegions(CGatewayLink& link, uint8_t* buffer, bool withRegionB);

// Marks the PIN and the passwords inside `part` of the image as secret for the
// link's tap: in the next raw write, which sends that part, or in the reply to
// the next command, which returns it from the reply's byte 1.
void HideImageSecrets(CGatewayLink& link, const ImageRegion& part, bool inReply);

} // namespace kw
