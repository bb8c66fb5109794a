#include "GatewayWay.h"

#include "CliArgs.h"
#include "LinkSession.h"
#include "ModemLink.h"
#include "WakeupLink.h"

#include <vector>

namespace kw::cli {
namespace {

struct TWayRule {
    TWay way;
    const char* selector; // the option that chooses the way
    const char* usage;
    std::vector<const char*> valueOptions;
    std::vector<const char*> flags;
};

// An option may belong to several ways; it is refused only with a way it does
// not belong to. Built on first use: the commands' usage texts read it while
// the program starts.
const std::vector<TWayRule>& Ways() {
    static const std::vector<TWayRule> ways = {
        {TWay::Cable, "--port", "--port DEV", {"--port"}, {}},
        {TWay::ModemCall,
         "--modem-device",
         "--modem-device DEV --number NUM [--modem-init TEXT]",
         {"--modem-device", "--number", "--modem-init"},
         {}},
        {TWay::ModemCall,
         "--modem-line",
         "--modem-line NAME --number NUM",
         {"--modem-line", "--number"},
         {}},
        {TWay::Wakeup,
         "--ip",
         "--ip --modem-port DEV --number NUM --serial NN-NNNN-NNNN [--gateway-password P]"
         " [--address ADDR] [--tcp-port PORT] [--apn APN] [--user U] [--inet-password W]"
         " [--connect-timeout SEC]",
         {"--modem-port", "--number", "--serial", "--gateway-password", "--address", "--tcp-port",
          "--apn", "--user", "--inet-password", "--connect-timeout"},
         {"--ip"}},
    };
    return ways;
}

bool Given(const CliArgs& args, const std::string& option, bool flag) {
    return flag ? args.Flag(option) : args.Value(option).has_value();
}

bool IsFlag(const TWayRule& rule, const std::string& option) {
    for (const char* own : rule.flags)
        if (option == own)
            return true;
    return false;
}

bool BelongsTo(const TWayRule& rule, const std::string& option) {
    for (const char* own : rule.valueOptions)
        if (option == own)
            return true;
    return IsFlag(rule, option);
}

} // namespace

std::set<std::string> WithWayOptions(std::set<std::string> commandOptions) {
    commandOptions.insert("--trace");
    for (const TWayRule& rule : Ways())
        commandOptions.insert(rule.valueOptions.begin(), rule.valueOptions.end());
    return commandOptions;
}

std::set<std::string> WithWayFlags(std::set<std::string> commandFlags) {
    for (const TWayRule& rule : Ways())
        commandFlags.insert(rule.flags.begin(), rule.flags.end());
    return commandFlags;
}

std::string WayUsage() {
    std::string usage;
    for (const TWayRule& rule : Ways())
        usage += (usage.empty() ? "(" : " | ") + std::string(rule.usage);
    return usage + ")";
}

TWay ChooseWay(const CliArgs& args) {
    const TWayRule* chosen = nullptr;
    std::string selectors;
    for (const TWayRule& rule : Ways()) {
        const std::string selector = rule.selector;
        selectors += (selectors.empty() ? "" : ", ") + selector;
        if (!Given(args, selector, IsFlag(rule, selector)))
            continue;
        if (chosen != nullptr)
            throw UsageError(std::string(chosen->selector) + " and " + selector +
                             " exclude each other");
        chosen = &rule;
    }
    if (chosen == nullptr)
        throw UsageError("give one way to the gateway: " + selectors);
    for (const TWayRule& rule : Ways()) {
        for (const auto* list : {&rule.valueOptions, &rule.flags})
            for (const char* option : *list)
                if (Given(args, option, list == &rule.flags) && !BelongsTo(*chosen, option))
                    throw UsageError(std::string(option) + " does not go with " + chosen->selector);
    }
    return chosen->way;
}

void WithGateway(const CliArgs& args, double attachTimeoutSeconds, bool yes,
                 const std::function<void(LinkSession& session, const std::string& where)>& work) {
    const std::string trace = args.Value("--trace").value_or("");
    switch (ChooseWay(args)) {
    case TWay::Cable: {
        const std::string port = args.Required("--port");
        LinkSession session(port, attachTimeoutSeconds, yes, trace);
        work(session, port);
        return;
    }
    case TWay::Wakeup: {
        LinkSession session({}, attachTimeoutSeconds, yes, trace);
        WakeupLink link(session, WakeupOptions(args, session.User()));
        link.Connect();
        work(session, link.Where());
        return; // the link hangs up as it goes
    }
    case TWay::ModemCall: {
        const TModemCall call = ModemCallOptions(args);
        LinkSession session({}, attachTimeoutSeconds, yes, trace);
        ModemLink link(session, call);
        link.Connect();
        work(session, link.Where());
        link.ThrowIfInterrupted();
        return; // the link hangs up as it goes
    }
    }
}

} // namespace kw::cli
