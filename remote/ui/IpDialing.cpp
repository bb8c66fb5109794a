#include "IpDialing.h"

#include "TranslateWidgets.h"
#include "Words.h"

#include <QCloseEvent>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

TFIpDialing::TFIpDialing(const CLanguage& language, QWidget* mainWindow)
    // A tool window of the main window stays above it without taking the
    // activation from a message box shown meanwhile.
    : QDialog(mainWindow, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_Language(language) {
    setObjectName("FIpDialing");
    kw::SetWidgetTag(this, kw::word::kDiallingCaption);
    setModal(false);

    m_Lines = new QListWidget(this);
    m_Lines->setObjectName("ListBox1");
    m_Lines->setSelectionMode(QAbstractItemView::NoSelection);
    m_Lines->setFocusPolicy(Qt::NoFocus); // lines to read, nothing to pick
    m_CancelButton = new QPushButton(this);
    m_CancelButton->setObjectName("Button1");
    kw::SetWidgetTag(m_CancelButton, kw::word::kCancel);
    m_CancelButton->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_Lines, 1);
    layout->addWidget(m_CancelButton, 0, Qt::AlignHCenter);
    // Wide enough for a wrong gateway's line with its serial number and address.
    resize(640, 260);

    connect(m_CancelButton, &QPushButton::clicked, this, &TFIpDialing::CancelClicked);
}

void TFIpDialing::Open() {
    kw::TranslateForm(this, m_Language);
    m_Lines->clear();
    m_ClosingByProgram = false;
    show();
}

void TFIpDialing::AddLine(const QString& line) {
    m_Lines->addItem(line);
    m_Lines->scrollToBottom();
}

QStringList TFIpDialing::Lines() const {
    QStringList lines;
    for (int i = 0; i < m_Lines->count(); ++i)
        lines << m_Lines->item(i)->text();
    return lines;
}

void TFIpDialing::CloseByProgram() {
    m_ClosingByProgram = true;
    // Not close(): a dialog's close event would reject, and rejecting is Cancel.
    hide();
}

void TFIpDialing::reject() {
    CancelClicked();
}

void TFIpDialing::CancelClicked() {
    if (m_CancelAction)
        m_CancelAction();
    else
        CloseByProgram();
}

void TFIpDialing::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || isActiveWindow())
        return;
    // Back to the front once the activation has gone where it was going.
    QTimer::singleShot(0, this, [this] {
        if (isVisible() && !m_ClosingByProgram)
            raise();
    });
}

void TFIpDialing::closeEvent(QCloseEvent* event) {
    event->accept();
    if (!m_ClosingByProgram)
        CancelClicked();
}
