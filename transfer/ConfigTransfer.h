// Reading the whole configuration from the gateway into the registry and
// writing it back: the main window's Read and Write commands without their
// window, so the command line runs exactly the same procedure.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

class CParameters;
class CUserPort;

namespace kw {

class CBackupStore;
class CGatewayLink;

// What a transfer needs of the main window.
struct TTransferHost {
    CGatewayLink& link;
    CParameters& parameters;
    CUserPort& user;
    std::string& hardwareText;       // the hardware variant code; empty: no configuration
    bool& pinChanged;                // set by the security page, cleared by a read
    bool& passwordChanged;           // the service password, likewise
    std::function<void()> storePage; // write: the page on view into the registry
    std::function<void()> refresh;   // read: refresh the window, reload the page
    // Where a read and a successful write leave their backup; none without.
    const CBackupStore* backups = nullptr;
};

enum class TransferResult : uint8_t {
    Done,
    NotConnected, // modem or TCP link not up: nothing happened
    Declined,     // the user answered No to losing changes or to new modem numbers
    AttachFailed, // refused or cancelled; the user has been told
    Incompatible, // the configuration is for another hardware family
    Unreadable,   // checksums failed three times
    WriteFailed,  // the gateway did not take it
    LinkFailed,   // a link exception, reported by ShowLinkError
};

struct TransferOutcome {
    TransferResult result;
    int8_t linkCode = -1; // the exception's code when result is LinkFailed
};

TransferOutcome ReadFromGateway(const TTransferHost& host);
TransferOutcome WriteToGateway(const TTransferHost& host);

} // namespace kw
