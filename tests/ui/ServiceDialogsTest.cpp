// The monitor window's controls and its two service dialogs offscreen, without
// a gateway: captions by tag, the typing limits, refusals that keep the dialog
// open, results, and what each button hands the monitor's loop.
#include "MainWindowFixture.h"
#include "ModalAnswer.h"
#include "MonitorWindow.h"
#include "SetTime.h"
#include "SmsCentrum.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

using Icon = CUserPort::Icon;
using kw::test::AnswerNextModal;
using kw::test::Control;
using ServiceDialogs = kw::test::MainWindowFixture;

// 29 February 2024, 07:05:09.
std::tm LeapDayMorning() {
    std::tm t{};
    t.tm_year = 124, t.tm_mon = 1, t.tm_mday = 29, t.tm_hour = 7, t.tm_min = 5, t.tm_sec = 9;
    return t;
}

std::string Text(const QWidget& parent, const char* name) {
    if (auto* edit = parent.findChild<QLineEdit*>(name))
        return edit->text().toStdString();
    return Control<QLabel>(parent, name).text().toStdString();
}

void Click(const QWidget& parent, const char* name) {
    Control<QPushButton>(parent, name).click();
}

// Types into the set-time dialog's fields, each emptied first.
void TypeTime(QWidget& dialog, const std::array<const char*, 5>& typed) {
    const char* names[] = {"EDay", "EMonth", "EYear", "EHour", "EMinute"};
    for (size_t i = 0; i < typed.size(); ++i) {
        auto& edit = Control<QLineEdit>(dialog, names[i]);
        edit.clear();
        QTest::keyClicks(&edit, typed[i]);
    }
}

TEST_F(ServiceDialogs, SetTimeChecksTheEntryAndOnlyAValidOneCloses) {
    Start().LanguageButtonClicked("Eng");
    TFSetTime dialog(language, port, LeapDayMorning);
    dialog.Activate();
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "E311");
    EXPECT_EQ(Text(dialog, "LDay"), "E313");
    EXPECT_EQ(Text(dialog, "LMinute"), "E317");
    EXPECT_EQ(Control<QPushButton>(dialog, "BCurrent").text(), "E312");
    EXPECT_EQ(Control<QPushButton>(dialog, "BSet").text(), "E311");
    EXPECT_EQ(Control<QPushButton>(dialog, "BCancel").text(), "E2");

    // Typing stops at each field's length; nothing else is refused while typing.
    TypeTime(dialog, {"123", "-1x", "20245", "123", "599"});
    EXPECT_EQ(Text(dialog, "EDay"), "12");
    EXPECT_EQ(Text(dialog, "EMonth"), "-1");
    EXPECT_EQ(Text(dialog, "EYear"), "2024");
    EXPECT_EQ(Text(dialog, "EHour"), "12");
    EXPECT_EQ(Text(dialog, "EMinute"), "59");

    struct Case {
        std::array<const char*, 5> typed;
        int refusedWord; // 0: closes with the clock text
        const char* clockText;
    };
    const Case cases[] = {
        {{"29", "2", "2023", "10", "0"}, 321, ""},
        {{"1", "1", "2024", "24", "0"}, 322, ""},
        {{"1", "1", "2024", "23", "60"}, 322, ""},
        {{"1", "1", "2024", "-1", "0"}, 322, ""},
        {{"29", "2", "24", "7", "5"}, 0, "24/02/29,07:05:00"},
    };
    for (const Case& c : cases) {
        dialog.Activate();
        dialog.show();
        dialog.setResult(0);
        TypeTime(dialog, c.typed);
        if (c.refusedWord != 0)
            port.ExpectMessage(Icon::Error, c.refusedWord);
        Click(dialog, "BSet");
        EXPECT_TRUE(port.AllMessagesShown()) << c.typed[0] << "." << c.typed[1];
        EXPECT_EQ(dialog.isVisible(), c.refusedWord != 0) << c.typed[0] << "." << c.typed[1];
        EXPECT_EQ(dialog.result(), c.refusedWord != 0 ? 0 : TFSetTime::kResultSet);
        EXPECT_EQ(dialog.ClockText(), c.clockText);
        if (c.refusedWord != 0) {
            EXPECT_EQ(Text(dialog, "EHour"), c.typed[3]) << "the entry stays to be put right";
        }
    }

    // Activation empties the fields; use-current fills the PC's date and time.
    dialog.Activate();
    dialog.show();
    EXPECT_EQ(Text(dialog, "EYear"), "");
    Click(dialog, "BCurrent");
    EXPECT_EQ(Text(dialog, "EDay") + "." + Text(dialog, "EMonth") + "." + Text(dialog, "EYear") +
                  " " + Text(dialog, "EHour") + ":" + Text(dialog, "EMinute"),
              "29.2.2024 7:5");
    Click(dialog, "BSet");
    EXPECT_EQ(dialog.ClockText(), "24/02/29,07:05:00");

    for (const bool escape : {false, true}) {
        dialog.Activate();
        dialog.show();
        if (escape)
            QTest::keyClick(&dialog, Qt::Key_Escape);
        else
            Click(dialog, "BCancel");
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), TFSetTime::kResultCancel);
    }
}

