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
#include "ScriptedUserPort.h"
#include "TempDir.h"
#include "UpgradeInfo.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class CFileAnswer : public CFileDialogs {
public:
    std::optional<std::string> AskOpen(const QString&) override { return file; }
    std::optional<std::string> AskSave(const QString&, const QString&) override {
        return std::nullopt;
    }
    std::string file;
};

// "S12", "S12H", "S12_3": the key a word without a translation shows.
bool IsUntranslated(const QString& text) {
    static const QRegularExpression key("^S\\d+(H|_\\d+)?[A-Z]?$");
    return key.match(text.trimmed()).hasMatch();
}

// Every text of a window that a user can see or hover: none may be a word's key,
// none of labels and buttons may be cut off.
void CheckTexts(QWidget* window, const std::string& where) {
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets << window;
    for (QWidget* w : widgets) {
        const std::string name = where + ":" + w->objectName().toStdString();
        EXPECT_FALSE(IsUntranslated(w->toolTip()))
            << name << " hint " << w->toolTip().toStdString();
        EXPECT_FALSE(IsUntranslated(w->windowTitle())) << name;
        if (!w->isVisibleTo(window))
            continue;
        QString text;
        if (auto* label = qobject_cast<QLabel*>(w))
            text = label->text();
        else if (auto* button = qobject_cast<QAbstractButton*>(w))
            text = button->text();
        if (text.isEmpty())
            continue;
        EXPECT_FALSE(IsUntranslated(text)) << name << " shows " << text.toStdString();
        auto* label = qobject_cast<QLabel*>(w);
        if (label && label->wordWrap())
            continue;
        EXPECT_GE(w->width(), w->minimumSizeHint().width())
            << name << " cuts \"" << text.toStdString() << "\"";
    }
    for (QMenu* menu : window->findChildren<QMenu*>())
        for (QAction* action : menu->actions())
            EXPECT_FALSE(IsUntranslated(action->text()))
                << where << " menu " << action->text().toStdString();
    if (auto* list = window->findChild<QListWidget*>("ListBox1"))
        for (int i = 0; i < list->count(); ++i) {
            const QString item = list->item(i)->text();
            EXPECT_FALSE(IsUntranslated(item)) << where << " section " << i;
            EXPECT_LE(list->fontMetrics().horizontalAdvance(item) + 8, list->viewport()->width())
                << where << " section " << item.toStdString() << " is cut";
        }
}

void Save(QWidget* widget, const QString& name) {
    const QString folder = KW_SCREENSHOT_DIR;
    QDir().mkpath(folder);
    EXPECT_TRUE(widget->grab().save(folder + "/" + name + ".png")) << name.toStdString();
}

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
        Save(&w, "main-" + lower);
        CheckTexts(&w, std::string("main ") + id);

        w.SetDialogRunner([&](QDialog& dialog) {
            dialog.show();
            Save(&dialog, QString(dialog.objectName()).toLower() + "-" + lower);
            CheckTexts(&dialog, dialog.objectName().toStdString() + " " + id);
            dialog.reject();
            return 0;
        });
        w.NewConfigurationClicked();
        w.AboutClicked();

        CQtUserPort qtPort(w, language, [&w](QWidget& d) { w.CenterDialog(d); });
        qtPort.ShowProgressWord(0, true);
        qtPort.SetProgressPosition(60);
        Save(qtPort.ProgressWindow(), "progress-" + lower);
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
            Save(dialog, QString(dialog->objectName()).toLower() + "-" + lower);
            CheckTexts(dialog, dialog->objectName().toStdString() + " " + id);
            dialog->hide();
        }
        w.close();
    }
    ::unsetenv("KOLBRAWIN_DATA_DIR");
    ::unsetenv("KOLBRAWIN_PROGRAM_DIR");
}

} // namespace
