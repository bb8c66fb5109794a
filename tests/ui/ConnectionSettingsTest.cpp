// The connection settings dialog and the modem call in the main window: the
// start-up rule for a saved modem call, the port lists, the fields put right
// when left, the type change closing a link of the old type, the modem line
// dialog, and a call to the simulated gateway that reads, writes and hangs up.
#include "ConnectionSettings.h"
#include "COMDialing.h"
#include "EventLoopWait.h"
#include "GatewayLink.h"
#include "IniFile.h"
#include "IpConnection.h"
#include "MainWindowFixture.h"
#include "ModemConnection.h"
#include "ModemLineDialog.h"
#include "Nastaveni.h"
#include "PortList.h"
#include "SimProcess.h"
#include "TempDir.h"
#include "Words.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace {

using kw::test::Control;
using kw::test::RunEventsUntil;
using Icon = CUserPort::Icon;

class ConnectionSettings : public kw::test::MainWindowFixture {
protected:
    TFMain& StartWithModemLine(const std::string& settings,
                               const std::string& device = "/dev/null") {
        WriteIni("[Settings]\n" + settings + "\n[Modems]\nCount=1\nName1=Office\nDevice1=" +
                 device + "\nSpeed1=57600\nInit1=ATE0S12=5\n");
        return Start();
    }
    TFNastaveni& Dialog() const { return window->ConnectionSettings().Dialog(); }
    kw::CGatewayLink& Link() const { return window->GatewayCommands().Link(); }
    kw::CModemLines& Lines() const { return Link().Terminal().Telephony().Lines(); }
    // The settings command; `act` works the dialog, which then ends with `result`.
    void RunSettings(const std::function<void(TFNastaveni&)>& act, int result) {
        NoPorts();
        window->SetDialogRunner([&](QDialog& dialog) {
            if (&dialog != &Dialog())
                return 0;
            act(Dialog());
            return result;
        });
        Button("SpeedButton5").click();
    }
    // The port lists stay empty ("Com1" to "Com8"), whatever this computer has.
    void NoPorts() const {
        window->ConnectionSettings().SetPortLister([] { return std::vector<kw::TPortInfo>{}; });
    }
    bool Shown(const char* group) const {
        return Control<QGroupBox>(Dialog(), group).isVisibleTo(&Dialog());
    }
};

TEST_F(ConnectionSettings, ASavedModemCallNeedsAModemLine) {
    WriteIni("[Settings]\nConType=1\n");
    TFMain& w = Start();
    EXPECT_EQ(w.Settings().ConType, 0); // no line: the cable at start
    RunSettings([](TFNastaveni& d) { EXPECT_FALSE(d.ModemChoice().isEnabled()); }, 0);
}

TEST_F(ConnectionSettings, ALineGoneTurnsAModemCallIntoTheCableEvenOnCancel) {
    TFMain& w = StartWithModemLine("ConType=1\nModemId=Office");
    ASSERT_EQ(w.Settings().ConType, 1);
    RunSettings([](TFNastaveni& d) { EXPECT_TRUE(d.ModemChoice().isEnabled()); }, 0);
    Lines().Remove(0);
    RunSettings(
        [&](TFNastaveni& d) {
            EXPECT_FALSE(d.ModemChoice().isEnabled());
            EXPECT_EQ(d.ConType(), 0);
        },
        0);
    EXPECT_EQ(w.Settings().ConType, 0);
}

