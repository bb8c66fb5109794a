// The monitor window opened from the main window against the real simulated
// gateway, in the shipped languages: one pass fills every row, the SMS centre
// and clock changed with the buttons show on the next pass, a language switch
// re-renders the rows, and closing the main window during the wait between
// passes ends the loop at once. Screenshots of the window and its dialogs in
// English and Czech go to the build folder.
#include "MonitorWindow.h"
#include "MainWindowFixture.h"
#include "ModalAnswer.h"
#include "ScreenshotCheck.h"
#include "SimProcess.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>

#include <algorithm>
#include <functional>

namespace {

using Icon = CUserPort::Icon;
using kw::CMonitor;
using kw::test::AnswerNextModal;
using kw::test::CheckTexts;
using kw::test::Control;
using kw::test::SaveScreenshot;
using MonitorWindow = kw::test::MainWindowFixture;

std::string Row(const QWidget& monitor, const char* name) {
    return Control<QLabel>(monitor, name).text().toStdString();
}

void Click(const QWidget& parent, const char* name) {
    Control<QPushButton>(parent, name).click();
}

// Lays the window out as it would be painted, then checks and saves it.
void Shoot(QWidget& window, const QString& name) {
    window.layout()->activate();
    SaveScreenshot(&window, name);
    CheckTexts(&window, name.toStdString());
}

// Opens a service dialog with `button`, lets `fill` enter a value, saves the
// dialog as "<form name>-<lang>", then closes it with the button `closeWith`.
void ShootServiceDialog(QWidget& monitor, const char* button, const QString& lang,
                        std::function<void(QWidget&)> fill, const char* closeWith) {
    AnswerNextModal([lang, fill = std::move(fill), closeWith](QWidget* modal) {
        fill(*modal);
        Shoot(*modal, modal->objectName().toLower() + "-" + lang);
        Click(*modal, closeWith);
    });
    Click(monitor, button);
}

TEST_F(MonitorWindow, OnePassFillsEveryRowAndTheButtonsChangesShowOnTheNext) {
    kw::test::SimProcess sim({"--gsm", "call:in:+420777123456"});
    ASSERT_TRUE(sim.Running());
    ::setenv("KOLBRAWIN_PROGRAM_DIR", KW_BIN_DIR, 1);
    TFMain& w = Start();
    ASSERT_GE(language.FindLangById("Cze"), 0) << "language files missing in " << KW_BIN_DIR;
    w.LanguageButtonClicked("Eng");
    w.Settings().Com = sim.LinkPath();
    w.show();
    const auto word = [this](int id) { return language.GetText(id); };

    // A read leaves the gateway's exchange open; the monitor ends it first.
    port.ExpectMessage(Icon::Information, 112);
    w.ReadFromGatewayClicked();
    ASSERT_TRUE(w.GatewayCommands().Link().ExchangeOpen());

    std::vector<CMonitor::PassEnd> passes;
    QElapsedTimer sinceClose;
    TFMonitor* opened = nullptr;
    QTimer limit; // a loop that never ended would hold the test for ever
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, [&] {
        ADD_FAILURE() << "out of time";
        if (opened)
            opened->CloseClicked();
    });
    limit.start(60000);

