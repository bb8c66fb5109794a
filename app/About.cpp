#include "About.h"

#include "TranslateWidgets.h"

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

    Image1 = new QLabel(this);
    Image1->setObjectName("Image1");
    Image1->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    Label6 = new QLabel(this);
    Label6->setObjectName("Label6");
    QFont title = Label6->font();
    title.setBold(true);
    title.setPointSizeF(title.pointSizeF() * 1.4);
    Label6->setFont(title);
    Label1 = new QLabel(this);
    Label1->setObjectName("Label1");

    auto* texts = new QVBoxLayout;
    texts->addWidget(Label6);
    texts->addWidget(Label1);
    texts->addSpacing(8);
    for (int word = kFirstContactWord; word <= kLastContactWord; ++word) {
        auto* contact = new QLabel(this);
        contact->setObjectName(QString("Label%1").arg(word - kFirstContactWord + 7));
        contact->setTextInteractionFlags(Qt::TextSelectableByMouse);
        kw::SetWidgetTag(contact, word);
        texts->addWidget(contact);
    }
    texts->addStretch();

    Button1 = new QPushButton(this);
    Button1->setObjectName("Button1");
    kw::SetWidgetTag(Button1, 3);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);

    auto* top = new QHBoxLayout;
    top->addWidget(Image1);
    top->addLayout(texts, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(Button1, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TFOAplikaci::Activate() {
    const QString logo = QString::fromStdString(m_ProgramFolder) + "ExtLogo.bmp";
    QPixmap picture;
    if (QFileInfo::exists(logo) && picture.load(logo))
        Image1->setPixmap(picture);
    Image1->setVisible(!Image1->pixmap().isNull());
    kw::TranslateForm(this, m_Language);
    Label1->setText(kVersion);
    Label6->setText(QString::fromStdString(m_Language.GetText(0)));
    adjustSize();
}
