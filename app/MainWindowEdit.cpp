// The main window's Edit menu: undo and redo of committed changes on the
// pages, each step with its side effects, and the page and control of the
// change brought into view.
#include "MainWindow.h"

#include "DForm.h"
#include "FileDialogs.h"
#include "PageQuery.h"
#include "RoutingGrid.h"
#include "SectionArea.h"
#include "SmerovaciTabulka.h"
#include "Words.h"

#include <QKeySequence>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTimer>

void TFMain::BuildEditMenu() {
    m_EditMenu = new QMenu(this);
    m_EditMenu->setObjectName("EditMenu");
    menuBar()->insertMenu(m_GatewayMenu->menuAction(), m_EditMenu);
    m_UndoAction = m_EditMenu->addAction(QString());
    m_UndoAction->setObjectName("UndoAction");
    m_UndoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    m_RedoAction = m_EditMenu->addAction(QString());
    m_RedoAction->setObjectName("RedoAction");
    m_RedoAction->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    m_ExportReportAction = new QAction(this);
    m_ExportReportAction->setObjectName("ExportReportAction");
    // With the other commands on the configuration, above the about group.
    const QList<QAction*> items = m_ApplicationMenu->actions();
    m_ApplicationMenu->insertAction(items[items.indexOf(m_AboutAction) - 1], m_ExportReportAction);
    connect(m_ExportReportAction, &QAction::triggered, this, &TFMain::ExportReportClicked);
    connect(m_UndoAction, &QAction::triggered, this, &TFMain::UndoClicked);
    connect(m_RedoAction, &QAction::triggered, this, &TFMain::RedoClicked);
    EnableEditActions();
}

void TFMain::SetEditTexts() {
    m_EditMenu->setTitle(Text(kw::word::kEditMenu));
    m_UndoAction->setText(Text(kw::word::kUndo));
    m_RedoAction->setText(Text(kw::word::kRedo));
    m_ExportReportAction->setText(Text(kw::word::kExportReport));
}

void TFMain::WatchPageEdits() {
    for (int section = 0; section < kw::kSectionCount; ++section)
        if (TFDForm* page = m_Sections->Page(section))
            connect(page, &TFDForm::Edited, this, &TFMain::EditCommitted);
    if (auto* routing = dynamic_cast<TFSmerovaciTabulka*>(m_Sections->Page(kw::kSectionRouting)))
        routing->SetFileAsker([this](bool save) {
            const QString filter = Text(kw::word::kCsvFilter);
            return save ? m_FileDialogs->AskSave(filter, "csv") : m_FileDialogs->AskOpen(filter);
        });
}

void TFMain::EditCommitted() {
    // Storing the page for the history, and filling it after an undo, moves
    // values in the controls; that is no edit of the user's.
    if (m_Recording || m_EditCheckDue)
        return;
    m_EditCheckDue = true;
    // Edits of one event (a paste, an import) come as many signals: one step.
    QTimer::singleShot(0, this, [this] {
        if (m_EditCheckDue)
            RecordCommittedEdit();
    });
}

void TFMain::StartNewHistory() {
    // Taken when the event loop comes round, after the command that brought
    // the configuration has settled its modified state.
    m_NewHistoryDue = true;
    EnableEditActions();
    QTimer::singleShot(0, this, [this] {
        if (m_NewHistoryDue)
            RecordCommittedEdit();
    });
}

void TFMain::RecordCommittedEdit() {
    m_EditCheckDue = false;
    if (m_NewHistoryDue) {
        m_NewHistoryDue = false;
        m_History.Reset(
            kw::CEditHistory::Capture(m_Parameters, m_PINChanged, m_ServisPasswChanged));
    }
    if (!m_HWVer.empty()) {
        // The page on view is stored without closing it; a store that changes
        // no value leaves the modified state as it was.
        const bool modified = m_Parameters.m_Modified;
        m_Recording = true;
        if (TFDForm* page = m_Sections->CurrentPage())
            page->CommitEdits();
        m_Recording = false;
        kw::TConfigState now =
            kw::CEditHistory::Capture(m_Parameters, m_PINChanged, m_ServisPasswChanged);
        if (now.SameAs(m_History.Current())) {
            m_Parameters.m_Modified = modified;
            now.modified = modified;
        }
        m_History.Commit(std::move(now));
    }
    EnableEditActions();
}

