// The main window's Read and Write commands against the real simulated gateway
// on its pseudo-terminal: a technician's whole cycle of read, edit, write, read.
#include "ConfigImage.h"
#include "MainWindowFixture.h"
#include "ParameterCatalogue.h"
#include "SimProcess.h"

#include <QAction>
#include <QDialog>
#include <QListWidget>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <vector>

namespace {

using Icon = CUserPort::Icon;
using GatewayCommands = kw::test::MainWindowFixture;

// The simulator's configuration memory, decoded as a read would.
std::string MemoryValue(const std::string& memoryFile, const char* name) {
    const std::string bytes = kw::test::ReadFileBytes(memoryFile);
    EXPECT_EQ(bytes.size(), size_t(kw::kImageSize));
    CParameters p;
    kw::RegisterCatalogue(p);
    if (bytes.size() == size_t(kw::kImageSize))
        p.LoadFromImage(reinterpret_cast<const uint8_t*>(bytes.data()), kw::kImageSize);
    return p.GetValue(name, 0);
}

TEST_F(GatewayCommands, ReadEditWriteReadOverTheCable) {
    kw::test::SimProcess sim;
    const std::string memory = sim.Path("memory.bin");
    ASSERT_TRUE(sim.Start({"--memory", memory, "--hw", "D", "--serial", "77-1"}));
    TFMain& w = Start();
    w.Settings().Com = sim.LinkPath();
    EXPECT_TRUE(Button("SpeedButton1").isEnabled());

    port.ExpectMessage(Icon::Information, 112);
    Button("SpeedButton1").click();
    ASSERT_TRUE(port.AllMessagesShown());
    EXPECT_EQ(w.HardwareVariant(), "D");
    EXPECT_EQ(w.Parameters().GetValue("SerialNum", 0), "77-1");
    EXPECT_TRUE(
        w.GatewayCommands().Link().ExchangeOpen()); // the gateway keeps waiting for commands
    EXPECT_TRUE(SectionList().isEnabled());
    EXPECT_TRUE(Button("SpeedButton2").isEnabled());
    EXPECT_FALSE(port.progressVisible);

    const std::string before = w.Parameters().GetValue("FXSVolRec", 0);
    const std::string edited = before == "1" ? "4" : "1";
    w.Parameters().SetValue("FXSVolRec", 0, edited);
    // The read left a backup: the edit is shown before anything is written.
    int questions = 0;
    w.SetDialogRunner([&](QDialog& dialog) {
        ++questions;
        EXPECT_EQ(dialog.objectName(), "WriteQuestion");
        return int(QDialog::Accepted);
    });
    port.ExpectMessage(Icon::Information, 114);
    Action("Ulozitdobrany1").trigger();
    ASSERT_TRUE(port.AllMessagesShown());
    EXPECT_EQ(questions, 1);
    EXPECT_EQ(MemoryValue(memory, "FXSVolRec"), edited);
    EXPECT_FALSE(
        w.GatewayCommands().Link().ExchangeOpen()); // a write on the cable ends the exchange

    // The configuration in memory counts as modified: the read asks first.
    w.Parameters().SetValue("FXSVolRec", 0, before);
    port.ExpectQuestion(Icon::Question, 334, true).ExpectMessage(Icon::Information, 112);
    Action("Nacistzbrany1").trigger();
    EXPECT_EQ(w.Parameters().GetValue("FXSVolRec", 0), edited);

    // Closing the window ends the open exchange with its "A".
    const size_t logged = sim.LogLines().size();
    w.close();
    ASSERT_TRUE(sim.WaitForLogLines(logged + 1));
    EXPECT_EQ(sim.LogLines().back(), "A");
}

TEST_F(GatewayCommands, WriteRefusedForAnotherHardwareFamily) {
    kw::test::SimProcess sim;
    ASSERT_TRUE(sim.Start({"--memory", sim.Path("memory.bin"), "--hw", "A"}));
    TFMain& w = StartWithConfiguration("C");
    w.Settings().Com = sim.LinkPath();
    port.ExpectMessage(Icon::Error, 333);
    w.WriteToGatewayClicked();
    for (const std::string& line : sim.LogLines())
        EXPECT_NE(line.rfind("g", 0), 0u) << "nothing may be written: " << line;
}

TEST_F(GatewayCommands, SecondCommandAndCloseWaitForTheOneRunning) {
    kw::test::SimProcess sim;
    ASSERT_TRUE(sim.Start({"--fault", "silent"}));
    TFMain& w = StartWithConfiguration("A");
    w.Settings().Com = sim.LinkPath();
    bool clickedDuringRead = false;
    // While the read keeps asking the silent gateway, a Write is clicked and the
    // window is closed.
    QTimer::singleShot(300, &w, [&] {
        clickedDuringRead = w.GatewayCommands().Busy();
        Button("SpeedButton2").click();
        w.close();
        EXPECT_FALSE(w.GatewayCommands().Link().Closing()); // not before the read has ended
    });
    w.ReadFromGatewayClicked();
    EXPECT_TRUE(clickedDuringRead);
    EXPECT_FALSE(w.GatewayCommands().Busy());
    EXPECT_TRUE(w.GatewayCommands().Link().Closing()); // closed once the cancelled read had ended
    EXPECT_EQ(std::count_if(port.progressLog.begin(), port.progressLog.end(),
                            [](const std::string& line) { return line.rfind("show", 0) == 0; }),
              1); // the Write never started
    EXPECT_EQ(w.HardwareVariant(), "A");
}

TEST_F(GatewayCommands, PortThatCannotOpenIsReported) {
    TFMain& w = Start();
    w.Settings().Com = temp.Path("no-such-port");
    port.ExpectMessage(Icon::Error, 125);
    w.ReadFromGatewayClicked();
    EXPECT_EQ(w.HardwareVariant(), "");
    EXPECT_FALSE(port.progressVisible);
}

} // namespace