TEST_F(ConnectionSettings, EachTypeShowsItsGroupAndOkTakesTheValuesOver) {
    TFMain& w = StartWithModemLine("ConType=0\nCom=Com7");
    const struct {
        const char* radio;
        const char* group;
        int type;
    } types[] = {{"RadioButton2", "GroupModem", 1},
                 {"RadioButton3", "GroupIP", 2},
                 {"RadioButton1", "GroupCOM", 0}};
    RunSettings(
        [&](TFNastaveni& d) {
            for (const auto& t : types) {
                Control<QRadioButton>(d, t.radio).click();
                EXPECT_EQ(d.ConType(), t.type);
                for (const char* group : {"GroupCOM", "GroupModem", "GroupIP"})
                    EXPECT_EQ(Shown(group), std::string(group) == t.group) << t.radio << group;
            }
            Control<QRadioButton>(d, "RadioButton2").click();
            d.NumberEdit().setText("0601234567");
            d.AddressEdit().setText("10.1");
            d.ServerPortEdit().setText("99999");
        },
        TFNastaveni::kOkResult);
    EXPECT_EQ(w.Settings().ConType, 1);
    EXPECT_EQ(w.Settings().ModemId, "Office");
    EXPECT_EQ(w.Settings().ModemNumber, "0601234567");
    EXPECT_EQ(w.Settings().IpAddress, "10.1.0.0");
    EXPECT_EQ(w.Settings().IpPort, 65535);
    EXPECT_TRUE(Button("SpeedButton6").isEnabled()); // Connect for the modem call

    // Cancel changes nothing.
    RunSettings([](TFNastaveni& d) { d.NumberEdit().setText("1"); }, 0);
    EXPECT_EQ(w.Settings().ModemNumber, "0601234567");
}

TEST(SettingsFields, AddressAndPortArePutRight) {
    const std::pair<const char*, const char*> addresses[] = {
        {"192.168.1", "192.168.1.0"}, {"300.1.2.3.4", "255.1.2.3"}, {"", "0.0.0.0"},
        {"a.b.7x.9", "0.0.7.9"},      {"10.0.0.1", "10.0.0.1"},     {"99999999999.1", "255.1.0.0"}};
    for (const auto& [text, expected] : addresses)
        EXPECT_EQ(kw::NormalisedAddress(text), expected) << text;
    const std::pair<const char*, int> ports[] = {{"70000", 65535}, {"0", 1},  {"", 1},
                                                 {"7200", 7200},   {"-5", 1}, {"80x", 80}};
    for (const auto& [text, expected] : ports)
        EXPECT_EQ(kw::NormalisedServerPort(text), expected) << text;
}

