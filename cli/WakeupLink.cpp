#include "WakeupLink.h"

#include "COMTermExp.h"
#include "CliArgs.h"
#include "FormatText.h"
#include "IpInput.h"
#include "LinkSession.h"
#include "LinkTime.h"
#include "OwnAddress.h"
#include "UserPort.h"
#include "WakeupMessage.h"
#include "Win1252.h"
#include "Words.h"

#include <QTimer>

#include <cstdio>
#include <unistd.h>

namespace kw::cli {
namespace {

constexpr int32_t kDefaultTcpPort = 7200;
constexpr double kDefaultConnectSeconds = 120;

// "a.b.c.d", each part 0 to 255 in decimal.
bool IsDottedIpv4(const std::string& text) {
    int parts = 0;
    size_t at = 0;
    while (true) {
        size_t digits = 0;
        int value = 0;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9' && digits < 4) {
            value = value * 10 + (text[at] - '0');
            ++at;
            ++digits;
        }
        if (digits == 0 || digits > 3 || value > 255)
            return false;
        if (++parts == 4)
            return at == text.size();
        if (at >= text.size() || text[at] != '.')
            return false;
        ++at;
    }
}

// A text option as the SMS carries it: Windows-1252 bytes of the UTF-8 given.
std::string FieldOption(const CliArgs& args, const char* option, TWakeupField field, int maxLength,
                        CUserPort& user) {
    const std::string given = args.Value(option).value_or("");
    const QString text = QString::fromUtf8(given.data(), qsizetype(given.size()));
    if (RefuseCharacterOutsideWin1252(field, text, user))
        throw UsageError(std::string(option) + " cannot be sent as given");
    if (maxLength > 0 && text.size() > maxLength)
        throw UsageError(std::string(option) + " takes at most " + std::to_string(maxLength) +
                         " characters");
    return QStringToBytes(text);
}

} // namespace

TWakeupOptions WakeupOptions(const CliArgs& args, CUserPort& user) {
    TWakeupOptions options;
    TIpSettings& s = options.settings;
    s.IpCom = args.Required("--modem-port");
    const std::string number = args.Required("--number");
    s.LastIpNum = QStringToBytes(QString::fromUtf8(number.data(), qsizetype(number.size())));
    s.LastIpSerial = args.Required("--serial");
    if (!IsSerialNumberText(s.LastIpSerial))
        throw UsageError("--serial takes the gateway's serial number as NN-NNNN-NNNN");
    s.LastIpPassw =
        FieldOption(args, "--gateway-password", TWakeupField::Password, kMaxIpPasswordLength, user);
    s.LastAPN = FieldOption(args, "--apn", TWakeupField::Apn, kMaxApnLength, user);
    s.LastInetUser = FieldOption(args, "--user", TWakeupField::InetUser, kMaxInetUserLength, user);
    s.LastInetPassw = FieldOption(args, "--inet-password", TWakeupField::InetPassword,
                                  kMaxInetPasswordLength, user);

    s.IpPort = kDefaultTcpPort;
    if (const auto port = args.Value("--tcp-port")) {
        char* end = nullptr;
        const long value = std::strtol(port->c_str(), &end, 10);
        if (port->empty() || *end != 0 || value < 0 || value > 65535)
            throw UsageError("--tcp-port takes a port from 1 to 65535 (0: one the system picks)");
        s.IpPort = int32_t(value);
    }
    if (const auto address = args.Value("--address")) {
        if (!IsDottedIpv4(*address))
            throw UsageError("--address takes an IPv4 address such as 192.168.1.20");
        s.IpAddress = *address;
    } else {
        s.IpAddress = OwnIpv4Address();
    }
    options.connectSeconds = SecondsOption(args, "--connect-timeout", kDefaultConnectSeconds);
    if (s.IpAddress.empty())
        throw CommandFailure("this computer has no IPv4 address a gateway could call back; give "
                             "--address");
    // The SMS names the port the server gets, unknown yet for port 0: the
    // longest a port can be stands in for it in the length check.
    TIpSettings checked = s;
    if (checked.IpPort == 0)
        checked.IpPort = 65535;
    if (RefuseIpInput(checked, user))
        throw UsageError("the wake-up SMS cannot carry these values");
    return options;
}