    const auto firstPass = [&](TFMonitor& m) {
        // Every row filled from the module, none left unknown or missing.
        const std::pair<const char*, std::string> rows[] = {
            {"LStatus", word(102)},
            {"LModule", "GWSIM Modules GS-2G Revision 1.0.3"},
            {"LImei", "351234560012345"},
            {"LImsi", "230011234567890"},
            {"LCentre", "+420602909909"},
            {"LOperator", "GWSIM NET (23099) UMTS"},
            {"LCall", word(132) + " (+420777123456)"},
        };
        for (const auto& [name, text] : rows)
            EXPECT_EQ(Row(m, name), text) << name;
        const QRegularExpression clock(R"(^\d\d/\d\d/\d\d,\d\d:\d\d:\d\d)");
        EXPECT_TRUE(clock.match(QString::fromStdString(Row(m, "LModuleClock"))).hasMatch())
            << Row(m, "LModuleClock");
        EXPECT_TRUE(clock.match(QString::fromStdString(Row(m, "LPcClock"))).hasMatch());
        const auto& bar = Control<QProgressBar>(m, "SignalBar");
        EXPECT_TRUE(bar.isVisible() && !Control<QLabel>(m, "LSignal").isVisible());
        EXPECT_EQ(std::to_string(bar.value()) + " " + Row(m, "LSignalDecibels"), "23 -67 dB");
        Shoot(m, "fmonitor-eng");

        ShootServiceDialog(
            m, "BSmsCentre", "eng",
            [](QWidget& dialog) {
                EXPECT_EQ(Control<QLineEdit>(dialog, "Edit1").text(), "+420602909909");
                Control<QLineEdit>(dialog, "Edit1").setText("+420111222333");
            },
            "Button1");
        EXPECT_EQ(Row(m, "LCentre"), word(299));
        const std::pair<const char*, const char*> newClock[] = {
            {"EDay", "1"}, {"EMonth", "3"}, {"EYear", "2025"}, {"EHour", "10"}, {"EMinute", "20"}};
        ShootServiceDialog(
            m, "BSetTime", "eng",
            [&newClock](QWidget& dialog) {
                for (const auto& [name, text] : newClock)
                    Control<QLineEdit>(dialog, name).setText(text);
            },
            "BSet");
        EXPECT_EQ(Row(m, "LModuleClock"), word(310));
    };

    const auto secondPass = [&](TFMonitor& m) {
        EXPECT_EQ(Row(m, "LCentre"), "+420111222333");
        EXPECT_EQ(Row(m, "LModuleClock").substr(0, 16), "25/03/01,10:20:0");

        w.LanguageButtonClicked("Cze");
        EXPECT_EQ(Row(m, "LStatus"), "Modul odpovídá");
        EXPECT_EQ(Row(m, "LCall"), "Příchozí hovor (+420777123456)");
        Shoot(m, "fmonitor-cze");
        ShootServiceDialog(
            m, "BSmsCentre", "cze", [](QWidget&) {}, "Button2");
        Click(m, "BSynchronise");
        EXPECT_EQ(Row(m, "LModuleClock"), word(319));
        ShootServiceDialog(
            m, "BSetTime", "cze", [](QWidget& dialog) { Click(dialog, "BCurrent"); }, "BCancel");
        EXPECT_EQ(m.Monitor().PendingClock(), ""); // cancelling forgets what waited
        // Closing the main window during the wait between passes.
        QTimer::singleShot(200, [&] {
            sinceClose.start();
            w.close();
        });
    };

    AnswerNextModal([&](QWidget* modal) {
        auto* m = dynamic_cast<TFMonitor*>(modal);
        ASSERT_NE(m, nullptr) << modal->objectName().toStdString();
        opened = m;
        m->Monitor().m_PassEnded = [&, m](CMonitor::PassEnd end) {
            passes.push_back(end);
            if (passes.size() == 1)
                firstPass(*m);
            else if (passes.size() == 2)
                secondPass(*m);
        };
    });
    Button("SpeedButton9").click();

    ASSERT_TRUE(sinceClose.isValid());
    EXPECT_LT(sinceClose.elapsed(), 5000); // not the rest of the 10 s wait
    EXPECT_EQ(passes, std::vector<CMonitor::PassEnd>(2, CMonitor::PassEnd::Complete));
    EXPECT_FALSE(w.isVisible()); // closed once the monitor had ended
    EXPECT_FALSE(CMonitor::Busy());

    const std::vector<std::string> log = sim.LogLines();
    const auto firstAt = std::find(log.begin(), log.end(), "AT");
    ASSERT_NE(firstAt, log.end());
    ASSERT_NE(firstAt, log.begin());
    EXPECT_EQ(*(firstAt - 1), "A"); // the read's exchange ended first
    for (const char* set : {"AT+CSCA=\"+420111222333\"", "AT+CCLK=\"25/03/01,10:20:00\""})
        EXPECT_EQ(std::count(log.begin(), log.end(), set), 1) << set;
}

} // namespace
