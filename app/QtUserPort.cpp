#include "QtUserPort.h"

#include "AskBinaries.h"
#include "FormatText.h"
#include "Language.h"
#include "Progress.h"
#include "UpgradeInfo.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace {

QString Q(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

QMessageBox::Icon BoxIcon(CUserPort::Icon icon) {
    switch (icon) {
    case CUserPort::Icon::Error:
        return QMessageBox::Critical;
    case CUserPort::Icon::Information:
        return QMessageBox::Information;
    case CUserPort::Icon::Warning:
        return QMessageBox::Warning;
    case CUserPort::Icon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

} // namespace

CQtUserPort::CQtUserPort(QWidget& mainWindow, const CLanguage& language,
                         std::function<void(QWidget&)> centre)
    : m_Main(mainWindow), m_Language(language), m_Centre(std::move(centre)) {}

CQtUserPort::~CQtUserPort() {
    HideProgress();
}

std::string CQtUserPort::MessageText(int word, const std::string& format,
                                     const std::vector<std::string>& details) const {
    if (format.empty())
        return kw::FormatText(m_Language.GetText(word), details);
    std::vector<std::string> args{m_Language.GetText(word)};
    args.insert(args.end(), details.begin(), details.end());
    return kw::FormatText(format, args);
}

int CQtUserPort::Box(Icon icon, int word, const std::string& format,
                     const std::vector<std::string>& details, bool question) {
    QMessageBox box(BoxIcon(icon), Q(m_Language.GetText(0)), Q(MessageText(word, format, details)),
                    question ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, &m_Main);
    box.adjustSize();
    if (m_Centre)
        m_Centre(box);
    return box.exec();
}

void CQtUserPort::ShowMessage(Icon icon, int word, const std::string& format,
                              const std::vector<std::string>& details) {
    Box(icon, word, format, details, false);
}

bool CQtUserPort::AskYesNo(Icon icon, int word, const std::string& format,
                           const std::vector<std::string>& details) {
    return Box(icon, word, format, details, true) == QMessageBox::Yes;
}

void CQtUserPort::ShowProgress(const std::string& text, bool withBar) {
    // The latch stays set after a window is gone until the next one shows,
    // which the TCP waits rely on.
    ClearCancelled();
    delete m_Progress;
    m_Progress = new TFProgress(m_Language, &m_Main);
    m_Progress->SetCancelAction([this] { PressCancel(); });
    if (m_Centre)
        m_Centre(*m_Progress);
    m_Progress->show();
    m_Progress->SetText(Q(text));
    m_Progress->SetBarVisible(withBar);
    m_Progress->SetCancelVisible(true);
    m_Progress->SetPosition(0);
    QCoreApplication::processEvents();
}

void CQtUserPort::ShowProgressWord(int word, bool withBar) {
    ShowProgress(m_Language.GetText(word), withBar);
}

void CQtUserPort::SetProgressText(const std::string& text) {
    if (m_Progress)
        m_Progress->SetText(Q(text));
}

void CQtUserPort::SetProgressRange(int min, int max) {
    if (m_Progress)
        m_Progress->SetRange(min, max);
}

void CQtUserPort::SetProgressPosition(int position) {
    if (m_Progress)
        m_Progress->SetPosition(position);
}

void CQtUserPort::SetProgressCancelVisible(bool visible) {
    if (m_Progress)
        m_Progress->SetCancelVisible(visible);
}

void CQtUserPort::HideProgress() {
    // Deleted later: Hide may run inside the window's own Cancel handler.
    if (m_Progress) {
        m_Progress->hide();
        m_Progress->deleteLater();
        m_Progress = nullptr;
    }
}

void CQtUserPort::CancelProgress() {
    if (m_Progress)
        m_Progress->reject(); // presses Cancel only while it is shown
}

TFProgress* CQtUserPort::ProgressWindow() const {
    return m_Progress;
}

std::string CQtUserPort::Word(int word) const {
    return m_Language.GetText(word);
}

int CQtUserPort::PickEntry(const std::vector<std::string>& entries) {
    TFAskBinaries dialog(m_Language, &m_Main);
    dialog.Activate(entries);
    if (m_Centre)
        m_Centre(dialog);
    if (dialog.exec() != TFAskBinaries::kResultOk)
        return -1;
    return dialog.SelectedIndex();
}

bool CQtUserPort::ConfirmVersionChange(const std::string& current, const std::string& next) {
    TFUpgradeInfo dialog(m_Language, &m_Main);
    dialog.Activate(current, next);
    if (m_Centre)
        m_Centre(dialog);
    return dialog.exec() == TFUpgradeInfo::kResultContinue;
}
