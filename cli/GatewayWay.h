// How read, write and upgrade reach the gateway: a serial cable (--port), a
// data call through a Hayes modem (--modem-device or --modem-line), or a
// wake-up SMS through a local GSM modem and the gateway's call back (--ip).
// One rule for all three commands: exactly one way, and no option of another.
#pragma once

#include <functional>
#include <set>
#include <string>

namespace kw::cli {

class CliArgs;
class LinkSession;

enum class TWay { Cable, Wakeup, ModemCall };

// The command's own options with those of every way added, for its CliArgs;
// "--trace FILE" goes with every way.
std::set<std::string> WithWayOptions(std::set<std::string> commandOptions);
std::set<std::string> WithWayFlags(std::set<std::string> commandFlags);
// The ways as a usage reads them: "(--port DEV | --ip ...)".
std::string WayUsage();

// The way the arguments choose. A UsageError unless exactly one way is chosen
// and every option given belongs to it.
TWay ChooseWay(const CliArgs& args);

// Reaches the gateway the chosen way (a UsageError for a value the way cannot
// use, before anything is touched), runs `work` on the link with the name a
// report gives the gateway (the port, or the gateway's serial number), and
// hangs up afterwards. Ending the exchange of a cable is the work's own. With
// --trace, the link's trace goes to that file.
void WithGateway(const CliArgs& args, double attachTimeoutSeconds, bool yes,
                 const std::function<void(LinkSession& session, const std::string& where)>& work);

} // namespace kw::cli