TEST(PortList, OrderInUseMissingAndUnlistedPorts) {
    const std::vector<kw::TPortInfo> ports = {
        {"/dev/ttyS10", "", "", false},
        {"/dev/ttyUSB0", "FTDI FT232R USB UART", "usb-FTDI_FT232R_A1-if00-port0", false},
        {"/dev/ttyS3", "", "", false},
        {"/dev/ttyS5", "", "", true},
    };
    const struct {
        const char* wanted;
        std::vector<kw::TPortInfo> ports;
        std::vector<std::string> texts;
        const char* selected;
    } cases[] = {
        {"/dev/ttyS5",
         ports,
         {"/dev/ttyS3", "/dev/ttyS5 (in use)", "/dev/ttyS10",
          "/dev/ttyUSB0 (FTDI FT232R USB UART, usb-FTDI_FT232R_A1-if00-port0)"},
         "/dev/ttyS5"},
        {"Com7", ports, {}, "/dev/ttyS3"},          // gone: the first
        {"/dev/null", {ports[0]}, {}, "/dev/null"}, // exists, unlisted: kept
        {"/dev/nonexistent", {ports[0]}, {}, "/dev/ttyS10"},
        {"Com3", {}, {"Com1", "Com2", "Com3", "Com4", "Com5", "Com6", "Com7", "Com8"}, "Com3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.wanted);
        QComboBox list;
        list.setEditable(true);
        kw::FillPortList(list, c.wanted, c.ports, "(in use)");
        if (!c.texts.empty()) {
            std::vector<std::string> texts;
            for (int i = 0; i < list.count(); ++i)
                texts.push_back(list.itemText(i).toStdString());
            EXPECT_EQ(texts, c.texts);
        }
        EXPECT_EQ(kw::PortOfList(list), c.selected);
    }
    QComboBox typed;
    typed.setEditable(true);
    kw::FillPortList(typed, "", ports, "(in use)");
    typed.setEditText("/dev/serial/by-id/usb-modem");
    EXPECT_EQ(kw::PortOfList(typed), "/dev/serial/by-id/usb-modem");
}

TEST(ModemLines, AtMostAHundredAreListed) {
    kw::CIniFile ini;
    ini.WriteInteger("Modems", "Count", 101);
    for (int n = 1; n <= 101; ++n) {
        ini.WriteString("Modems", "Name" + std::to_string(n), "Line " + std::to_string(n));
        ini.WriteString("Modems", "Device" + std::to_string(n), "/dev/ttyS0");
    }
    kw::CModemLines lines;
    lines.Read(ini);
    EXPECT_EQ(lines.Count(), 100);
    EXPECT_EQ(lines.FindLine("Line 101"), -1);
    EXPECT_FALSE(lines.Add({"Line 101", "/dev/ttyS0", 57600, ""}));
}

TEST_F(ConnectionSettings, LeavingTcpIpWhileLinkedClosesTheConnectionButNotTheServer) {
    WriteIni("[Settings]\nConType=2\nIpAddress=127.0.0.1\n");
    TFMain& w = Start();
    QTcpServer gatewaySide;
    ASSERT_TRUE(gatewaySide.listen(QHostAddress::LocalHost, 0));
    auto* linked = new QTcpSocket(&w);
    linked->connectToHost(QHostAddress::LocalHost, gatewaySide.serverPort());
    ASSERT_TRUE(RunEventsUntil([&] { return gatewaySide.hasPendingConnections(); }));
    QTcpSocket* gateway = gatewaySide.nextPendingConnection();
    Link().SetLinkedConnection(linked);
    Link().SetConnectionState(true, false);
    const bool serverListening = w.IpConnection().Server().Active();
    RunSettings([](TFNastaveni& d) { Control<QRadioButton>(d, "RadioButton1").click(); },
                TFNastaveni::kOkResult);
    EXPECT_EQ(w.Settings().ConType, 0);
    EXPECT_FALSE(Link().Connected());
    EXPECT_EQ(Link().LinkedConnection(), nullptr);
    EXPECT_TRUE(
        RunEventsUntil([&] { return gateway->state() == QAbstractSocket::UnconnectedState; }));
    EXPECT_EQ(w.IpConnection().Server().Active(), serverListening);
}

TEST_F(ConnectionSettings, TheFirstModemLineIsMadeFromTheDialog) {
    TFMain& w = Start();
    NoPorts();
    TFModemLine& lineDialog = w.ConnectionSettings().LineDialog();
    // What the line dialog is given in turn, and the messages it must show.
    std::vector<std::pair<std::string, std::string>> typed = {{"", "/dev/ttyS1"},
                                                              {"Office", "/dev/ttyS1"}};
    port.ExpectMessage(Icon::Error, kw::word::kLineIncomplete);
    window->SetDialogRunner([&](QDialog& dialog) {
        if (&dialog == &Dialog()) {
            EXPECT_FALSE(Dialog().ModemChoice().isEnabled());
            Control<QPushButton>(Dialog(), "ModemLinesButton").click();
            EXPECT_TRUE(Dialog().ModemChoice().isEnabled());
            Control<QRadioButton>(Dialog(), "RadioButton2").click();
            return TFNastaveni::kOkResult;
        }
        EXPECT_EQ(&dialog, &lineDialog);
        for (const auto& [name, device] : typed) {
            Control<QLineEdit>(lineDialog, "EditName").setText(QString::fromStdString(name));
            Control<QComboBox>(lineDialog, "ComboDevice")
                .setEditText(QString::fromStdString(device));
            Control<QPushButton>(lineDialog, "ButtonOK").click();
        }
        return lineDialog.result();
    });
    Button("SpeedButton5").click();
    EXPECT_TRUE(port.AllMessagesShown());
    ASSERT_EQ(Lines().Count(), 1);
    EXPECT_EQ(Lines().Line(0).Device, "/dev/ttyS1");
    EXPECT_EQ(w.Settings().ConType, 1);
    EXPECT_EQ(w.Settings().ModemId, "Office");
    w.close();
    EXPECT_NE(IniText().find("Name1=Office"), std::string::npos) << IniText();
}

class ModemCall : public ConnectionSettings {
protected:
    void StartOnModem(std::vector<std::string> options = {}) {
        options.insert(options.end(), {"--hayes-modem", sim.Path("modem"), "--hw", "D"});
        ASSERT_TRUE(sim.Start(options));
        StartWithModemLine("ConType=1\nModemId=Office\nModemNumber=0601234567", sim.Path("modem"));
    }
    TFCOMDialing& Dialling() const { return window->ModemConnection().DiallingWindow(); }
    // The user closes the dialling window once it shows a line of `word`.
    void CloseDiallingOn(int word) {
        auto* timer = new QTimer(window.get());
        const QString text = QString::fromStdString(language.GetText(word));
        QObject::connect(timer, &QTimer::timeout, [this, text, timer] {
            if (Dialling().isVisible() &&
                std::any_of(Dialling().Lines().begin(), Dialling().Lines().end(),
                            [&](const QString& line) { return line.startsWith(text); })) {
                Control<QPushButton>(Dialling(), "Button1").click();
                timer->deleteLater();
            }
        });
        timer->start(10);
    }
    kw::test::SimProcess sim;
};

TEST_F(ModemCall, ConnectReadWriteAndHangUp) {
    StartOnModem();
    TFMain& w = *window;
    EXPECT_TRUE(Button("SpeedButton6").isEnabled());
    port.ExpectMessage(Icon::Information, kw::word::kGatewayConnected);
    Button("SpeedButton6").click();
    ASSERT_TRUE(port.AllMessagesShown());
    ASSERT_TRUE(Link().Connected());
    EXPECT_FALSE(Dialling().isVisible());
    EXPECT_EQ(port.progressLog.front(), "show 256 bar");
    EXPECT_FALSE(Button("SpeedButton6").isEnabled());
    EXPECT_TRUE(Button("SpeedButton8").isEnabled());

    port.progressLog.clear();
    port.ExpectMessage(Icon::Information, 112);
    Button("SpeedButton1").click();
    ASSERT_TRUE(port.AllMessagesShown());
    EXPECT_EQ(port.progressLog.front(), "show 107 bar");
    EXPECT_EQ(w.HardwareVariant(), "D");
    port.ExpectMessage(Icon::Information, 114);
    Button("SpeedButton2").click();
    ASSERT_TRUE(port.AllMessagesShown());
    EXPECT_TRUE(Link().Connected());

    CloseDiallingOn(kw::word::kCallIdle);
    Button("SpeedButton8").click();
    EXPECT_FALSE(Link().Connected());
    EXPECT_FALSE(Link().CallInProgress());
    EXPECT_TRUE(sim.WaitForLogLine("hayes on hook"));
    EXPECT_TRUE(Button("SpeedButton6").isEnabled());
}

TEST_F(ModemCall, ClosingTheDiallingWindowWhileDiallingDropsTheCall) {
    StartOnModem({"--hayes-dial-ms", "20000"});
    CloseDiallingOn(kw::word::kDialling);
    Button("SpeedButton6").click();
    EXPECT_FALSE(Link().Connected());
    EXPECT_FALSE(Link().CallInProgress());
    EXPECT_TRUE(sim.WaitForLogLine("hayes dial aborted"));
    EXPECT_TRUE(Button("SpeedButton6").isEnabled());
}

TEST_F(ModemCall, ClosingTheWindowHangsUp) {
    StartOnModem();
    port.ExpectMessage(Icon::Information, kw::word::kGatewayConnected);
    Button("SpeedButton6").click();
    ASSERT_TRUE(Link().Connected());
    window->close();
    EXPECT_TRUE(sim.WaitForLogLine("hayes on hook"));
}

// Every text shown is translated ("S12" is a word's key, shown when a
// translation is missing) and no label or button cuts its text.
void CheckTexts(QWidget& window, const std::string& where) {
    static const QRegularExpression key("^S\\d+(H|_\\d+)?[A-Z]?$");
    QList<QWidget*> widgets = window.findChildren<QWidget*>();
    widgets << &window;
    for (QWidget* w : widgets) {
        if (!w->isVisibleTo(&window))
            continue;
        QString text = w->windowTitle();
        if (auto* label = qobject_cast<QLabel*>(w))
            text = label->text();
        else if (auto* button = qobject_cast<QAbstractButton*>(w))
            text = button->text();
        else if (auto* group = qobject_cast<QGroupBox*>(w))
            text = group->title();
        const std::string name = where + ":" + w->objectName().toStdString();
        EXPECT_FALSE(key.match(text.trimmed()).hasMatch()) << name << " " << text.toStdString();
        if (qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w)) {
            EXPECT_GE(w->width(), w->minimumSizeHint().width()) << name << " cuts its text";
        }
    }
}

