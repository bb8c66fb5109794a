// The main window's Upgrade command against the real simulated gateway on its
// pseudo-terminal, with a firmware file in the program or the data folder:
// progress, the final message, and the gateway reporting its new firmware
// afterwards. And the unattended upgrade a Yes to the read's firmware question
// starts.
#include "FirmwareFile.h"
#include "MainWindowFixture.h"
#include "Progress.h"
#include "QtUserPort.h"
#include "SimProcess.h"
#include "UpgradeInfo.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

namespace {

using kw::test::Control;
using Icon = CUserPort::Icon;
using UpgradeCommand = kw::test::MainWindowFixture;

int Count(const std::vector<std::string>& lines, const std::string& line) {
    return static_cast<int>(std::count(lines.begin(), lines.end(), line));
}

TEST_F(UpgradeCommand, UpgradesFromTheProgramFolderWithProgressAndEndsWithMessage123) {
    kw::test::SimProcess sim;
    ASSERT_TRUE(sim.Start({"--hw", "E", "--memory", sim.Path("memory.bin")}));
    kw::test::MakeFirmwareFile(programDir + "/Kolbra1.Bin", "1.08");
    TFMain& w = Start();
    w.Settings().Com = sim.LinkPath();
    ASSERT_TRUE(Button("SpeedButton7").isEnabled());

    port.SetVersionAnswer(true);
    port.ExpectQuestion(Icon::Question, 116, true).ExpectMessage(Icon::Information, 123);
    Button("SpeedButton7").click();
    ASSERT_TRUE(port.AllMessagesShown());
    EXPECT_EQ(port.versionsShown, (std::vector<std::string>{"1.07", "1.08"}));
    EXPECT_EQ(port.progressLog.front(), "show 104 bar");
    EXPECT_EQ(Count(port.progressLog, "range 0 120"), 1);
    EXPECT_EQ(Count(port.progressLog, "text W122 59 / 60"), 1);
    EXPECT_EQ(Count(port.progressLog, "pos 119"), 1);
    EXPECT_EQ(port.progressLog.back(), "hide");
    EXPECT_FALSE(port.progressVisible);
    EXPECT_FALSE(w.GatewayCommands().Link().ExchangeOpen()); // released after the upgrade
    EXPECT_EQ(Count(sim.LogLines(), "upgrade complete 1.08"), 1);

    // The gateway now runs the new firmware.
    port.ExpectMessage(Icon::Information, 112);
    Button("SpeedButton1").click();
    EXPECT_EQ(w.Parameters().GetValue("SWVer", 0), "1.08");

    // The menu item is the same command; No to its question does nothing.
    const size_t logged = sim.LogLines().size();
    port.ExpectQuestion(Icon::Question, 116, false);
    Action("Upgradefirmware1").trigger();
    EXPECT_TRUE(port.AllMessagesShown());
    EXPECT_EQ(sim.LogLines().size(), logged);
}

// An installed program's folder is read-only for the user, who puts firmware
// files into the data folder instead.
TEST_F(UpgradeCommand, TakesTheDataFoldersFileWhenTheProgramFolderHasNone) {
    kw::test::SimProcess sim;
    ASSERT_TRUE(sim.Start({"--hw", "C", "--memory", sim.Path("memory.bin")}));
    kw::test::MakeFirmwareFile(dataDir + "/Kolbra.Bin", "1.11");
    TFMain& w = Start();
    w.Settings().Com = sim.LinkPath();

    port.SetVersionAnswer(true);
    port.ExpectQuestion(Icon::Question, 116, true).ExpectMessage(Icon::Information, 123);
    Button("SpeedButton7").click();
    ASSERT_TRUE(port.AllMessagesShown());
    EXPECT_EQ(port.versionsShown, (std::vector<std::string>{"1.07", "1.11"}));
    EXPECT_EQ(Count(sim.LogLines(), "upgrade complete 1.11"), 1);
}

TEST_F(UpgradeCommand, YesToTheReadsFirmwareQuestionUpgradesAndThenReads) {
    kw::test::SimProcess sim;
    ASSERT_TRUE(sim.Start({"--hw", "A", "--memory", sim.Path("memory.bin"), "--fault",
                           "invalid-version-until-upgrade"}));
    kw::test::MakeFirmwareFile(programDir + "/Kolbra.Bin", "2.00");
    TFMain& w = Start();
    w.Settings().Com = sim.LinkPath();

    port.SetVersionAnswer(true);
    port.ExpectQuestion(Icon::Error, 174, true).ExpectMessage(Icon::Information, 112);
    Button("SpeedButton1").click();
    ASSERT_TRUE(port.AllMessagesShown());
    EXPECT_EQ(port.versionsShown, (std::vector<std::string>{"BOOT", "2.00"}));
    EXPECT_EQ(w.Parameters().GetValue("SWVer", 0), "2.00");
    EXPECT_EQ(w.HardwareVariant(), "A");
    // The read's own window only, and no message of the upgrade's.
    EXPECT_EQ(Count(port.progressLog, "show 104 bar"), 1);
    EXPECT_EQ(Count(port.progressLog, "cancel hidden"), 1);
    EXPECT_EQ(Count(sim.LogLines(), "upgrade complete 2.00"), 1);
}

TEST_F(UpgradeCommand, RealDialogsAndProgressWindowOverTheWholeUpgrade) {
    kw::test::SimProcess sim;
    ASSERT_TRUE(sim.Start({"--hw", "D", "--memory", sim.Path("memory.bin")}));
    kw::test::MakeFirmwareFile(programDir + "/Kolbra7.Bin", "1.09");
    TFMain& w = Start();
    w.SetUserPort(nullptr); // the window's own dialogs
    w.show();
    w.Settings().Com = sim.LinkPath();
    auto& qtPort = dynamic_cast<CQtUserPort&>(w.UserPort());

    std::vector<std::string> seen;
    bool barAtTwiceTheBlocks = false, cancelHiddenDuringTransfer = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (TFProgress* progress = qtPort.ProgressWindow();
            progress != nullptr && Control<QProgressBar>(*progress, "ProgressBar1").value() > 0) {
            barAtTwiceTheBlocks = Control<QProgressBar>(*progress, "ProgressBar1").maximum() == 60;
            cancelHiddenDuringTransfer = Control<QPushButton>(*progress, "Button1").isHidden();
        }
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* info = dynamic_cast<TFUpgradeInfo*>(modal)) {
            seen.push_back("versions " + Control<QLabel>(*info, "Label2").text().toStdString() +
                           " " + Control<QLabel>(*info, "Label4").text().toStdString());
            Control<QPushButton>(*info, "Button2").click();
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            seen.push_back(box->text().toStdString() +
                           (qtPort.ProgressWindow() != nullptr ? " with progress" : ""));
            box->button(box->button(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok)
                ->click();
        }
    });
    watch.start(5);
    Button("SpeedButton7").click();
    watch.stop();

    EXPECT_EQ(seen, (std::vector<std::string>{"E116", "versions 1.07 1.09", "E123"}));
    EXPECT_TRUE(barAtTwiceTheBlocks);
    EXPECT_TRUE(cancelHiddenDuringTransfer);
    EXPECT_EQ(qtPort.ProgressWindow(), nullptr);
    EXPECT_EQ(Count(sim.LogLines(), "upgrade complete 1.09"), 1);
}

} // namespace
