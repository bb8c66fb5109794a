#include "About.h"

#include "TranslateWidgets.h"
#include "Words.h"

#include <QFileInfo>
#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kFirstContactWord = 140;
constexpr int kLastContactWord = 146;
} // namespace

TFOAplikaci::TFOAplikaci(const CLanguage& language, std::string programFolder, QWidget* parent)
    : QDialog(parent), m_Language(language), m_ProgramFolder(std::move(programFolder)) {
    setObjectName("FOAplikaci");
    kw::SetWidgetTag(this, 19);
    setModal(true);

    m_Logo = new QLabel(this);
    m_Logo->setObjectName("Image1");
    m_Logo->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    m_Title = new QLabel(this);
    m_Title->setObjectName("Label6");
    QFont title = m_Title->font();
    title.setBold(true);
    title.setPointSizeF(title.pointSizeF() * 1.4);
    m_Title->setFont(title);
    m_Version = new QLabel(this);
    m_Version->setObjectName("Label1");

    auto* texts = new QVBoxLayout;
    texts->addWidget(m_Title);
    texts->addWidget(m_Version);
    texts->addSpacing(8);
    for (int word = kFirstContactWord; word <= kLastContactWord; ++word) {
        auto* contact = new QLabel(this);
        contact->setObjectName(QString("Label%1").arg(word - kFirstContactWord + 7));
        contact->setTextInteractionFlags(Qt::TextSelectableByMouse);
        kw::SetWidgetTag(contact, word);
        texts->addWidget(contact);
    }
    texts->addStretch();

    auto* closeButton = new QPushButton(this);
    closeButton->setObjectName("Button1");
    kw::SetWidgetTag(closeButton, 3);
    closeButton->setDefault(true);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* top = new QHBoxLayout;
    top->addWidget(m_Logo);
    top->addLayout(texts, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(closeButton, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TFOAplikaci::Activate() {
    const QString logo = QString::fromStdString(m_ProgramFolder) + "ExtLogo.bmp";
    QPixmap picture;
    if (QFileInfo::exists(logo) && picture.load(logo))
        m_Logo->setPixmap(picture);
    m_Logo->setVisible(!m_Logo->pixmap().isNull());
    kw::TranslateForm(this, m_Language);
    m_Version->setText(kVersion);
    m_Title->setText(QString::fromStdString(m_Language.GetText(kw::word::kProgramName)));
    adjustSize();
}
