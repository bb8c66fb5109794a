// The monitor window's controls and its two service dialogs offscreen, without
// a gateway: typing limits, refusals that keep a dialog open, results, what
// each button leaves for the loop, and the main window's monitor button.
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
using kw::test::Control;
using ServiceDialogs = kw::test::MainWindowFixture;

std::tm LeapDayMorning() { // 29 February 2024, 07:05:09
    std::tm t{};
    t.tm_year = 124, t.tm_mon = 1, t.tm_mday = 29, t.tm_hour = 7, t.tm_min = 5, t.tm_sec = 9;
    return t;
}

std::string Text(const QWidget& parent, const char* name) {
    if (auto* edit = parent.findChild<QLineEdit*>(name))
        return edit->text().toStdString();
    if (auto* button = parent.findChild<QPushButton*>(name))
        return button->text().toStdString();
    return Control<QLabel>(parent, name).text().toStdString();
}

void Click(const QWidget& parent, const char* name) {
    Control<QPushButton>(parent, name).click();
}

// Types into the set-time fields, each emptied first; reads them back.
std::string TypeTime(QWidget& dialog, const std::array<const char*, 5>& typed) {
    const char* names[] = {"EDay", "EMonth", "EYear", "EHour", "EMinute"};
    std::string shown;
    for (size_t i = 0; i < typed.size(); ++i) {
        auto& edit = Control<QLineEdit>(dialog, names[i]);
        edit.clear();
        QTest::keyClicks(&edit, typed[i]);
        shown += (i ? " " : "") + edit.text().toStdString();
    }
    return shown;
}

// Shows the dialog, lets `act` press its buttons; false when it stayed open.
template <class Act> bool Closes(QDialog& dialog, Act act) {
    dialog.show();
    dialog.setResult(0);
    act();
    return !dialog.isVisible();
}

TEST_F(ServiceDialogs, SetTimeClosesOnlyOnAValidEntry) {
    Start().LanguageButtonClicked("Eng");
    TFSetTime dialog(language, port, LeapDayMorning);
    dialog.Activate();
    // Typing stops at each field's length; what is typed is not judged yet.
    EXPECT_EQ(TypeTime(dialog, {"123", "-1x", "20245", "123", "599"}), "12 -1 2024 12 59");

    port.ExpectMessage(Icon::Error, 321);
    EXPECT_FALSE(Closes(dialog, [&] {
        TypeTime(dialog, {"29", "2", "2023", "10", "0"});
        Click(dialog, "BSet");
    }));
    EXPECT_EQ(Text(dialog, "EYear"), "2023"); // kept to be put right
    EXPECT_TRUE(Closes(dialog, [&] {
        TypeTime(dialog, {"29", "2", "24", "7", "5"});
        Click(dialog, "BSet");
    }));
    EXPECT_EQ(dialog.result(), TFSetTime::kResultSet);
    EXPECT_EQ(dialog.ClockText(), "24/02/29,07:05:00");

    dialog.Activate(); // empties every field; use-current fills the PC's clock
    EXPECT_EQ(Text(dialog, "EYear"), "");
    Click(dialog, "BCurrent");
    EXPECT_EQ(Text(dialog, "EDay") + "." + Text(dialog, "EMonth") + "." + Text(dialog, "EYear") +
                  " " + Text(dialog, "EHour") + ":" + Text(dialog, "EMinute"),
              "29.2.2024 7:5");

    for (const bool escape : {false, true}) {
        EXPECT_TRUE(Closes(dialog, [&] {
            escape ? QTest::keyClick(&dialog, Qt::Key_Escape) : Click(dialog, "BCancel");
        }));
        EXPECT_EQ(dialog.result(), TFSetTime::kResultCancel);
    }
}

