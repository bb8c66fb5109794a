// The simulated local GSM modem that carries the wake-up SMS, and the gateway
// connecting back over TCP once it has read that SMS.
#include "SimProcess.h"
#include "SmsSubmitDecoder.h"
#include "WakeupModem.h"
#include "WakeupText.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <cstdio>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

namespace kw::test {
namespace {

// A minimal SMS-SUBMIT in the form the tool sends: service centre from the
// modem ("00"), relative validity, 7-bit text of ASCII letters, digits and
// punctuation that the default alphabet shares with ASCII.
std::string SubmitPdu(const std::string& number, const std::string& text, int& tpduOctets) {
    char hex[4];
    std::string tpdu = "1100";
    std::snprintf(hex, sizeof hex, "%02X", int(number.size()));
    tpdu += hex;
    tpdu += "91";
    std::string digits = number + (number.size() % 2 ? "F" : "");
    for (size_t i = 0; i < digits.size(); i += 2)
        tpdu += std::string{digits[i + 1], digits[i]};
    tpdu += "0000AA";
    std::snprintf(hex, sizeof hex, "%02X", int(text.size()));
    tpdu += hex;
    std::vector<uint8_t> packed((text.size() * 7 + 7) / 8, 0);
    for (size_t i = 0; i < text.size(); ++i) {
        const size_t bit = i * 7;
        const int septet = text[i] & 0x7F;
        packed[bit / 8] |= uint8_t(septet << (bit % 8));
        if (bit % 8 > 1)
            packed[bit / 8 + 1] |= uint8_t(septet >> (8 - bit % 8));
    }
    for (uint8_t octet : packed) {
        std::snprintf(hex, sizeof hex, "%02X", octet);
        tpdu += hex;
    }
    tpduOctets = int(tpdu.size() / 2);
    return "00" + tpdu;
}

TEST(SimWakeup, DecodesASubmitPdu) {
    sim::SmsSubmit sms;
    // A well-known example: "hellohello" to +46708251358.
    EXPECT_EQ(sim::DecodeSmsSubmit("0011000B916407281553F80000AA0AE8329BFD4697D9EC37", 23, sms),
              "");
    EXPECT_EQ(sms.destination, "+46708251358");
    EXPECT_EQ(sms.text, "hellohello");

    int octets = 0;
    const std::string text = "10-2024-0001;pw;CONNECT;127.0.0.1;7200;apn.example;u_1;p@2;";
    const std::string pdu = SubmitPdu("420777123456", text, octets);
    ASSERT_EQ(sim::DecodeSmsSubmit(pdu, octets, sms), "");
    EXPECT_EQ(sms.destination, "+420777123456");
    // "_" and "@" are not where ASCII has them: the packer above sends ASCII codes.
    EXPECT_EQ(sms.text.substr(0, 52), text.substr(0, 52));

    EXPECT_NE(sim::DecodeSmsSubmit(pdu, octets + 1, sms), "");
    EXPECT_NE(sim::DecodeSmsSubmit(pdu.substr(0, pdu.size() - 4), octets - 2, sms), "");
    EXPECT_NE(sim::DecodeSmsSubmit("zz", 0, sms), "");
    EXPECT_NE(sim::DecodeSmsSubmit("", 0, sms), "");
    EXPECT_NE(sim::DecodeSmsSubmit("0011000B91640728", 7, sms), "");
}

TEST(SimWakeup, ParsesTheWakeupText) {
    sim::WakeupRequest request;
    EXPECT_EQ(sim::ParseWakeupText("12-3456-7890;secret;CONNECT;10.1.2.3;7200;apn;u;p;", request),
              "");
    EXPECT_EQ(request.serial, "12-3456-7890");
    EXPECT_EQ(request.password, "secret");
    EXPECT_EQ(request.address, "10.1.2.3");
    EXPECT_EQ(request.port, 7200);
    EXPECT_EQ(request.apn, "apn");
    EXPECT_EQ(request.userPassword, "p");
    // All texts empty: two semicolons, CONNECT, two more, the port and four more.
    EXPECT_EQ(sim::ParseWakeupText(";;CONNECT;;7200;;;;", request), "");
    EXPECT_EQ(request.port, 7200);
    for (const char* bad : {";;CONNECT;;7200;;;", ";;CONNECT;;7200;;;;x", ";;HELLO;;7200;;;;",
                            ";;CONNECT;;0;;;;", ";;CONNECT;;70000;;;;", ";;CONNECT;;port;;;;"})
        EXPECT_NE(sim::ParseWakeupText(bad, request), "") << bad;
}

TEST(SimWakeup, ModemTakesTheWakeupRoutine) {
    sim::WakeupModem modem;
    std::vector<sim::SmsSubmit> sent;
    modem.SetListener({{}, [&sent](const sim::SmsSubmit& sms) { sent.push_back(sms); }});
    auto send = [&modem](const std::string& bytes) {
        std::string reply;
        modem.Receive(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), reply);
        return reply;
    };
    EXPECT_EQ(send("AT\r"), "AT\r\r\nOK\r\n");
    EXPECT_EQ(send("AT+CMEE=0\r"), "AT+CMEE=0\r\r\nOK\r\n");
    EXPECT_EQ(send("AT+CMGF=0\r"), "AT+CMGF=0\r\r\nOK\r\n");
    EXPECT_EQ(send("AT+CMGF=1\r"), "AT+CMGF=1\r\r\nERROR\r\n");
    int octets = 0;
    const std::string pdu = SubmitPdu("420777123456", ";;CONNECT;;7200;;;;", octets);
    EXPECT_EQ(send("AT+CMGS=" + std::to_string(octets) + "\r"),
              "AT+CMGS=" + std::to_string(octets) + "\r\r\n> ");
    EXPECT_EQ(send(pdu), pdu); // echoed as typed
    EXPECT_EQ(send("\x1A"), "\r\n+CMGS: 1\r\n\r\nOK\r\n");
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].text, ";;CONNECT;;7200;;;;");

    EXPECT_EQ(send("AT+CMGS=5\r").substr(10), "\r\n> ");
    EXPECT_EQ(send("0011\x1A"), "0011\r\n+CMS ERROR: 304\r\n");
    EXPECT_EQ(send("AT+CMGS=x\r").substr(10), "\r\nERROR\r\n");
    EXPECT_EQ(sent.size(), 1u);
}

