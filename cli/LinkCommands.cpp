// read and write: the configuration between a gateway on a cable and a file,
// by the same procedures as the main window's Read and Write commands.
#include "CliArgs.h"
#include "CliCommands.h"
#include "ConfigFiles.h"
#include "ConfigTransfer.h"
#include "GatewayProtocol.h"
#include "LinkSession.h"
#include "ParameterCatalogue.h"
#include "Parameters.h"

namespace kw::cli {
namespace {

// Sets a security code from its option; the gateway then gets it instead of
// keeping its own.
void SetCode(CParameters& parameters, const CliArgs& args, const char* option, const char* name,
             bool& changed) {
    const auto value = args.Value(option);
    if (!value)
        return;
    parameters.SetValue(name, 0, *value);
    if (parameters.GetValue(name, 0) != *value)
        throw UsageError(std::string(option) + " must be 4 to 8 digits");
    changed = true;
}

} // namespace

void RunRead(const Args& argv) {
    const CliArgs args(argv, {"--port", "-o", "--attach-timeout"}, {});
    if (!args.Positional().empty())
        throw UsageError("unexpected argument " + args.Positional().front());
    const std::string port = args.Required("--port");
    const std::string out = args.Required("-o");
    LinkSession session(port, AttachTimeoutOption(args), false);
    CParameters parameters;
    RegisterCatalogue(parameters);
    std::string hardwareText;
    bool pinChanged = false;
    bool passwordChanged = false;
    TTransferHost host{session.Link(),
                       parameters,
                       session.User(),
                       hardwareText,
                       pinChanged,
                       passwordChanged,
                       {},
                       {}};
    const TransferOutcome outcome = ReadFromGateway(host);
    ReleaseGateway(session.Link()); // a read leaves the exchange open
    if (outcome.result != TransferResult::Done)
        throw CommandFailure(port + ": " + session.Reason(outcome));
    Save(parameters, out);
}

void RunWrite(const Args& argv) {
    const CliArgs args(argv, {"--port", "--pin", "--password", "--attach-timeout"}, {"--yes"});
    const std::string in = args.OnlyPositional("input .sgd file");
    const std::string port = args.Required("--port");
    const double attachTimeout = AttachTimeoutOption(args);
    CParameters parameters;
    RegisterCatalogue(parameters);
    LoadConfiguration(parameters, in);
    bool pinChanged = false;
    bool passwordChanged = false;
    SetCode(parameters, args, "--pin", "PINVal", pinChanged);
    SetCode(parameters, args, "--password", "ServisPassw", passwordChanged);
    std::string hardwareText = parameters.GetValue("HWVer", 0);
    LinkSession session(port, attachTimeout, args.Flag("--yes"));
    TTransferHost host{session.Link(),
                       parameters,
                       session.User(),
                       hardwareText,
                       pinChanged,
                       passwordChanged,
                       {},
                       {}};
    const TransferOutcome outcome = WriteToGateway(host);
    ReleaseGateway(session.Link()); // after a failure the exchange may still be open
    if (outcome.result != TransferResult::Done)
        throw CommandFailure(port + ": " + session.Reason(outcome));
}

} // namespace kw::cli
