#include "SimOptions.h"

#include <charconv>

namespace kw::sim {

const char* const kSimUsage =
    "usage: kolbrawin-gwsim --link PATH [--hw LETTER] [--fw-version TEXT] [--serial TEXT]\n"
    "                       [--operlock TEXT] [--memory FILE] [--flash FILE] [--baud N]\n"
    "                       [--fault FAULT]... [--gsm OPTION]... [--log FILE]\n"
    "                       [--wakeup-modem PATH [--connect-host HOST] [--ip-password TEXT]\n"
    "                        [--cms-error CODE] [--sms-delay MS] [--callback-greeting ANSWERS]\n"
    "                        [--callback-identity TEXT] [--callback-drop-after N]]\n"
    "                       [--hayes-modem PATH [--hayes-result RESULT]\n"
    "                        [--hayes-number NUMBER:RESULT]... [--hayes-dial-ms MS]]\n"
    "       kolbrawin-gwsim --write-firmware FILE [--fw-version TEXT]\n"
    "       kolbrawin-gwsim --help | --version\n"
    "\n"
    "A simulated gateway on a pseudo-terminal. PATH becomes a symlink to its slave\n"
    "side; open it like a serial port. SIGTERM or SIGINT ends the program and\n"
    "removes the symlink.\n"
    "\n"
    "  --hw LETTER        hardware letter reported by \"B\" (default A); it also picks\n"
    "                     the firmware dialect and the flash layout\n"
    "  --fw-version TEXT  firmware version in the flash, reported by \"C\" (default 1.07,\n"
    "                     at most 11 characters); BOOT fails the tool's check\n"
    "  --serial TEXT      serial number reported by \"D\" (default 10-2024-0001)\n"
    "  --operlock TEXT    operator lock reported by \"F\" (default empty)\n"
    "  --memory FILE      12288-byte configuration memory; loaded at start (a missing\n"
    "                     file means the default configuration) and saved after every\n"
    "                     accepted write\n"
    "  --flash FILE       firmware flash (the letter's slice); loaded at start when it\n"
    "                     exists, saved after an upgrade, at the end of an exchange\n"
    "                     and at exit\n"
    "  --baud N           pace bytes both ways at N baud, 10 bits a byte\n"
    "  --gsm OPTION       how the GSM module answers the monitor (see below)\n"
    "  --log FILE         one line per handled command (default: stderr)\n"
    "  --wakeup-modem PATH\n"
    "                     a second pseudo-terminal: the local GSM modem that sends the\n"
    "                     wake-up SMS; an SMS \"serial;password;CONNECT;address;port;...\"\n"
    "                     naming this gateway's serial number makes it connect back over\n"
    "                     TCP and answer the command set there\n"
    "  --connect-host HOST  connect back to HOST instead of the SMS's address\n"
    "  --ip-password TEXT the password the SMS must carry (default: any)\n"
    "  --cms-error CODE   the modem refuses every SMS: \"+CMS ERROR: CODE\"\n"
    "  --sms-delay MS     the modem takes MS milliseconds to send an SMS (its answer\n"
    "                     and the connect-back come that much later)\n"
    "  --callback-greeting ANSWERS\n"
    "                     what the connect-back answers the tool's probe \"U\" and its\n"
    "                     acknowledgement \"X\" with (two characters, default XX), or\n"
    "                     silent: it says nothing at all once connected\n"
    "  --callback-identity TEXT\n"
    "                     the serial number the connect-back answers \"D\" with during\n"
    "                     its greeting (default: --serial)\n"
    "  --callback-drop-after N\n"
    "                     the connect-back hangs up once it has sent N bytes\n"
    "  --hayes-modem PATH a Hayes data modem on its own pseudo-terminal: AT commands,\n"
    "                     ATD dials, a connected call reaches this gateway; \"+++\"\n"
    "                     with the guard time (S12) and ATH hang up, and so does\n"
    "                     closing the port\n"
    "  --hayes-result RESULT\n"
    "                     what a dial ends in: connect (default), busy, no-answer,\n"
    "                     no-dialtone or no-carrier; silent: the modem answers nothing\n"
    "  --hayes-number NUMBER:RESULT\n"
    "                     the result for one number, whatever --hayes-result says\n"
    "  --hayes-dial-ms MS the time from ATD to its result (default 300)\n"
    "  --write-firmware FILE\n"
    "                     writes a firmware file with made-up content for every\n"
    "                     hardware letter, each slice's version --fw-version, and exits\n"
    "\n";

namespace {

// The wake-up modem's and the connect-back's misbehaviour.
bool IsConnectBackOption(const std::string& name) {
    return name == "--cms-error" || name == "--sms-delay" || name == "--callback-greeting" ||
           name == "--callback-identity" || name == "--callback-drop-after";
}

bool ParseCount(const std::string& value, long long max, long long& count) {
    const char* end = value.data() + value.size();
    const auto result = std::from_chars(value.data(), end, count);
    return result.ec == std::errc() && result.ptr == end && count >= 0 && count <= max;
}

std::string ApplyConnectBack(const std::string& name, const std::string& value,
                             SimOptions& options) {
    long long count = 0;
    if (name == "--cms-error") {
        if (!ParseCount(value, 999, count))
            return "--cms-error takes a code from 0 to 999";
        options.cmsError = int(count);
    } else if (name == "--sms-delay") {
        if (!ParseCount(value, 600000, count))
            return "--sms-delay takes milliseconds from 0 to 600000";
        options.smsDelayMs = int(count);
    } else if (name == "--callback-greeting") {
        if (value == "silent")
            options.callback.silent = true;
        else if (value.size() == 2)
            options.callback.answers = value;
        else
            return "--callback-greeting takes two characters or silent";
    } else if (name == "--callback-identity") {
        if (value.size() > 98)
            return "--callback-identity takes at most 98 characters";
        options.callback.identity = value;
    } else if (name == "--callback-drop-after") {
        if (!ParseCount(value, 1LL << 40, count))
            return "--callback-drop-after takes a byte count";
        options.callbackDropAfter = count;
    }
    return std::string();
}

bool IsHayesOption(const std::string& name) {
    return name == "--hayes-modem" || name == "--hayes-result" || name == "--hayes-number" ||
           name == "--hayes-dial-ms";
}

std::string ApplyHayes(const std::string& name, const std::string& value, SimOptions& options) {
    HayesOptions& hayes = options.hayes;
    if (name == "--hayes-modem") {
        options.hayesModem = value;
    } else if (name == "--hayes-result") {
        if (value == "silent")
            hayes.silent = true;
        else if (!ParseDialResult(value, hayes.result))
            return "--hayes-result takes connect, busy, no-answer, no-dialtone, no-carrier or "
                   "silent";
    } else if (name == "--hayes-number") {
        return ParseNumberResult(value, hayes);
    } else if (name == "--hayes-dial-ms") {
        long long ms = 0;
        if (!ParseCount(value, 600000, ms))
            return "--hayes-dial-ms takes milliseconds from 0 to 600000";
        hayes.dialMs = int(ms);
    }
    return std::string();
}

bool TakesValue(const std::string& name) {
    return name == "--link" || name == "--hw" || name == "--fw-version" || name == "--serial" ||
           name == "--operlock" || name == "--memory" || name == "--flash" || name == "--baud" ||
           name == "--fault" || name == "--log" || name == "--wakeup-modem" ||
           name == "--connect-host" || name == "--ip-password" || name == "--write-firmware" ||
           IsConnectBackOption(name) || IsHayesOption(name) || name == "--gsm";
}

std::string Apply(const std::string& name, const std::string& value, SimOptions& options) {
    if (name == "--link")
        options.link = value;
    else if (name == "--hw") {
        if (value.size() != 1)
            return "--hw takes one letter";
        options.identity.hwLetter = value[0];
    } else if (name == "--fw-version") {
        if (value.size() > 11)
            return "--fw-version takes at most 11 characters";
        options.identity.fwVersion = value;
    } else if (name == "--serial" || name == "--operlock") {
        if (value.size() > 98)
            return name + " takes at most 98 characters";
        (name == "--serial" ? options.identity.serial : options.identity.operLock) = value;
    } else if (name == "--memory")
        options.memoryFile = value;
    else if (name == "--flash")
        options.flashFile = value;
    else if (name == "--log")
        options.logFile = value;
    else if (name == "--wakeup-modem")
        options.wakeupModem = value;
    else if (name == "--connect-host")
        options.connectHost = value;
    else if (name == "--ip-password")
        options.ipPassword = value;
    else if (name == "--write-firmware")
        options.writeFirmware = value;
    else if (name == "--baud") {
        const char* end = value.data() + value.size();
        const auto result = std::from_chars(value.data(), end, options.baud);
        if (result.ec != std::errc() || result.ptr != end || options.baud < 50 ||
            options.baud > 4000000)
            return "--baud takes a rate from 50 to 4000000";
    } else if (name == "--fault")
        return ParseFault(value, options.faults);
    else if (IsConnectBackOption(name))
        return ApplyConnectBack(name, value, options);
    else if (IsHayesOption(name))
        return ApplyHayes(name, value, options);
    else if (name == "--gsm")
        return ParseGsmOption(value, options.gsm);
    return std::string();
}

} // namespace

std::string ParseSimOptions(const std::vector<std::string>& args, SimOptions& options) {
    for (size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::string value;
        bool haveValue = false;
        if (name == "--help" || name == "-h") {
            options.help = true;
            return std::string();
        }
        if (name == "--version") {
            options.version = true;
            return std::string();
        }
        const size_t equals = name.find('=');
        if (name.rfind("--", 0) == 0 && equals != std::string::npos) {
            value = name.substr(equals + 1);
            name = name.substr(0, equals);
            haveValue = true;
        }
        if (!TakesValue(name))
            return "unknown option " + name;
        if (!haveValue) {
            if (i + 1 >= args.size())
                return name + " needs a value";
            value = args[++i];
        }
        const std::string error = Apply(name, value, options);
        if (!error.empty())
            return error;
    }
    if (options.faults.hwLetter)
        options.identity.hwLetter = *options.faults.hwLetter;
    if (options.link.empty() && options.writeFirmware.empty())
        return "--link PATH is required";
    return std::string();
}

} // namespace kw::sim