// The real program: the wake-up SMS through its modem pseudo-terminal makes
// it connect to a TCP server of the test's own on 127.0.0.1.
TEST(SimWakeup, ConnectsBackAfterTheWakeupSms) {
    const int server = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    ASSERT_GE(server, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(server, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(server, 2), 0);
    socklen_t length = sizeof address;
    ::getsockname(server, reinterpret_cast<sockaddr*>(&address), &length);
    const int port = ntohs(address.sin_port);

    SimProcess sim;
    ASSERT_TRUE(sim.Start({"--wakeup-modem", sim.Path("modem"), "--connect-host", "127.0.0.1",
                           "--serial", "12-3456-7890", "--ip-password", "pw"}));
    const int modem = ::open(sim.Path("modem").c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(modem, 0);
    termios settings{};
    ::tcgetattr(modem, &settings);
    ::cfmakeraw(&settings);
    ::tcsetattr(modem, TCSANOW, &settings);
    auto exchange = [modem](const std::string& bytes, const std::string& until) {
        EXPECT_EQ(::write(modem, bytes.data(), bytes.size()), ssize_t(bytes.size()));
        std::string got;
        while (got.find(until) == std::string::npos) {
            pollfd fd{modem, POLLIN, 0};
            if (::poll(&fd, 1, 3000) <= 0)
                break;
            char buffer[512];
            const ssize_t n = ::read(modem, buffer, sizeof buffer);
            if (n <= 0)
                break;
            got.append(buffer, size_t(n));
        }
        return got;
    };
    // A wrong password is ignored, the right one makes the gateway call.
    int octets = 0;
    for (const char* password : {"no", "pw"}) {
        const std::string text = std::string("12-3456-7890;") + password + ";CONNECT;192.0.2.1;" +
                                 std::to_string(port) + ";apn;;;";
        const std::string pdu = SubmitPdu("420777123456", text, octets);
        EXPECT_NE(exchange("AT+CMGS=" + std::to_string(octets) + "\r", "> ").find("> "),
                  std::string::npos);
        EXPECT_NE(exchange(pdu + "\x1A", "OK\r\n").find("OK\r\n"), std::string::npos);
    }
    ::close(modem);

    pollfd waiting{server, POLLIN, 0};
    ASSERT_EQ(::poll(&waiting, 1, 5000), 1);
    const int client = ::accept4(server, nullptr, nullptr, SOCK_CLOEXEC);
    ASSERT_GE(client, 0);
    auto ask = [client](const std::string& bytes, size_t count) {
        EXPECT_EQ(::send(client, bytes.data(), bytes.size(), 0), ssize_t(bytes.size()));
        std::string got;
        while (got.size() < count) {
            pollfd fd{client, POLLIN, 0};
            if (::poll(&fd, 1, 3000) <= 0)
                break;
            char buffer[512];
            const ssize_t n = ::recv(client, buffer, sizeof buffer, 0);
            if (n <= 0)
                break;
            got.append(buffer, size_t(n));
        }
        return got;
    };
    // The tool's handshake: probe, acknowledgement, identity.
    EXPECT_EQ(ask("U", 1), "X");
    EXPECT_EQ(ask("X", 1), "X");
    EXPECT_EQ(ask("D", 14), std::string("D12-3456-7890\0", 14));
    EXPECT_EQ(ask("e", 2049).size(), 2049u);
    ::close(client);
    ::close(server);
    EXPECT_TRUE(sim.WaitForLogLine("connect-back hung up by the other side"));
    const std::vector<std::string> log = sim.LogLines();
    EXPECT_NE(std::find(log.begin(), log.end(), "wake-up ignored: wrong password"), log.end());
    EXPECT_NE(
        std::find(log.begin(), log.end(), "connect-back to 127.0.0.1:" + std::to_string(port)),
        log.end());
}

} // namespace
} // namespace kw::test