TEST_F(ServiceDialogs, SmsCentreRefusesWhatWouldBreakTheCommandLine) {
    Start().LanguageButtonClicked("Eng");
    TFSMSCentrum dialog(language, port);
    dialog.Activate("+420602909909");
    EXPECT_EQ(Text(dialog, "Button1") + " " + Text(dialog, "Button2"), "O.K. E2");
    EXPECT_EQ(dialog.focusWidget(), &Control<QLineEdit>(dialog, "Edit1"));
    EXPECT_EQ(Text(dialog, "Edit1"), "+420602909909");

    for (const char* refused : {"+420\"1", "+420\t1", "+420\u00811"}) {
        port.ExpectMessage(Icon::Error, 440);
        EXPECT_FALSE(Closes(dialog, [&] {
            Control<QLineEdit>(dialog, "Edit1").setText(QString::fromUtf8(refused));
            Click(dialog, "Button1");
        })) << refused;
    }
    EXPECT_TRUE(Closes(dialog, [&] {
        Control<QLineEdit>(dialog, "Edit1").setText(QString::fromUtf8("+420 111 é"));
        Click(dialog, "Button1");
    }));
    EXPECT_EQ(dialog.result(), TFSMSCentrum::kResultOk);
    EXPECT_EQ(dialog.Number(), "+420 111 \xE9"); // as the module takes it
    for (const bool escape : {false, true}) {
        EXPECT_TRUE(Closes(dialog, [&] {
            escape ? QTest::keyClick(&dialog, Qt::Key_Escape) : Click(dialog, "Button2");
        }));
        EXPECT_EQ(dialog.result(), TFSMSCentrum::kResultCancel);
    }
}

class MonitorButtons : public kw::test::MainWindowFixture {
protected:
    TFMonitor& Open() {
        Start().LanguageButtonClicked("Eng");
        monitor = std::make_unique<TFMonitor>(language,
                                              TFMonitor::THost{terminal,
                                                               port,
                                                               "/nonexistent/kw-monitor",
                                                               [this] { ++releases; },
                                                               {},
                                                               LeapDayMorning},
                                              window.get());
        monitor->Activate();
        return *monitor;
    }

    CCOMTerminal terminal;
    std::unique_ptr<TFMonitor> monitor;
    int releases = 0;
};

TEST_F(MonitorButtons, OpenWindowShowsNothingKnownAndClosingResetsItBeforeTheLoopStarts) {
    TFMonitor& m = Open();
    m.show();
    EXPECT_EQ(Text(m, "LStatusCaption") + Text(m, "LStatus") + Text(m, "LModuleCaption") +
                  Text(m, "LModule") + Text(m, "LCallCaption") + Text(m, "LModuleClockCaption") +
                  Text(m, "LPcClockCaption") + Text(m, "LPcClock") + Text(m, "LSignalCaption") +
                  Text(m, "LSignal"),
              "E100E103E94E101E131E309E320"
              "24/02/29,07:05:09"
              "E99E101");
    EXPECT_EQ(Text(m, "BSmsCentre") + Text(m, "BSetTime") + Text(m, "BSynchronise") +
                  Text(m, "BClose"),
              "E298E311E318E1");
    EXPECT_FALSE(Control<QProgressBar>(m, "SignalBar").isVisible());
    EXPECT_TRUE(Control<QLabel>(m, "LSignal").isVisible());

    Click(m, "BSynchronise");
    EXPECT_EQ(Text(m, "LModuleClock"), "E319");
    // Closed by the program (the main window going) over an open service
    // dialog: that dialog goes first, or the loop beneath it could not end.
    kw::test::AnswerNextModal([&m](QWidget* setTime) {
        Click(m, "BClose");
        EXPECT_FALSE(setTime->isVisible());
        setTime->close(); // only so that a failure cannot hold the test
    });
    Click(m, "BSetTime");
    EXPECT_FALSE(m.isVisible());
    EXPECT_TRUE(m.Monitor().Stopping());
    EXPECT_EQ(Text(m, "LModuleClock"), "E101");
    EXPECT_EQ(releases, 0); // the loop never started
}

TEST_F(MonitorButtons, APortThatDoesNotOpenIsReportedAndClosesTheWindow) {
    TFMonitor& m = Open();
    port.ExpectMessage(Icon::Error, 125);
    QTimer limit; // a window that stayed open would hold the test for ever
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, [&m] {
        ADD_FAILURE() << "the window stayed open";
        m.CloseClicked();
    });
    limit.start(20000);
    EXPECT_EQ(m.exec(), TFMonitor::kResultPortFailed);
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
    Button("SpeedButton9").click();
    EXPECT_EQ(opened, std::vector<std::string>{"FMonitor"});
    EXPECT_TRUE(busyMeanwhile);
    EXPECT_FALSE(w.GatewayCommands().Busy());
}

} // namespace
