// The gateway's side of the greeting on a connection it opened back to the
// tool: it answers the probe "U", the acknowledgement "X" and the serial number
// command "D" as the options say, then the gateway's whole command set. Lets
// tests present a wrong identity, odd answers or silence.
#pragma once

#include "GatewayModel.h"
#include "LinePeer.h"

#include <functional>
#include <string>

namespace kw::sim {

class CallbackGreeting : public LinePeer {
public:
    struct Options {
        std::string answers = "XX"; // to the probe and to the acknowledgement
        std::string identity;       // the serial number "D" names; empty: the gateway's own
        bool silent = false;        // nothing is answered at all
    };

    // `log` takes one line of the command log.
    CallbackGreeting(GatewayModel& model, Options options,
                     std::function<void(const std::string&)> log)
        : m_Model(model), m_Options(std::move(options)), m_Log(std::move(log)) {}

    void Receive(const uint8_t* data, size_t size, std::string& reply) override;
    int QuietTimeoutMs() const override { return m_Options.silent ? -1 : m_Model.QuietTimeoutMs(); }
    void LineQuiet() override { m_Model.LineQuiet(); }
    int TakeReplyDelayMs() override { return m_Model.TakeReplyDelayMs(); }

private:
    enum class Stage { Probe, Acknowledgement, Identity, Done };

    GatewayModel& m_Model;
    Options m_Options;
    std::function<void(const std::string&)> m_Log;
    Stage m_Stage = Stage::Probe;
};

} // namespace kw::sim