TEST_F(ServiceDialogs, SmsCentreRefusesWhatWouldBreakTheCommandLine) {
    Start().LanguageButtonClicked("Eng");
    TFSMSCentrum dialog(language, port);
    dialog.Activate("+420602909909");
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "E97");
    EXPECT_EQ(Text(dialog, "Label1"), "E97");
    EXPECT_EQ(Control<QPushButton>(dialog, "Button1").text(), "O.K.");
    EXPECT_EQ(Control<QPushButton>(dialog, "Button2").text(), "E2");
    EXPECT_EQ(dialog.focusWidget(), &Control<QLineEdit>(dialog, "Edit1"));
    EXPECT_EQ(Text(dialog, "Edit1"), "+420602909909");

    for (const char* refused : {"+420\"1", "+420\t1", "+420\u00811"}) {
        Control<QLineEdit>(dialog, "Edit1").setText(QString::fromUtf8(refused));
        port.ExpectMessage(Icon::Error, 440);
        Click(dialog, "Button1");
        EXPECT_TRUE(port.AllMessagesShown()) << refused;
        EXPECT_TRUE(dialog.isVisible()) << refused;
    }
    Control<QLineEdit>(dialog, "Edit1").setText(QString::fromUtf8("+420 111 é"));
    Click(dialog, "Button1");
    EXPECT_EQ(dialog.result(), TFSMSCentrum::kResultOk);
    EXPECT_EQ(dialog.Number(), "+420 111 \xE9"); // as the module takes it

    for (const bool escape : {false, true}) {
        dialog.Activate("");
        dialog.show();
        if (escape)
            QTest::keyClick(&dialog, Qt::Key_Escape);
        else
            Click(dialog, "Button2");
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), TFSMSCentrum::kResultCancel);
    }
}

class MonitorButtons : public kw::test::MainWindowFixture {
protected:
    TFMonitor& Open(const std::string& device) {
        Start().LanguageButtonClicked("Eng");
        monitor = std::make_unique<TFMonitor>(
            language,
            TFMonitor::THost{
                terminal, port, device, [this] { ++releases; },
                [this](QWidget& dialog) { centred.push_back(dialog.objectName().toStdString()); },
                LeapDayMorning},
            window.get());
        monitor->Activate();
        return *monitor;
    }
    // The value label of a row, by its form name.
    std::string Row(const char* name) const { return Text(*monitor, name); }

    CCOMTerminal terminal;
    std::unique_ptr<TFMonitor> monitor;
    int releases = 0;
    std::vector<std::string> centred;
};