void Save(QWidget& widget, const QString& name) {
    const QString folder = KW_SCREENSHOT_DIR;
    QDir().mkpath(folder);
    EXPECT_TRUE(widget.grab().save(folder + "/" + name + ".png")) << name.toStdString();
}

TEST(DialUpScreenshots, SettingsLineDialogAndDiallingInEnglishAndCzech) {
    kw::test::TempDir temp;
    ::setenv("KOLBRAWIN_PROGRAM_DIR", KW_BIN_DIR, 1);
    const std::vector<kw::TPortInfo> ports = {
        {"/dev/ttyS0", "", "", false},
        {"/dev/ttyUSB0", "FTDI FT232R USB UART", "usb-FTDI_FT232R_USB_UART_A10K3XYZ-if00-port0",
         false},
        {"/dev/ttyACM0", "Sierra Wireless MC7304", "usb-Sierra_Wireless_MC7304-if03", true},
    };
    for (const char* id : {"Eng", "Cze"}) {
        const std::string data = temp.Path(id);
        std::filesystem::create_directories(data);
        std::ofstream(data + "/KolbraWin.ini")
            << "[Settings]\nConType=1\nModemId=Office modem\nModemNumber=0601234567\n"
               "Com=/dev/ttyUSB0\nIpCom=/dev/ttyACM0\nIpAddress=192.168.1.20\n"
               "[Modems]\nCount=1\nName1=Office modem\nDevice1=/dev/ttyACM0\nSpeed1=57600\n"
               "Init1=ATE0S12=5\n";
        ::setenv("KOLBRAWIN_DATA_DIR", data.c_str(), 1);
        CLanguage language;
        kw::test::ScriptedUserPort port;
        TFMain w(language);
        ASSERT_GE(language.FindLangById(id), 0) << "language files missing in " << KW_BIN_DIR;
        w.SetUserPort(&port);
        w.LanguageButtonClicked(id);
        w.show();
        const QString lower = QString(id).toLower();
        w.ConnectionSettings().SetPortLister([&] { return ports; });
        TFNastaveni& dialog = w.ConnectionSettings().Dialog();
        w.SetDialogRunner([&](QDialog& shown) {
            EXPECT_EQ(&shown, &dialog);
            dialog.show();
            const std::pair<const char*, const char*> types[] = {
                {"RadioButton1", "cable"}, {"RadioButton2", "modem"}, {"RadioButton3", "ip"}};
            for (const auto& [radio, name] : types) {
                Control<QRadioButton>(dialog, radio).click();
                Save(dialog, QString("fnastaveni-%1-%2").arg(name, lower));
                CheckTexts(dialog, std::string("settings ") + name + " " + id);
            }
            // The cable's list, opened: the ports with their descriptions.
            auto& cable = Control<QComboBox>(dialog, "ComboBox1");
            Control<QRadioButton>(dialog, "RadioButton1").click();
            EXPECT_EQ(cable.count(), 3);
            EXPECT_EQ(cable.currentText().toStdString(),
                      "/dev/ttyUSB0 (FTDI FT232R USB UART, "
                      "usb-FTDI_FT232R_USB_UART_A10K3XYZ-if00-port0)");
            cable.showPopup();
            if (QWidget* popup = cable.view()->window())
                Save(*popup, QString("fnastaveni-ports-%1").arg(lower));
            cable.hidePopup();
            dialog.hide();
            return 0;
        });
        w.ConnectionSettingsClicked();

        TFModemLine& line = w.ConnectionSettings().LineDialog();
        line.Open(w.GatewayCommands().Link().Terminal().Telephony().Lines(), 0, ports);
        line.show();
        Save(line, "fmodemline-" + lower);
        CheckTexts(line, std::string("modem line ") + id);
        line.hide();

        TFCOMDialing& dialling = w.ModemConnection().DiallingWindow();
        dialling.Show();
        dialling.AddLine(kw::word::kOpeningLine, "Office modem");
        dialling.AddLine(kw::word::kDialling, "0601234567");
        dialling.AddLine(kw::word::kBusy, "");
        dialling.AddLine(kw::word::kCallIdle, "");
        Save(dialling, "fcomdialing-" + lower);
        CheckTexts(dialling, std::string("dialling ") + id);
        dialling.hide();
        w.close();
    }
    ::unsetenv("KOLBRAWIN_DATA_DIR");
    ::unsetenv("KOLBRAWIN_PROGRAM_DIR");
}

} // namespace
