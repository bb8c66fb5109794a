// The safety net in the main window against the simulated gateway, in the
// shipped English and Czech: read, edit three values, the question before Write
// listing them with their pages and captions, the backups window with the read
// and the write, and the compare window going to a value's control. Screenshots
// of the question and the windows go to the build folder's screenshots/.
#include "BackupsWindow.h"
#include "CompareWindow.h"
#include "FileDialogs.h"
#include "Language.h"
#include "MainWindow.h"
#include "ScriptedUserPort.h"
#include "SimProcess.h"
#include "TempDir.h"
#include "Words.h"

#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

using Icon = CUserPort::Icon;

class CFileAnswer : public CFileDialogs {
public:
    std::optional<std::string> AskOpen(const QString&) override { return file; }
    std::optional<std::string> AskSave(const QString&, const QString&) override {
        return std::nullopt;
    }
    std::string file;
};

void Save(QWidget* widget, const QString& name) {
    const QString folder = KW_SCREENSHOT_DIR;
    QDir().mkpath(folder);
    EXPECT_TRUE(widget->grab().save(folder + "/" + name + ".png")) << name.toStdString();
}

QString Caption(const CLanguage& language, int word) {
    QString text = QString::fromStdString(language.GetText(word)).trimmed();
    while (text.endsWith(':'))
        text.chop(1);
    return text;
}

