// Renders the main window with a loaded configuration, and its dialogs, in the
// shipped English and Czech languages into PNG files under the build folder
// (screenshots/), and checks that every text is translated and fits its control.
#include "About.h"
#include "AskBinaries.h"
#include "FileDialogs.h"
#include "FormatText.h"
#include "IPConnect.h"
#include "IpDialing.h"
#include "Language.h"
#include "MainWindow.h"
#include "New.h"
#include "Progress.h"
#include "QtUserPort.h"
#include "ScreenshotCheck.h"
#include "ScriptedUserPort.h"
#include "TempDir.h"
#include "UpgradeInfo.h"

#include <QComboBox>
#include <QListWidget>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using kw::test::CheckTexts;
using kw::test::SaveScreenshot;

class CFileAnswer : public CFileDialogs {
public:
    std::optional<std::string> AskOpen(const QString&) override { return file; }
    std::optional<std::string> AskSave(const QString&, const QString&) override {
        return std::nullopt;
    }
    std::string file;
};

TEST(Screenshots, MainWindowAndDialogsInEnglishAndCzech) {
    kw::test::TempDir temp;
    ::setenv("KOLBRAWIN_PROGRAM_DIR", KW_BIN_DIR, 1);
    const std::string sgd = temp.Path("c.sgd");
    ASSERT_EQ(std::system((std::string(KW_CLI) + " defaults --variant C -o " + sgd).c_str()), 0);

    for (const char* id : {"Eng", "Cze"}) {
        const std::string data = temp.Path(id);
        ::setenv("KOLBRAWIN_DATA_DIR", data.c_str(), 1);
        CLanguage language;
        kw::test::ScriptedUserPort port;
        CFileAnswer files;
        files.file = sgd;
        TFMain w(language);
        ASSERT_GE(language.FindLangById(id), 0) << "language files missing in " << KW_BIN_DIR;
        w.SetUserPort(&port);
        w.SetFileDialogs(&files);
        w.LanguageButtonClicked(id);
        w.LoadFromFileClicked();
        ASSERT_EQ(w.HardwareVariant(), "C");
        w.findChild<QListWidget*>("ListBox1")->setCurrentRow(0);
        w.show();
        const QString lower = QString(id).toLower();
        SaveScreenshot(&w, "main-" + lower);
        CheckTexts(&w, std::string("main ") + id);

        w.SetDialogRunner([&](QDialog& dialog) {
            dialog.show();
            SaveScreenshot(&dialog, QString(dialog.objectName()).toLower() + "-" + lower);
            CheckTexts(&dialog, dialog.objectName().toStdString() + " " + id);
            dialog.reject();
            return 0;
        });
        w.NewConfigurationClicked();
        w.AboutClicked();

        CQtUserPort qtPort(w, language, [&w](QWidget& d) { w.CenterDialog(d); });
        qtPort.ShowProgressWord(0, true);
        qtPort.SetProgressPosition(60);
        SaveScreenshot(qtPort.ProgressWindow(), "progress-" + lower);
        CheckTexts(qtPort.ProgressWindow(), std::string("progress ") + id);
        qtPort.HideProgress();

        TFAskBinaries ask(language, &w);
        ask.Activate({"Kolbra2.Bin", "Kolbra1.Bin"});
        TFUpgradeInfo info(language, &w);
        info.Activate("1.07", "1.08");
        TFIPConnect connect(language, &w);
        kw::TIpSettings last;
        last.LastIpNum = "+420777123456";
        last.LastIpSerial = "10-2024-0001";
        last.LastAPN = "internet";
        connect.Activate(last, port);
        TFIpDialing dialling(language, &w);
        dialling.Open();
        const auto line = [&](int word, const std::vector<std::string>& args) {
            dialling.AddLine(QString::fromStdString(kw::FormatText(language.GetText(word), args)));
        };
        for (int word : {354, 355, 356})
            line(word, {});
        line(358, {"127.0.0.1"});
        line(360, {"10-2024-0002", "127.0.0.1"});
        for (QDialog* dialog : std::initializer_list<QDialog*>{&ask, &info, &connect, &dialling}) {
            dialog->show();
            SaveScreenshot(dialog, QString(dialog->objectName()).toLower() + "-" + lower);
            CheckTexts(dialog, dialog->objectName().toStdString() + " " + id);
            dialog->hide();
        }
        w.close();
    }
    ::unsetenv("KOLBRAWIN_DATA_DIR");
    ::unsetenv("KOLBRAWIN_PROGRAM_DIR");
}

} // namespace