TEST_F(MonitorButtons, ActivationResetsEveryRowAndTheButtonsOnlyLeaveValuesForTheLoop) {
    TFMonitor& m = Open("/nonexistent/kw-monitor");
    m.show();
    EXPECT_EQ(m.windowTitle(), "E17");
    const std::pair<const char*, const char*> captions[] = {
        {"LStatusCaption", "E100"},  {"LModuleCaption", "E94"},
        {"LImeiCaption", "E95"},     {"LImsiCaption", "E96"},
        {"LCentreCaption", "E97"},   {"LOperatorCaption", "E98"},
        {"LCallCaption", "E131"},    {"LModuleClockCaption", "E309"},
        {"LPcClockCaption", "E320"}, {"LSignalCaption", "E99"},
        {"BSmsCentre", "E298"},      {"BSetTime", "E311"},
        {"BSynchronise", "E318"},    {"BClose", "E1"},
    };
    for (const auto& [name, text] : captions) {
        const auto* button = m.findChild<QPushButton*>(name);
        EXPECT_EQ(button ? button->text().toStdString() : Row(name), text) << name;
    }
    for (const char* row :
         {"LModule", "LImei", "LImsi", "LCentre", "LOperator", "LCall", "LModuleClock", "LSignal"})
        EXPECT_EQ(Row(row), "E101") << row;
    EXPECT_EQ(Row("LStatus"), "E103");
    EXPECT_EQ(Row("LPcClock"), "24/02/29,07:05:09");
    EXPECT_FALSE(Control<QProgressBar>(m, "SignalBar").isVisible());
    EXPECT_FALSE(Control<QLabel>(m, "LSignalDecibels").isVisible());
    EXPECT_TRUE(Control<QLabel>(m, "LSignal").isVisible());

    // Nothing was read yet: the centre dialog offers an empty field.
    AnswerNextModal([](QWidget* modal) {
        EXPECT_EQ(modal->objectName(), "FSMSCentrum");
        EXPECT_EQ(Text(*modal, "Edit1"), "");
        Control<QLineEdit>(*modal, "Edit1").setText("+420111");
        Click(*modal, "Button1");
    });
    Click(m, "BSmsCentre");
    EXPECT_EQ(m.Monitor().PendingCentre(), "+420111");
    EXPECT_EQ(Row("LCentre"), "E299");

    AnswerNextModal([](QWidget* modal) {
        EXPECT_EQ(modal->objectName(), "FSetTime");
        TypeTime(*modal, {"1", "3", "2025", "10", "20"});
        Click(*modal, "BSet");
    });
    Click(m, "BSetTime");
    EXPECT_EQ(m.Monitor().PendingClock(), "25/03/01,10:20:00");
    EXPECT_EQ(Row("LModuleClock"), "E310");
    // Cancelling forgets the clock that waited.
    AnswerNextModal([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
    Click(m, "BSetTime");
    EXPECT_EQ(m.Monitor().PendingClock(), "");
    EXPECT_EQ(centred, (std::vector<std::string>{"FSMSCentrum", "FSetTime", "FSetTime"}));

    Click(m, "BSynchronise");
    EXPECT_EQ(m.Monitor().PendingClock(), "s");
    EXPECT_EQ(Row("LModuleClock"), "E319");

    // Another language: the captions and the words the rows show follow it.
    window->LanguageButtonClicked("Cze");
    m.Translate();
    EXPECT_EQ(Row("LCentreCaption"), "C97");
    EXPECT_EQ(Row("LCentre"), "C299");
    EXPECT_EQ(Row("LModuleClock"), "C319");
    EXPECT_EQ(Row("LStatus"), "C103");

    Click(m, "BClose");
    EXPECT_FALSE(m.isVisible());
    EXPECT_EQ(m.result(), TFMonitor::kResultClosed);
    EXPECT_TRUE(m.Monitor().Stopping());
    EXPECT_EQ(Row("LCentre"), "C101");
    EXPECT_EQ(releases, 0); // the loop never started
}

TEST_F(MonitorButtons, APortThatDoesNotOpenIsReportedAndClosesTheWindow) {
    TFMonitor& m = Open("/nonexistent/kw-monitor");
    port.ExpectMessage(Icon::Error, 125);
    QTimer limit; // a window that stayed open would hold the test for ever
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, [&m] {
        ADD_FAILURE() << "the window stayed open";
        m.CloseClicked();
    });
    limit.start(20000);
    EXPECT_EQ(m.exec(), TFMonitor::kResultPortFailed);
    EXPECT_TRUE(port.AllMessagesShown());
    EXPECT_EQ(releases, 1); // before the port was taken
    EXPECT_FALSE(kw::CMonitor::Busy());
}

TEST_F(ServiceDialogs, MonitorButtonOpensTheMonitorOnTheCableOnlyAndNothingElseRunsMeanwhile) {
    TFMain& w = Start();
    std::vector<std::string> opened;
    bool busyMeanwhile = false;
    w.SetDialogRunner([&](QDialog& dialog) {
        opened.push_back(dialog.objectName().toStdString());
        busyMeanwhile = w.GatewayCommands().Busy();
        w.MonitorClicked(); // a second monitor does not open
        return 0;
    });
    EXPECT_EQ(Button("SpeedButton9").toolTip(), "E336");
    for (const int conType : {1, 2}) {
        w.Settings().ConType = conType;
        w.EnableRules();
        EXPECT_FALSE(Button("SpeedButton9").isEnabled()) << conType;
        w.MonitorClicked();
    }
    EXPECT_TRUE(opened.empty());

    w.Settings().ConType = 0;
    w.EnableRules();
    ASSERT_TRUE(Button("SpeedButton9").isEnabled());
    Button("SpeedButton9").click();
    EXPECT_EQ(opened, std::vector<std::string>{"FMonitor"});
    EXPECT_TRUE(busyMeanwhile);
    EXPECT_FALSE(w.GatewayCommands().Busy());
}

} // namespace
