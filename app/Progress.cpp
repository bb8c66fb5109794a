#include "Progress.h"

#include "TranslateWidgets.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

TFProgress::TFProgress(const CLanguage& language, QWidget* mainWindow)
    : QDialog(mainWindow, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName("FProgress");
    setAttribute(Qt::WA_ShowWithoutActivating);
    setModal(false);

    Label1 = new QLabel(this);
    Label1->setObjectName("Label1");
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setWordWrap(true);
    Label1->setMinimumHeight(40);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setRange(0, 100);
    Button1 = new QPushButton(this);
    Button1->setObjectName("Button1");
    kw::SetWidgetTag(Button1, 2);
    Button1->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(ProgressBar1);
    layout->addWidget(Button1, 0, Qt::AlignHCenter);
    setFixedSize(360, 140);

    kw::TranslateForm(this, language);
    Label1->setText(QString::fromStdString(language.GetText(0)));
    connect(Button1, &QPushButton::clicked, this, &TFProgress::Button1Click);
}

void TFProgress::SetText(const QString& text) {
    Label1->setText(text);
}

void TFProgress::SetBarVisible(bool visible) {
    ProgressBar1->setVisible(visible);
}

void TFProgress::SetRange(int min, int max) {
    ProgressBar1->setRange(min, max);
}

void TFProgress::SetPosition(int position) {
    ProgressBar1->setValue(position);
}

void TFProgress::SetCancelVisible(bool visible) {
    Button1->setVisible(visible);
}

void TFProgress::reject() {
    if (Button1->isVisible())
        Button1Click();
}

void TFProgress::Button1Click() {
    m_Cancelled = true;
    if (m_CancelAction)
        m_CancelAction();
}
