// The main window over a TCP/IP link to the real simulated gateway: Connect
// wakes it through the simulator's GSM modem and takes its call back; Read and
// Write then go over the connection (progress word 107, the long read-back
// time-out, no end-of-exchange "A"); Disconnect hangs up; a transfer without a
// link does nothing; a link that drops ends the command with code 6 at once.
#include "IpConnection.h"
#include "ConfigImage.h"
#include "EventLoopWait.h"
#include "GatewayLink.h"
#include "MainWindowFixture.h"
#include "ParameterCatalogue.h"
#include "SimProcess.h"

#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace {

using kw::test::Control;
using kw::test::RunEventsUntil;
using kw::test::SimProcess;
using Icon = CUserPort::Icon;

const std::string kSerial = "10-2024-0001";

bool LogHas(const SimProcess& sim, const std::string& line) {
    const std::vector<std::string> log = sim.LogLines();
    return std::find(log.begin(), log.end(), line) != log.end();
}

std::string MemoryValue(const std::string& memoryFile, const char* name) {
    const std::string bytes = kw::test::ReadFileBytes(memoryFile);
    CParameters p;
    kw::RegisterCatalogue(p);
    if (bytes.size() == size_t(kw::kImageSize))
        p.LoadFromImage(reinterpret_cast<const uint8_t*>(bytes.data()), kw::kImageSize);
    return p.GetValue(name, 0);
}

class IpConnection : public kw::test::MainWindowFixture {
protected:
    // A gateway woken through the simulator's modem, calling back to 127.0.0.1.
    void StartGateway(std::vector<std::string> options = {}) {
        const std::vector<std::string> common{
            "--wakeup-modem", sim.Path("modem"),     "--serial", kSerial, "--hw", "D",
            "--memory",       sim.Path("memory.bin")};
        options.insert(options.begin(), common.begin(), common.end());
        ASSERT_TRUE(sim.Start(options));
    }
    // The window set to TCP/IP with the simulator's modem, as its INI would say.
    TFMain& StartOnTcp() {
        WriteIni("[Settings]\nConType=2\nIpCom=" + sim.Path("modem") +
                 "\nIpAddress=127.0.0.1\nIpPort=0\nLastIpNum=+420777123456\n");
        return Start();
    }
    kw::CGatewayLink& Link() const { return window->GatewayCommands().Link(); }
    // Connect with the serial number typed into the IP connect dialog, until
    // the gateway has called back and proved it.
    bool Connect() {
        window->SetDialogRunner([&](QDialog& dialog) {
            Control<QLineEdit>(dialog, "MaskEdit1").setText(QString::fromStdString(kSerial));
            Control<QPushButton>(dialog, "Button1").click();
            return dialog.result();
        });
        port.ExpectMessage(Icon::Information, 257);
        Button("SpeedButton6").click();
        return RunEventsUntil([&] { return Link().Connected(); }, 5000) && port.AllMessagesShown();
    }
    // Counts the commands the link sends, by their text.
    int Sent(const std::string& command) const {
        return int(std::count_if(sent.begin(), sent.end(), [&](const kw::TLinkTapEvent& e) {
            return e.kind == kw::TLinkTapEvent::Kind::Command && e.bytes == command;
        }));
    }
    void Tap() {
        Link().Tap().Add([this](const kw::TLinkTapEvent& event) {
            if (event.Sent())
                sent.push_back(event);
        });
    }

    SimProcess sim;
    std::vector<kw::TLinkTapEvent> sent;
};

