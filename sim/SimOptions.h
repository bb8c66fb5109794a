// The command line of kolbrawin-gwsim, parsed into what the program needs.
#pragma once

#include "CallbackGreeting.h"
#include "GatewayFaults.h"
#include "GatewayModel.h"
#include "GsmModule.h"
#include "HayesModem.h"

#include <string>
#include <vector>

namespace kw::sim {

struct SimOptions {
    std::string link; // symlink to the pseudo-terminal's slave
    GatewayIdentity identity;
    std::string memoryFile;    // configuration memory, loaded and saved
    std::string flashFile;     // firmware flash, loaded and saved
    std::string logFile;       // command log; empty: stderr
    std::string wakeupModem;   // symlink to the local GSM modem's pseudo-terminal
    std::string connectHost;   // connect back here instead of the wake-up SMS's address
    std::string ipPassword;    // password a wake-up SMS must carry; empty: any
    std::string writeFirmware; // write a made-up firmware file here and exit
    int baud = 0;              // 0: bytes are not paced

    // How the wake-up modem and the connect-back let the tool down.
    int cmsError = -1;                  // every SMS is refused with this +CMS ERROR code
    int smsDelayMs = 0;                 // sending an SMS takes this long
    CallbackGreeting::Options callback; // the connect-back's greeting
    long long callbackDropAfter = -1;   // the connect-back hangs up after sending N bytes

    std::string hayesModem; // symlink to the Hayes data modem's pseudo-terminal
    HayesOptions hayes;     // how its calls go

    GatewayFaults faults;
    GsmOptions gsm; // how the GSM module answers the monitor
    bool help = false;
    bool version = false;
};

// Parses the arguments after the program name; returns an empty text or what
// is wrong with them.
std::string ParseSimOptions(const std::vector<std::string>& args, SimOptions& options);

extern const char* const kSimUsage;

} // namespace kw::sim
