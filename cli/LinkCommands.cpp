// read and write: the configuration between a gateway (on a cable, or woken
// to call back over TCP/IP) and a file, by the same procedures as the main
// window's Read and Write commands.
#include "CliArgs.h"
#include "CliCommands.h"
#include "ConfigFiles.h"
#include "ConfigTransfer.h"
#include "GatewayProtocol.h"
#include "GatewayWay.h"
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

// Runs a transfer with the main window's state as the command has it, ends the
// exchange in any case (a read leaves it open, a failed write may) and reports
// a failure naming the gateway (`where`) and why.
void Transfer(LinkSession& session, const std::string& where,
              TransferOutcome (*procedure)(const TTransferHost&), CParameters& parameters,
              std::string hardwareText, bool pinChanged, bool passwordChanged) {
    const TTransferHost host{session.Link(),
                             parameters,
                             session.User(),
                             hardwareText,
                             pinChanged,
                             passwordChanged,
                             {},
                             {}};
    const TransferOutcome outcome = procedure(host);
    ReleaseGateway(session.Link());
    if (outcome.result != TransferResult::Done)
        throw CommandFailure(where + ": " + session.Reason(outcome));
}

} // namespace

void RunRead(const Args& argv) {
    const CliArgs args(argv, WithWayOptions({"-o", "--attach-timeout"}), WithWayFlags({}));
    args.NoPositional();
    ChooseWay(args);
    const std::string out = args.Required("-o");
    CParameters parameters;
    RegisterCatalogue(parameters);
    WithGateway(args, AttachTimeoutOption(args), false,
                [&](LinkSession& session, const std::string& where) {
                    Transfer(session, where, &ReadFromGateway, parameters, {}, false, false);
                });
    Save(parameters, out);
}

void RunWrite(const Args& argv) {
    const CliArgs args(argv, WithWayOptions({"--pin", "--password", "--attach-timeout"}),
                       WithWayFlags({"--yes"}));
    const std::string in = args.OnlyPositional("input .sgd file");
    ChooseWay(args);
    const double attachTimeout = AttachTimeoutOption(args);
    CParameters parameters;
    RegisterCatalogue(parameters);
    LoadConfiguration(parameters, in);
    bool pinChanged = false;
    bool passwordChanged = false;
    SetCode(parameters, args, "--pin", "PINVal", pinChanged);
    SetCode(parameters, args, "--password", "ServisPassw", passwordChanged);
    WithGateway(args, attachTimeout, args.Flag("--yes"),
                [&](LinkSession& session, const std::string& where) {
                    Transfer(session, where, &WriteToGateway, parameters,
                             parameters.GetValue("HWVer", 0), pinChanged, passwordChanged);
                });
}

} // namespace kw::cli