void TFMain::UndoClicked() {
    RecordCommittedEdit();
    const kw::TConfigState left = m_History.Current();
    if (const kw::TConfigState* state = m_History.Undo())
        ApplyHistoryState(*state, left);
}

void TFMain::RedoClicked() {
    RecordCommittedEdit();
    const kw::TConfigState left = m_History.Current();
    if (const kw::TConfigState* state = m_History.Redo())
        ApplyHistoryState(*state, left);
}

void TFMain::ApplyHistoryState(const kw::TConfigState& state, const kw::TConfigState& left) {
    m_Recording = true;
    kw::CEditHistory::Restore(m_Parameters, state);
    m_PINChanged = state.pinChanged;
    m_ServisPasswChanged = state.passwChanged;
    if (const std::optional<kw::TChangedValue> change =
            kw::CEditHistory::FirstDifference(m_Parameters, state, left)) {
        ShowChangedValue(*change);
    } else if (const int section = m_SectionList->currentRow(); section >= 0) {
        // Only flags differ: the page on view shows the values again.
        m_Sections->Forget();
        m_Sections->Show(section, m_SectionList->item(section)->text());
    }
    m_Recording = false;
    m_EditCheckDue = false;
    EnableEditActions();
}

void TFMain::ShowChangedValue(const kw::TChangedValue& change) {
    const std::optional<kw::pages::TPlace> place =
        kw::pages::FindRow(change.param, change.row, m_HWVer);
    int section = m_SectionList->currentRow();
    if (place)
        section = place->page->section;
    if (section < 0)
        return;
    // The page on view still shows the values left behind: it is not stored.
    m_Sections->Forget();
    {
        const QSignalBlocker quiet(m_SectionList);
        m_SectionList->setCurrentRow(section);
    }
    m_Sections->Show(section, m_SectionList->item(section)->text());
    TFDForm* page = m_Sections->CurrentPage();
    if (page == nullptr || !place)
        return;
    QWidget* control = nullptr;
    const kw::pages::Kind kind = place->row->kind;
    if (kind == kw::pages::Kind::GridText || kind == kw::pages::Kind::GridList) {
        auto* grid = page->findChild<CRoutingGrid*>(QString::fromUtf8(
            place->group->name.data(), static_cast<qsizetype>(place->group->name.size())));
        if (grid != nullptr) {
            const int column = grid->ColumnOf(change.param);
            if (column >= 0)
                grid->setCurrentCell(grid->IsDefault() ? 0 : change.row, column);
            control = grid;
        }
    } else {
        control = page->findChild<QWidget*>(QString::fromUtf8(
            place->row->name.data(), static_cast<qsizetype>(place->row->name.size())));
    }
    if (control == nullptr)
        return;
    // Every tab sheet the control lies on comes to the front.
    for (QWidget* w = control; w != nullptr && w != page; w = w->parentWidget())
        if (auto* stack = qobject_cast<QStackedWidget*>(w->parentWidget()))
            if (auto* tabs = qobject_cast<QTabWidget*>(stack->parentWidget()))
                tabs->setCurrentWidget(w);
    control->setFocus(Qt::OtherFocusReason);
}

void TFMain::EnableEditActions() {
    m_UndoAction->setEnabled(m_History.CanUndo());
    m_RedoAction->setEnabled(m_History.CanRedo());
    m_ExportReportAction->setEnabled(!m_HWVer.empty());
}