TEST_F(IpConnection, ConnectReadWriteAndDisconnect) {
    StartGateway();
    TFMain& w = StartOnTcp();
    EXPECT_EQ(w.StatusText(), "E248");
    EXPECT_TRUE(Button("SpeedButton6").isEnabled());
    EXPECT_TRUE(Action("Navazatspojeni1").isEnabled());
    EXPECT_FALSE(Button("SpeedButton8").isEnabled());
    EXPECT_FALSE(Button("SpeedButton1").isEnabled());
    // Without a link a transfer does nothing at all.
    w.ReadFromGatewayClicked();
    EXPECT_TRUE(port.progressLog.empty());
    Link().SetTcpTimeOut(1000); // as a cable exchange leaves the time-outs

    ASSERT_TRUE(Connect());
    const TFIpDialing& dialling = w.IpConnection().DiallingWindow();
    EXPECT_FALSE(dialling.isVisible());
    QStringList lines = dialling.Lines();
    lines.sort(); // the gateway may call before the modem has said OK
    EXPECT_EQ(lines, (QStringList{"E354", "E355", "E356", "E358"}));
    EXPECT_EQ(Link().TcpTimeOut(), 20000);
    EXPECT_EQ(w.Settings().LastIpSerial, kSerial);
    EXPECT_EQ(w.StatusText(), "E247");
    EXPECT_FALSE(Button("SpeedButton6").isEnabled());
    EXPECT_TRUE(Button("SpeedButton8").isEnabled());
    EXPECT_TRUE(Action("Ukoncitspojeni1").isEnabled());
    EXPECT_TRUE(Button("SpeedButton1").isEnabled());
    EXPECT_FALSE(Button("SpeedButton2").isEnabled()); // no configuration yet
    // No second Connect while linked, even when asked for.
    w.SetDialogRunner([](QDialog&) {
        ADD_FAILURE() << "the IP connect dialog opened while linked";
        return 0;
    });
    w.ConnectClicked();
    // From here the one dialog is the question before Write (the read left a
    // backup to compare with), answered Write.
    w.SetDialogRunner([](QDialog& shown) {
        EXPECT_EQ(shown.objectName(), "WriteQuestion");
        return int(QDialog::Accepted);
    });

    Tap();
    port.ExpectMessage(Icon::Information, 112);
    Button("SpeedButton1").click();
    ASSERT_TRUE(port.AllMessagesShown());
    EXPECT_EQ(port.progressLog.front(), "show 107 bar");
    EXPECT_EQ(w.HardwareVariant(), "D");
    EXPECT_EQ(w.Parameters().GetValue("SerialNum", 0), kSerial);
    EXPECT_EQ(Sent("U"), 0); // the greeting replaced the cable's sync

    const std::string edited = w.Parameters().GetValue("FXSVolRec", 0) == "1" ? "4" : "1";
    w.Parameters().SetValue("FXSVolRec", 0, edited);
    sent.clear();
    port.ExpectMessage(Icon::Information, 114);
    Button("SpeedButton2").click();
    ASSERT_TRUE(port.AllMessagesShown());
    EXPECT_EQ(MemoryValue(sim.Path("memory.bin"), "FXSVolRec"), edited);
    // Each region is read back after its write with the long time-out.
    int readBacks = 0;
    bool written = false;
    for (const kw::TLinkTapEvent& event : sent) {
        written = written || event.bytes == "g";
        if (written && event.kind == kw::TLinkTapEvent::Kind::Command &&
            (event.bytes == "e" || event.bytes == "E")) {
            ++readBacks;
            EXPECT_EQ(event.timeOut, 20000) << event.bytes;
        }
    }
    EXPECT_EQ(readBacks, 2);
    EXPECT_FALSE(LogHas(sim, "A")); // no end of exchange over TCP
    EXPECT_EQ(w.StatusText(), "E247");

    Button("SpeedButton8").click();
    EXPECT_FALSE(Link().Connected());
    EXPECT_FALSE(w.IpConnection().Server().Active());
    EXPECT_EQ(w.StatusText(), "E248");
    EXPECT_TRUE(Button("SpeedButton6").isEnabled());
    EXPECT_TRUE(sim.WaitForLogLine("connect-back hung up by the other side"));
    const size_t shown = port.progressLog.size();
    w.WriteToGatewayClicked();
    EXPECT_EQ(port.progressLog.size(), shown);

    EXPECT_TRUE(w.close());
    EXPECT_FALSE(LogHas(sim, "A"));
    EXPECT_NE(IniText().find("LastIpSerial=" + kSerial), std::string::npos);
}

// Closing the window while it waits for the gateway ends the wait as Cancel
// does: the dialling window does not come back and the server goes down.
TEST_F(IpConnection, ClosingTheWindowEndsAWaitForTheGateway) {
    TFMain& w = StartOnTcp();
    kw::CIpConnection& ip = w.IpConnection();
    ASSERT_TRUE(ip.Server().Activate());
    ip.ShowDialling();
    EXPECT_TRUE(ip.DiallingVisible());
    EXPECT_TRUE(w.close());
    EXPECT_FALSE(ip.DiallingVisible());
    EXPECT_TRUE(ip.DiallingWindow().ClosingByProgram());
    EXPECT_FALSE(ip.Server().Active());
    EXPECT_EQ(Link().Terminal().m_Cancel, 1); // a modem command under way ends
}

// The connection goes while a command waits for the gateway: the command ends
// at once with the lost connection, the window is back to not connected.
TEST_F(IpConnection, ALinkThatDropsEndsTheCommandWithCodeSix) {
    const struct {
        const char* name;
        const char* dropAfter; // bytes the gateway sends before it hangs up
        int identityAsked;     // "B" sent in all
    } cases[] = {
        // The greeting takes 16 bytes; the first byte of the answer to "B" is the last.
        {"during the attach", "17", 1},
        {"mid-transfer", "1000", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        sim.Stop();
        StartGateway({"--callback-drop-after", c.dropAfter});
        TFMain& w = StartOnTcp();
        ASSERT_TRUE(Connect());
        Tap();
        sent.clear();
        port.ExpectMessage(Icon::Error, 110, {"CE_CONNECTION_LOST"});
        Button("SpeedButton1").click();
        EXPECT_TRUE(port.AllMessagesShown());
        EXPECT_EQ(Sent("B"), c.identityAsked);
        EXPECT_FALSE(Link().Connected());
        EXPECT_FALSE(port.progressVisible);
        EXPECT_EQ(w.StatusText(), "E248");
        EXPECT_TRUE(Button("SpeedButton6").isEnabled());
        // With no window and no connection the server goes down at its next tick.
        EXPECT_TRUE(RunEventsUntil([&] { return !w.IpConnection().Server().Active(); }));
        EXPECT_EQ(sim.Stop(), 0); // the gateway outlived its hang-up
    }
}

} // namespace
