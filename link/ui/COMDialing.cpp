#include "COMDialing.h"

#include "Language.h"
#include "LinkTime.h"
#include "TranslateWidgets.h"
#include "Words.h"

#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TFCOMDialing::TFCOMDialing(const CLanguage& language, QWidget* mainWindow)
    : QDialog(mainWindow), m_Language(language) {
    setObjectName("FCOMDialing");
    kw::SetWidgetTag(this, kw::word::kDiallingCaption);
    setWindowModality(Qt::ApplicationModal);
    m_Lines = new QListWidget(this);
    m_Lines->setObjectName("ListBox1");
    m_Lines->setSelectionMode(QAbstractItemView::NoSelection);
    m_Lines->setFocusPolicy(Qt::NoFocus);
    m_CloseButton = new QPushButton(this);
    m_CloseButton->setObjectName("Button1");
    kw::SetWidgetTag(m_CloseButton, kw::word::kCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_Lines, 1);
    layout->addWidget(m_CloseButton, 0, Qt::AlignHCenter);
    resize(420, 220);
    connect(m_CloseButton, &QPushButton::clicked, this, &QWidget::hide);
}

QStringList TFCOMDialing::Lines() const {
    QStringList lines;
    for (int i = 0; i < m_Lines->count(); ++i)
        lines << m_Lines->item(i)->text();
    return lines;
}

void TFCOMDialing::Show() {
    kw::TranslateForm(this, m_Language);
    m_Lines->clear();
    if (m_Place)
        m_Place(*this);
    show();
    raise();
}

void TFCOMDialing::AddLine(int word, const std::string& quoted) {
    const std::string text = kw::DiallingLineText(m_Language.GetText(word), quoted);
    m_Lines->addItem(QString::fromStdString(text));
    m_Lines->scrollToBottom();
}

void TFCOMDialing::WaitUntilClosed() {
    while (isVisible())
        kw::HandleOneMessage();
}
