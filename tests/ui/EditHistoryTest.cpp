// Undo and redo in the main window: random committed edits across the pages
// come back step by step with their exact configuration and the security
// flags, each on its own page; the routing table's export, edit, import and
// undo as the user does them (screenshots into the build folder).
#include "Csv.h"
#include "FormatText.h"
#include "MainWindowFixture.h"
#include "New.h"
#include "PageBuilder.h"
#include "PageQuery.h"
#include "Pages.h"
#include "RoutingGrid.h"
#include "SmerovaciTabulka.h"
#include "Words.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include <random>

namespace {

using kw::routing::TableId;
using kw::test::MainWindowFixture;

kw::TConfigState Now(TFMain& w) {
    return kw::CEditHistory::Capture(w.Parameters(), w.PinChanged(), w.ServisPasswChanged());
}

void ExpectState(TFMain& w, const kw::TConfigState& expected, const std::string& where) {
    const kw::TConfigState now = Now(w);
    EXPECT_TRUE(now.SameAs(expected)) << where;
    EXPECT_EQ(now.modified, expected.modified) << where;
    EXPECT_EQ(now.pinChanged, expected.pinChanged) << where;
    EXPECT_EQ(now.passwChanged, expected.passwChanged) << where;
}

// The user's way of committing a field: the focus leaves it.
void LeaveField(QWidget* field) {
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(field, &out);
}

class EditHistory : public MainWindowFixture {
protected:
    // One random committed edit of a visible control of the section's page;
    // false when the control it picked already showed what it tried.
    bool RandomEdit(int section, std::mt19937& random) {
        TFDForm* page = window->Sections().CurrentPage();
        std::vector<const kw::pages::TRow*> rows;
        for (const kw::pages::TGroup& group : kw::pages::SectionPages()[section]->groups)
            for (const kw::pages::TRow& row : group.rows)
                if (!row.param.empty() && !row.name.empty() &&
                    (row.kind == kw::pages::Kind::Edit || row.kind == kw::pages::Kind::Check ||
                     row.kind == kw::pages::Kind::List || row.kind == kw::pages::Kind::Spin))
                    if (QWidget* control = page->findChild<QWidget*>(kw::Text(row.name));
                        control != nullptr && !control->isHidden() && control->isEnabled())
                        rows.push_back(&row);
        if (section == kw::kSectionRouting) {
            auto* routing = static_cast<TFSmerovaciTabulka*>(page);
            CRoutingGrid* grid = routing->Grid(random() % 2 ? TableId::FXS : TableId::GSM);
            const int column = 1 + static_cast<int>(random() % (grid->columnCount() - 1));
            const int row = static_cast<int>(random() % kw::routing::kRoutingRows);
            const TGridColumn& declared = grid->Column(column);
            const QString value =
                declared.kind == kw::routing::CellKind::Enumerated
                    ? QString::number(declared.row->items[random() % declared.row->items.size()])
                    : QString::number(random() % 100);
            const QString before = grid->CellText(row, column);
            grid->SetCellText(row, column, value);
            return before != value;
        }
        if (rows.empty())
            return false;
        const kw::pages::TRow& row = *rows[random() % rows.size()];
        QWidget* control = page->findChild<QWidget*>(kw::Text(row.name));
        if (auto* check = qobject_cast<QCheckBox*>(control)) {
            check->click();
            return true;
        }
        if (auto* combo = qobject_cast<QComboBox*>(control)) {
            const int index = static_cast<int>(random() % combo->count());
            if (index == combo->currentIndex())
                return false;
            combo->setCurrentIndex(index);
            emit combo->activated(index);
            return true;
        }
        auto* edit = qobject_cast<QLineEdit*>(control);
        if (edit == nullptr)
            return false;
        const QString before = edit->text();
        edit->setText(QString::number(1000 + random() % 9000));
        LeaveField(edit);
        return edit->text() != before;
    }
};

TEST_F(EditHistory, RandomEditsAcrossPagesUndoAndRedoStepByStep) {
    TFMain& w = StartWithConfiguration("A");
    w.RecordCommittedEdit();
    EXPECT_FALSE(Action("UndoAction").isEnabled());
    std::mt19937 random(17);
    const int sections[] = {kw::kSectionLines,  kw::kSectionRouting, kw::kSectionSmsInput,
                            kw::kSectionGsmSim, kw::kSectionService, kw::kSectionSecurity};
    std::vector<kw::TConfigState> states{Now(w)};
    std::vector<int> sectionOf{-1};
    for (int attempt = 0; attempt < 60 && states.size() < 26; ++attempt) {
        const int section = sections[random() % std::size(sections)];
        SectionList().setCurrentRow(section);
        if (!RandomEdit(section, random))
            continue;
        w.RecordCommittedEdit();
        const kw::TConfigState now = Now(w);
        if (now.SameAs(states.back()))
            continue; // the control normalised back to what it held
        states.push_back(now);
        sectionOf.push_back(section);
    }
    ASSERT_GE(states.size(), 20u);
    // The PIN typed on the security page marks it changed, and undo clears it.
    bool pinFlagged = false;
    for (const kw::TConfigState& state : states)
        pinFlagged = pinFlagged || state.pinChanged || state.passwChanged;
    EXPECT_TRUE(pinFlagged) << "no security edit among the random ones";

    // Back to the start, each step on the page where it was made.
    SectionList().setCurrentRow(kw::kSectionLines);
    for (size_t i = states.size() - 1; i > 0; --i) {
        ASSERT_TRUE(Action("UndoAction").isEnabled());
        Action("UndoAction").trigger();
        ExpectState(w, states[i - 1], "undo to step " + std::to_string(i - 1));
        EXPECT_EQ(SectionList().currentRow(), sectionOf[i]) << "undo of step " << i;
    }
    EXPECT_FALSE(Action("UndoAction").isEnabled());
    EXPECT_FALSE(w.Parameters().m_Modified);
    for (size_t i = 1; i < states.size(); ++i) {
        ASSERT_TRUE(Action("RedoAction").isEnabled());
        Action("RedoAction").trigger();
        ExpectState(w, states[i], "redo to step " + std::to_string(i));
    }
    EXPECT_FALSE(Action("RedoAction").isEnabled());

    // A new edit after an undo forgets what was undone.
    Action("UndoAction").trigger();
    SectionList().setCurrentRow(kw::kSectionRouting);
    auto* routing = static_cast<TFSmerovaciTabulka*>(w.Sections().CurrentPage());
    routing->Grid(TableId::GSM)->SetCellText(7, 1, "4242");
    w.RecordCommittedEdit();
    EXPECT_FALSE(Action("RedoAction").isEnabled());
    EXPECT_EQ(w.Parameters().GetValue("GSMNum", 7), "4242");
    Action("UndoAction").trigger();
    ExpectState(w, states[states.size() - 2], "undo of the new edit");

    // A new configuration starts a new history.
    port.ExpectQuestion(CUserPort::Icon::Question, kw::word::kDiscardChanges, true);
    w.SetDialogRunner([](QDialog&) { return TFNew::kResultOk; });
    w.NewConfigurationClicked();
    w.RecordCommittedEdit();
    EXPECT_FALSE(Action("UndoAction").isEnabled());
    EXPECT_FALSE(Action("RedoAction").isEnabled());
}

TEST_F(EditHistory, ShortcutsAndMenu) {
    Start();
    EXPECT_EQ(Action("UndoAction").shortcut(), QKeySequence("Ctrl+Z"));
    EXPECT_EQ(Action("RedoAction").shortcuts(),
              (QList<QKeySequence>{QKeySequence("Ctrl+Shift+Z"), QKeySequence("Ctrl+Y")}));
    EXPECT_TRUE(Menu("EditMenu").actions().contains(&Action("UndoAction")));
}

// The FXS table exported, a row changed in the file, imported and the import
// undone, with the installed languages; a bad file changes nothing.
TEST(RoutingTableInWindow, ExportEditImportUndo) {
    kw::test::TempDir temp;
    ::setenv("KOLBRAWIN_PROGRAM_DIR", KW_BIN_DIR, 1);
    ::setenv("KOLBRAWIN_DATA_DIR", temp.Path("data").c_str(), 1);
    const std::string sgd = temp.Path("a.sgd");
    ASSERT_EQ(std::system((std::string(KW_CLI) + " defaults --variant A -o " + sgd).c_str()), 0);
    {
        CLanguage language;
        kw::test::ScriptedUserPort port;
        kw::test::CScriptedFileDialogs files;
        TFMain w(language);
        w.SetUserPort(&port);
        w.SetFileDialogs(&files);
        w.LanguageButtonClicked("Eng");
        files.answers = {sgd};
        w.LoadFromFileClicked();
        w.RecordCommittedEdit();
        w.resize(1200, 800);
        w.show();
        auto& list = kw::test::Control<QListWidget>(w, "ListBox1");
        list.setCurrentRow(kw::kSectionRouting);
        auto* page = static_cast<TFSmerovaciTabulka*>(w.Sections().CurrentPage());
        const QString shots = KW_SCREENSHOT_DIR;
        QDir().mkpath(shots);

        const std::string csv = temp.Path("fxs.csv");
        files.answers = {csv};
        kw::test::Control<QPushButton>(w, "TableExportButton").click();
        EXPECT_EQ(files.asked.back(), "save " + language.GetText(kw::word::kCsvFilter) + " csv");
        std::string text = kw::test::ReadFileBytes(csv);
        const std::string row5 = "\r\n5,";
        const size_t at = text.find(row5);
        ASSERT_NE(at, std::string::npos);
        const size_t end = text.find("\r\n", at + 2);
        // Number begin 0609, not permitted, direction as the English list says.
        text.replace(
            at + 2, end - at,
            kw::csv::Record({"5", "0609", language.GetItem(26, 0), language.GetItem(216, 2), "9",
                             language.GetItem(28, 0), "2", "77", "0", "0", "120", "3"}));
        temp.Write("edited.csv", text);
        files.answers = {temp.Path("edited.csv")};
        kw::test::Control<QPushButton>(w, "TableImportButton").click();
        EXPECT_TRUE(port.AllMessagesShown());
        EXPECT_EQ(w.Parameters().GetValue("FXSNumBegin", 4), "0609");
        EXPECT_EQ(w.Parameters().GetValue("FXSDirection", 4), "2");
        EXPECT_EQ(w.Parameters().GetValue("FXSAdd", 4), "77");
        EXPECT_EQ(w.Parameters().GetValue("FXSCallTime", 4), "120");
        CRoutingGrid* fxs = page->Grid(TableId::FXS);
        EXPECT_EQ(fxs->CellText(4, fxs->ColumnOf("FXSNumBegin")), "0609");
        fxs->scrollToItem(fxs->item(4, 1));
        w.grab().save(shots + "/routing-import-fxs.png");

        // A bad cell: the message names it, nothing changes, no step is added.
        const kw::TConfigState imported = Now(w);
        text.replace(text.find(",120,3\r\n", at), 8, ",999,3\r\n");
        temp.Write("bad.csv", text);
        files.answers = {temp.Path("bad.csv")};
        port.ExpectMessage(
            CUserPort::Icon::Error, kw::word::kTableNotImported,
            {"Line 6, column 11 (FXSCallTime): " +
             kw::FormatText(language.GetText(kw::word::kCsvOutOfRange), {"0", "255"})});
        kw::test::Control<QPushButton>(w, "TableImportButton").click();
        w.RecordCommittedEdit();
        ExpectState(w, imported, "after a refused import");

        kw::test::Control<QAction>(w, "UndoAction").trigger();
        EXPECT_EQ(w.Parameters().GetValue("FXSNumBegin", 4), "");
        EXPECT_EQ(w.Parameters().GetValue("FXSCallTime", 4), "0");
        EXPECT_EQ(fxs->CellText(4, fxs->ColumnOf("FXSNumBegin")), "");
        EXPECT_EQ(list.currentRow(), kw::kSectionRouting);
        w.grab().save(shots + "/routing-import-undone.png");
        kw::test::Control<QAction>(w, "RedoAction").trigger();
        ExpectState(w, imported, "import redone");
        w.close();
    }
    ::unsetenv("KOLBRAWIN_DATA_DIR");
    ::unsetenv("KOLBRAWIN_PROGRAM_DIR");
}

} // namespace
