// The load, save and new-configuration commands of the main window.
#include "MainWindowFixture.h"
#include "New.h"
#include "TestPage.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>

#include <cstdlib>
#include <filesystem>

namespace {

using kw::test::Control;
using Icon = CUserPort::Icon;
using kw::test::CTestPage;
using FileCommands = kw::test::MainWindowFixture;

TEST_F(FileCommands, CancelledLoadChangesNothing) {
    TFMain& w = StartWithConfiguration("C");
    w.Parameters().SetValue("FXSVolRec", 0, "5");
    w.Parameters().m_Modified = true;
    files.answers.push_back(std::nullopt);
    Button("SpeedButton3").click();
    EXPECT_EQ(files.asked,
              (std::vector<std::string>{"open EConfigurations (*.sgd)|*.sgd|All files|*.*"}));
    EXPECT_EQ(w.HardwareVariant(), "C");
    EXPECT_EQ(w.Parameters().GetValue("FXSVolRec", 0), "5");
    EXPECT_TRUE(w.Parameters().m_Modified);
}

TEST_F(FileCommands, LoadTakesTheFileAndItsVariant) {
    const std::string file = temp.Path("gateway.sgd");
    temp.Write("gateway.sgd", "HWVer=\"E\"\r\nFXSVolRec=\"1\"\r\nPINVal=\"1234\"\r\n");
    TFMain& w = Start();
    w.SetPinChanged(true);
    w.SetServisPasswChanged(true);
    files.answers.push_back(file);
    Action("Nacistzesouboru1").trigger();
    EXPECT_EQ(w.HardwareVariant(), "E");
    EXPECT_EQ(w.Parameters().GetValue("FXSVolRec", 0), "1");
    EXPECT_EQ(w.Parameters().GetValue("PINVal", 0), "");
    EXPECT_FALSE(w.Parameters().m_Modified);
    EXPECT_FALSE(w.PinChanged());
    EXPECT_FALSE(w.ServisPasswChanged());
    EXPECT_TRUE(SectionList().isEnabled());
    EXPECT_TRUE(Button("SpeedButton4").isEnabled());
    EXPECT_EQ(w.windowTitle(), "E0 - E328");

    // Without HWVer, a file with remote-supervision numbers is a C.
    temp.Write("old.sgd", "ModemNum1=\"123\"\r\n");
    files.answers.push_back(temp.Path("old.sgd"));
    w.LoadFromFileClicked();
    EXPECT_EQ(w.HardwareVariant(), "C");
    EXPECT_EQ(w.Parameters().GetValue("HWVer", 0), "C");
    EXPECT_FALSE(w.Parameters().m_Modified);
}

TEST_F(FileCommands, AFileThatCannotBeOpenedIsReportedAndLeavesTheDefaultsAsA) {
    TFMain& w = StartWithConfiguration("E");
    w.Parameters().SetValue("FXSVolRec", 0, "5");
    w.SetPinChanged(true);
    const std::string missing = temp.Path("missing.sgd");
    files.answers.push_back(missing);
    port.ExpectMessage(Icon::Error, 130, {missing});
    w.LoadFromFileClicked();
    EXPECT_TRUE(port.AllMessagesShown());
    EXPECT_EQ(w.HardwareVariant(), "A");
    EXPECT_EQ(w.Parameters().GetValue("FXSVolRec", 0), "3");
    EXPECT_TRUE(w.PinChanged());
    EXPECT_EQ(w.windowTitle(), "E0 - E326");
}

TEST_F(FileCommands, SaveStoresThePageFirstAndClearsTheModifiedFlag) {
    std::vector<std::string> log;
    TFMain& w = StartWithConfiguration("A");
    auto* page = new CTestPage(w, "lines", &log);
    w.Sections().SetPage(kw::kSectionLines, page);
    SectionList().setCurrentRow(0);
    page->hangMinEdit->setText("900");
    const std::string file = temp.Path("saved.sgd");
    files.answers.push_back(file);
    Button("SpeedButton4").click();
    EXPECT_EQ(files.asked,
              (std::vector<std::string>{"save EConfigurations (*.sgd);;All files (*) sgd"}));
    EXPECT_EQ(log.back(), "store lines");
    EXPECT_FALSE(w.Parameters().m_Modified);
    const std::string saved = kw::test::ReadFileBytes(file);
    EXPECT_EQ(saved.rfind("HWVer=\"A\"\r\n", 0), 0u);
    EXPECT_NE(saved.find("\r\nFXSHangMin=\"900\"\r\n"), std::string::npos);

    // Cancelled: the page is still stored first, nothing else happens.
    page->hangMinEdit->setText("1000");
    files.answers.push_back(std::nullopt);
    w.SaveToFileClicked();
    EXPECT_TRUE(w.Parameters().m_Modified);
    EXPECT_EQ(kw::test::ReadFileBytes(file), saved);
}

TEST_F(FileCommands, AFileThatCannotBeWrittenIsReportedAndStaysModified) {
    TFMain& w = StartWithConfiguration("A");
    w.Parameters().m_Modified = true;
    const std::string file = temp.Path("no-such-folder/saved.sgd");
    files.answers.push_back(file);
    port.ExpectMessage(Icon::Error, 129, {file});
    Action("Ulozitdosouboru1").trigger();
    EXPECT_TRUE(port.AllMessagesShown());
    EXPECT_TRUE(w.Parameters().m_Modified);
}

// Answers the new-configuration dialog: checks the entry it opened on, picks
// `choice` (-1: cancel) and presses the button.
std::function<int(QDialog&)> AnswerNew(int choice, int* openedOn) {
    return [choice, openedOn](QDialog& dialog) {
        auto* fnew = dynamic_cast<TFNew*>(&dialog);
        EXPECT_NE(fnew, nullptr);
        if (fnew == nullptr)
            return 0;
        *openedOn = Control<QComboBox>(*fnew, "ComboBox1").currentIndex();
        EXPECT_EQ(Control<QComboBox>(*fnew, "ComboBox1").count(), 3);
        if (choice < 0) {
            Control<QPushButton>(*fnew, "Button2").click();
        } else {
            Control<QComboBox>(*fnew, "ComboBox1").setCurrentIndex(choice);
            Control<QPushButton>(*fnew, "Button1").click();
        }
        return fnew->result();
    };
}

TEST_F(FileCommands, NewConfigurationWithNothingHeldAsksNoQuestion) {
    TFMain& w = Start();
    w.Parameters().m_Modified = true;
    int openedOn = -1;
    w.SetDialogRunner(AnswerNew(1, &openedOn));
    Button("SpeedButton10").click();
    EXPECT_EQ(openedOn, 0);
    EXPECT_EQ(w.HardwareVariant(), "C");
    EXPECT_EQ(w.Parameters().GetValue("HWVer", 0), "C");
    EXPECT_EQ(w.Parameters().GetValue("FXSVolRec", 0), "3");
    EXPECT_FALSE(w.Parameters().m_Modified);
    EXPECT_TRUE(SectionList().isEnabled());
    EXPECT_EQ(w.windowTitle(), "E0 - E327");
    EXPECT_EQ(Control<TFNew>(*window, "FNew").windowTitle(), "E325");
    EXPECT_EQ(Control<QComboBox>(Control<TFNew>(*window, "FNew"), "ComboBox1").itemText(1), "E327");
    EXPECT_EQ(Control<QComboBox>(Control<TFNew>(*window, "FNew"), "ComboBox1").toolTip(), "EH327");
}

TEST_F(FileCommands, NewConfigurationOverAModifiedOneAsksFirst) {
    TFMain& w = StartWithConfiguration("E");
    w.Parameters().SetValue("FXSVolRec", 0, "5");
    w.Parameters().m_Modified = true;
    int openedOn = -1;
    w.SetDialogRunner(AnswerNew(0, &openedOn));

    port.ExpectQuestion(Icon::Question, 334, false);
    w.NewConfigurationClicked();
    EXPECT_EQ(openedOn, -1); // the dialog never opened
    EXPECT_EQ(w.HardwareVariant(), "E");

    // Yes, then Cancel in the dialog: still nothing changes.
    port.ExpectQuestion(Icon::Question, 334, true);
    w.SetDialogRunner(AnswerNew(-1, &openedOn));
    w.NewConfigurationClicked();
    EXPECT_EQ(openedOn, 2);
    EXPECT_EQ(w.HardwareVariant(), "E");
    EXPECT_EQ(w.Parameters().GetValue("FXSVolRec", 0), "5");
    EXPECT_TRUE(w.Parameters().m_Modified);

    port.ExpectQuestion(Icon::Question, 334, true);
    w.SetDialogRunner(AnswerNew(0, &openedOn));
    w.NewConfigurationClicked();
    EXPECT_EQ(w.HardwareVariant(), "A");
    EXPECT_EQ(w.Parameters().GetValue("FXSVolRec", 0), "3");
    EXPECT_TRUE(port.AllMessagesShown());

    // Unmodified (as after a load or save): no question.
    w.SetDialogRunner(AnswerNew(2, &openedOn));
    w.NewConfigurationClicked();
    EXPECT_EQ(w.HardwareVariant(), "E");
}

TEST_F(FileCommands, NewConfigurationFromADOpensOnTheFirstEntry) {
    TFMain& w = StartWithConfiguration("D");
    int openedOn = -1;
    w.SetDialogRunner(AnswerNew(-1, &openedOn));
    w.NewConfigurationClicked();
    EXPECT_EQ(openedOn, 0);
    EXPECT_EQ(w.HardwareVariant(), "D");
    StartWithConfiguration("C");
    window->SetDialogRunner(AnswerNew(-1, &openedOn));
    window->NewConfigurationClicked();
    EXPECT_EQ(openedOn, 1);
}

// Files written by the command-line tool load in the window and save back the same.
TEST_F(FileCommands, FilesOfTheCommandLineToolLoadAndSaveUnchanged) {
    TFMain& w = Start();
    for (const char* variant : {"A", "C", "E"}) {
        const std::string cli = temp.Path(std::string("cli-") + variant + ".sgd");
        const std::string command =
            std::string(KW_CLI) + " defaults --variant " + variant + " -o " + cli;
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        files.answers.push_back(cli);
        w.LoadFromFileClicked();
        EXPECT_EQ(w.HardwareVariant(), variant);
        const std::string back = temp.Path(std::string("back-") + variant + ".sgd");
        files.answers.push_back(back);
        w.SaveToFileClicked();
        EXPECT_EQ(kw::test::ReadFileBytes(back), kw::test::ReadFileBytes(cli)) << variant;
    }
}

} // namespace