TEST(SafetyNet, ReadEditThreeQuestionBeforeWriteBackupsAndCompare) {
    kw::test::TempDir temp;
    ::setenv("KOLBRAWIN_PROGRAM_DIR", KW_BIN_DIR, 1);
    for (const char* id : {"Eng", "Cze"}) {
        SCOPED_TRACE(id);
        const QString lower = QString(id).toLower();
        kw::test::SimProcess sim;
        ASSERT_TRUE(
            sim.Start({"--memory", sim.Path("memory.bin"), "--hw", "A", "--serial", "S-9"}));
        ::setenv("KOLBRAWIN_DATA_DIR", temp.Path(id).c_str(), 1);
        CLanguage language;
        kw::test::ScriptedUserPort port;
        CFileAnswer files;
        TFMain w(language);
        w.SetUserPort(&port);
        w.SetFileDialogs(&files);
        w.Settings().Com = sim.LinkPath();
        w.LanguageButtonClicked(id);
        w.show();

        port.ExpectMessage(Icon::Information, 112);
        w.ReadFromGatewayClicked();
        ASSERT_TRUE(port.AllMessagesShown());
        CParameters& p = w.Parameters();
        p.SetValue("FXSVolRec", 0, p.GetValue("FXSVolRec", 0) == "2" ? "3" : "2");
        p.SetValue("PhoneNumForSMS", 0, "+420600111222");
        p.SetValue("RoamPerm", 0, p.GetValue("RoamPerm", 0) == "0" ? "1" : "0");

        // Cancel first: nothing reaches the gateway.
        const size_t logged = sim.LogLines().size();
        int asked = 0;
        w.SetDialogRunner([&](QDialog& dialog) {
            ++asked;
            EXPECT_EQ(dialog.objectName(), "WriteQuestion");
            auto* list = dialog.findChild<QTreeWidget*>("DifferenceList");
            EXPECT_EQ(list->topLevelItemCount(), 3);
            QStringList pages, captions;
            for (int i = 0; i < list->topLevelItemCount(); ++i) {
                pages << list->topLevelItem(i)->text(0);
                captions << list->topLevelItem(i)->text(1);
            }
            const auto section = [&](int s) {
                return Caption(language, kw::word::kFirstSectionName + s);
            };
            EXPECT_TRUE(pages.contains(section(0)) && pages.contains(section(2)) &&
                        pages.contains(section(3)))
                << pages.join("|").toStdString();
            for (int word : {43, 50, 59})
                EXPECT_TRUE(captions.contains(Caption(language, word)))
                    << word << ": " << captions.join("|").toStdString();
            EXPECT_TRUE(dialog.findChild<QLabel*>("QuestionLabel")->text().contains("3"));
            dialog.show();
            Save(&dialog, "write-question-" + lower);
            return asked == 1 ? int(QDialog::Rejected) : int(QDialog::Accepted);
        });
        w.WriteToGatewayClicked();
        EXPECT_EQ(sim.LogLines().size(), logged);
        port.ExpectMessage(Icon::Information, 114);
        w.WriteToGatewayClicked();
        ASSERT_TRUE(port.AllMessagesShown());
        EXPECT_EQ(asked, 2);

        // The backups window: the write, then the read, under the serial number.
        w.BackupsClicked();
        auto* backups = w.findChild<CBackupsWindow*>("BackupsWindow");
        ASSERT_NE(backups, nullptr);
        auto* tree = backups->findChild<QTreeWidget*>("BackupTree");
        ASSERT_EQ(tree->topLevelItemCount(), 1);
        QTreeWidgetItem* gateway = tree->topLevelItem(0);
        EXPECT_EQ(gateway->text(0), "S-9");
        ASSERT_EQ(gateway->childCount(), 2);
        EXPECT_EQ(gateway->child(0)->text(1),
                  QString::fromStdString(language.GetText(kw::word::kBackupWritten)));
        EXPECT_EQ(gateway->child(1)->text(1),
                  QString::fromStdString(language.GetText(kw::word::kBackupRead)));
        EXPECT_EQ(gateway->child(1)->text(2), "A");
        Save(backups, "backups-" + lower);

        // Compare the read backup with the editor: the same three values, and a
        // double-click goes to the control's page.
        tree->setCurrentItem(gateway->child(1));
        backups->findChild<QPushButton*>("CompareButton")->click();
        auto* compare = w.findChild<CCompareWindow*>("CompareWindow");
        ASSERT_NE(compare, nullptr);
        auto* list = compare->findChild<QTreeWidget*>("DifferenceList");
        ASSERT_EQ(list->topLevelItemCount(), 3);
        Save(compare, "compare-" + lower);
        for (int i = 0; i < 3; ++i) {
            QTreeWidgetItem* item = list->topLevelItem(i);
            emit list->itemDoubleClicked(item, 0);
            const int section = item->data(0, Qt::UserRole).toInt();
            EXPECT_EQ(w.findChild<QListWidget*>("ListBox1")->currentRow(), section);
            const QString control = item->data(0, Qt::UserRole + 1).toString();
            auto* target = w.findChild<QWidget*>(control);
            ASSERT_NE(target, nullptr) << control.toStdString();
            EXPECT_TRUE(target->isVisibleTo(&w)) << control.toStdString();
        }

        // The gateway read now holds what was written: nothing differs, and
        // that read left its own backup.
        port.ExpectMessage(Icon::Information, 112);
        compare->findChild<QPushButton*>("GatewayButton")->click();
        ASSERT_TRUE(port.AllMessagesShown());
        EXPECT_EQ(list->topLevelItemCount(), 0);
        EXPECT_EQ(compare->findChild<QLabel*>("CountLabel")->text(),
                  QString::fromStdString(language.GetText(kw::word::kNoDifferences)));
        w.BackupsClicked();
        ASSERT_EQ(tree->topLevelItem(0)->childCount(), 3);
        tree->setCurrentItem(tree->topLevelItem(0)->child(2));

        // Open loads the read backup into the editor: the edits are gone.
        const std::string phone = p.GetValue("PhoneNumForSMS", 0);
        backups->findChild<QPushButton*>("OpenButton")->click();
        EXPECT_NE(p.GetValue("PhoneNumForSMS", 0), phone);
        EXPECT_EQ(w.HardwareVariant(), "A");
        backups->close();
        compare->close();
        w.close();
    }
    ::unsetenv("KOLBRAWIN_DATA_DIR");
    ::unsetenv("KOLBRAWIN_PROGRAM_DIR");
}

} // namespace
