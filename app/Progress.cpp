#include "Progress.h"

#include "TranslateWidgets.h"
#include "Words.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

TFProgress::TFProgress(const CLanguage& language, QWidget* mainWindow)
    : QDialog(mainWindow, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName("FProgress");
    setAttribute(Qt::WA_ShowWithoutActivating);
    setModal(false);

    m_Text = new QLabel(this);
    m_Text->setObjectName("Label1");
    m_Text->setAlignment(Qt::AlignCenter);
    m_Text->setWordWrap(true);
    m_Text->setMinimumHeight(40);
    m_Bar = new QProgressBar(this);
    m_Bar->setObjectName("ProgressBar1");
    m_Bar->setRange(0, 100);
    m_CancelButton = new QPushButton(this);
    m_CancelButton->setObjectName("Button1");
    kw::SetWidgetTag(m_CancelButton, kw::word::kCancel);
    m_CancelButton->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_Text);
    layout->addWidget(m_Bar);
    layout->addWidget(m_CancelButton, 0, Qt::AlignHCenter);
    setFixedSize(360, 140);

    kw::TranslateForm(this, language);
    m_Text->setText(QString::fromStdString(language.GetText(kw::word::kProgramName)));
    connect(m_CancelButton, &QPushButton::clicked, this, &TFProgress::CancelClicked);
}

void TFProgress::SetText(const QString& text) {
    m_Text->setText(text);
}

void TFProgress::SetBarVisible(bool visible) {
    m_Bar->setVisible(visible);
}

void TFProgress::SetRange(int min, int max) {
    m_Bar->setRange(min, max);
}

void TFProgress::SetPosition(int position) {
    m_Bar->setValue(position);
}

void TFProgress::SetCancelVisible(bool visible) {
    m_CancelButton->setVisible(visible);
}

void TFProgress::reject() {
    if (m_CancelButton->isVisible())
        CancelClicked();
}

void TFProgress::CancelClicked() {
    if (m_CancelAction)
        m_CancelAction();
}
