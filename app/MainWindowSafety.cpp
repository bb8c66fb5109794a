// The main window's safety net: the backups window, the compare window, the
// question before Write, over the backups its gateway commands keep, and the
// link traces.
#include "BackupsWindow.h"
#include "CompareWindow.h"
#include "DForm.h"
#include "FileDialogs.h"
#include "HardwareVariant.h"
#include "Language.h"
#include "MainWindow.h"
#include "ParameterCatalogue.h"
#include "PrivateFolder.h"
#include "SectionArea.h"
#include "UserPort.h"
#include "Words.h"
#include "WriteQuestion.h"

#include <QDesktopServices>
#include <QListWidget>
#include <QStackedWidget>
#include <QTabWidget>
#include <QUrl>

void TFMain::RecordTracesToggled(bool on) {
    m_Settings.Trace = on;
}

void TFMain::OpenTracesFolderClicked() {
    const std::string folder = m_Commands.TracesFolder();
    std::string error;
    if (!kw::OwnerOnlyFolder(folder, error)) {
        m_Port->ShowMessage(CUserPort::Icon::Error, kw::word::kFolderNotOpened, {}, {error});
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(folder))))
        m_Port->ShowMessage(CUserPort::Icon::Error, kw::word::kFolderNotOpened, {}, {folder});
}

void TFMain::BackupsClicked() {
    if (m_BackupsWindow == nullptr) {
        m_BackupsWindow = new CBackupsWindow(m_Language, this);
        m_BackupsWindow->openRequested = [this](const std::string& path) { LoadFile(path); };
        m_BackupsWindow->compareRequested = [this](const std::string& path) {
            CompareWithFileAt(path);
        };
    }
    m_BackupsWindow->Refresh(m_Commands.Backups());
    m_BackupsWindow->show();
    m_BackupsWindow->raise();
}

CCompareWindow& TFMain::CompareWindow() {
    if (m_CompareWindow == nullptr) {
        m_CompareWindow = new CCompareWindow(m_Language, this);
        m_CompareWindow->fileRequested = [this] { CompareWithFile(); };
        m_CompareWindow->gatewayRequested = [this] { CompareWithGateway(); };
        m_CompareWindow->goTo = [this](int section, const std::string& control) {
            ShowControl(section, control);
        };
    }
    return *m_CompareWindow;
}

void TFMain::CompareClicked() {
    CompareWithFile();
}

void TFMain::CompareWith(const CParameters& other, const QString& name) {
    m_Sections->StoreCurrentPage();
    CCompareWindow& window = CompareWindow();
    window.Compare(m_Parameters, m_HWVer, other, name);
    window.show();
    window.raise();
}

void TFMain::CompareWithFile() {
    const std::optional<std::string> file = m_FileDialogs->AskOpen(Text(kw::word::kOpenFileFilter));
    if (file)
        CompareWithFileAt(*file);
}

// As Load from file reads it: the defaults fill what the file lacks.
void TFMain::CompareWithFileAt(const std::string& file) {
    CParameters other;
    kw::RegisterCatalogue(other);
    if (!other.LoadFromFile(file)) {
        m_Port->ShowMessage(CUserPort::Icon::Error, kw::word::kCannotLoadFile, "%s\n'%s'", {file});
        return;
    }
    kw::SettleVariantAfterLoad(other);
    CompareWith(other, QString::fromStdString(file));
}

void TFMain::CompareWithGateway() {
    CParameters other;
    kw::RegisterCatalogue(other);
    other.ResetAll();
    if (m_Commands.ReadInto(other))
        CompareWith(other, Text(kw::word::kCompareWithGateway) + " " +
                               QString::fromStdString(other.GetValue("SerialNum", 0)));
}

void TFMain::ShowControl(int section, const std::string& control) {
    if (section < 0 || section >= kw::kSectionCount || !m_SectionList->isEnabled())
        return;
    m_SectionList->setCurrentRow(section);
    ShowSelectedSection();
    TFDForm* page = m_Sections->Page(section);
    QWidget* target = page && !control.empty()
                          ? page->findChild<QWidget*>(QString::fromStdString(control))
                          : nullptr;
    if (target == nullptr)
        return;
    // Every tab sheet on the way to the control comes to the front.
    for (QWidget* child = target; child && child != page; child = child->parentWidget()) {
        auto* stack = qobject_cast<QStackedWidget*>(child->parentWidget());
        auto* tabs = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
        if (tabs)
            tabs->setCurrentWidget(child);
    }
    target->setFocus(Qt::OtherFocusReason);
}

bool TFMain::ConfirmChangesBeforeWrite() {
    if (m_HWVer.empty())
        return true;
    const kw::CBackupStore backups = m_Commands.Backups();
    const auto newest = backups.NewestRead(m_Parameters.GetValue("SerialNum", 0));
    if (!newest)
        return true;
    CParameters gateway;
    kw::RegisterCatalogue(gateway);
    if (!gateway.LoadFromFile(newest->path))
        return true;
    m_Sections->StoreCurrentPage();
    const auto differences = kw::Differences(m_Parameters, gateway);
    if (differences.empty())
        return true;
    CWriteQuestion question(m_Language, kw::DifferenceRows(differences, m_HWVer, m_Language),
                            newest->time, this);
    CenterDialog(question);
    return RunDialog(question) == QDialog::Accepted;
}