WakeupLink::WakeupLink(LinkSession& session, TWakeupOptions options)
    : m_Session(session), m_Options(std::move(options)),
      m_Server(session.Link().Terminal(), session.User(), *this, m_Options.settings),
      m_ShowsLines(::isatty(STDERR_FILENO) != 0) {
    session.Link().SetConType(CGatewayLink::TcpIp);
}

WakeupLink::~WakeupLink() {
    if (LinkExists())
        m_Server.Disconnect();
}

std::string WakeupLink::Where() const {
    return "gateway " + m_Options.settings.LastIpSerial;
}

void WakeupLink::Fail(const std::string& reason) const {
    throw CommandFailure(Where() + ": " + reason);
}

void WakeupLink::Connect() {
    const CIpServer::TConnectOutcome outcome = m_Server.Connect();
    if (!outcome.listening)
        Fail("cannot listen on TCP port " + std::to_string(m_Options.settings.IpPort));
    using Result = TWakeupOutcome::Result;
    const std::string& modem = m_Options.settings.IpCom;
    switch (outcome.wakeup.result) {
    case Result::SmsAccepted:
    case Result::Cancelled: // the gateway called while the modem was still at it
        break;
    case Result::Busy:
    case Result::InputRefused:
        Fail("the wake-up SMS was not sent");
    case Result::ModemRefused:
        Fail(m_Session.User().Word(word::kModemRefused));
    case Result::LinkFailed:
        if (outcome.wakeup.linkCode == CCOMTermExp::PortUnavailable)
            Fail("cannot open the GSM modem's port " + modem);
        Fail("the GSM modem on " + modem + " is not answering");
    }
    WaitForCallBack();
}

void WakeupLink::WaitForCallBack() {
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.start(int(m_Options.connectSeconds * 1000));
    while (deadline.isActive() && !LinkExists() && m_WrongIdentity.empty())
        HandleOneMessage();
    if (LinkExists())
        return;
    m_Server.CancelDialling();
    if (!m_WrongIdentity.empty())
        Fail(m_WrongIdentity);
    std::string reason = "no call-back within " + SecondsText(m_Options.connectSeconds) + " s";
    if (!m_Dropped.empty())
        reason += " (" + m_Dropped + ")";
    Fail(reason);
}

void WakeupLink::ShowDialling() {
    m_Dialling = true;
}

void WakeupLink::AddDiallingLine(int word, const std::vector<std::string>& args) {
    const std::string line = FormatText(m_Session.User().Word(word), args);
    if (word == word::kWrongGateway)
        m_WrongIdentity = line;
    if (word == word::kConnectionDropped)
        m_Dropped = line;
    if (m_ShowsLines)
        std::fprintf(stderr, "kolbrawin-cli: %s\n", line.c_str());
}

bool WakeupLink::LinkExists() const {
    return m_Session.Link().Connected();
}

QTcpSocket* WakeupLink::LinkedConnection() const {
    return m_Session.Link().LinkedConnection();
}

void WakeupLink::LinkUp(QTcpSocket* connection, int32_t replyTimeOutMs) {
    CGatewayLink& link = m_Session.Link();
    link.SetLinkedConnection(connection);
    link.SetTcpTimeOut(replyTimeOutMs);
    link.SetConnectionState(true, false);
}

void WakeupLink::LinkDown() {
    m_Session.Link().SetLinkedConnection(nullptr);
    m_Session.Link().SetConnectionState(false, false);
}

void WakeupLink::LinkReceive(const uint8_t* bytes, int32_t n) {
    m_Session.Link().LinkReceive(bytes, n);
}

void WakeupLink::LinkIdle(int32_t ms) {
    m_Session.Link().LinkIdle(ms, [this] { return m_Dialling; });
}

} // namespace kw::cli
