#include "UpgradeInfo.h"

#include "TranslateWidgets.h"
#include "Win1252.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

TFUpgradeInfo::TFUpgradeInfo(const CLanguage& language, QWidget* parent)
    : QDialog(parent), m_Language(language) {
    setObjectName("FUpgradeInfo");
    kw::SetWidgetTag(this, 11);
    setModal(true);

    const auto label = [this](const char* name, int tag) {
        auto* created = new QLabel(this);
        created->setObjectName(name);
        kw::SetWidgetTag(created, tag);
        return created;
    };
    Label1 = label("Label1", 344);
    Label2 = label("Label2", 0);
    Label3 = label("Label3", 345);
    Label4 = label("Label4", 0);
    for (QLabel* version : {Label2, Label4}) {
        QFont bold = version->font();
        bold.setBold(true);
        version->setFont(bold);
        version->setTextFormat(Qt::PlainText);
    }
    Button2 = new QPushButton(this);
    Button2->setObjectName("Button2");
    kw::SetWidgetTag(Button2, 346);
    Button2->setDefault(true);
    Button3 = new QPushButton(this);
    Button3->setObjectName("Button3");
    kw::SetWidgetTag(Button3, 2);

    auto* grid = new QGridLayout;
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(Label2, 0, 1);
    grid->addWidget(Label3, 1, 0);
    grid->addWidget(Label4, 1, 1);
    grid->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button2);
    buttons->addWidget(Button3);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetMinimumSize);
    setMinimumWidth(300);

    connect(Button2, &QPushButton::clicked, this, [this] { done(kResultContinue); });
    connect(Button3, &QPushButton::clicked, this, &TFUpgradeInfo::reject);
}

void TFUpgradeInfo::Activate(const std::string& current, const std::string& next) {
    kw::TranslateForm(this, m_Language);
    Label2->setText(kw::BytesToQString(current));
    Label4->setText(kw::BytesToQString(next));
    adjustSize();
}

void TFUpgradeInfo::reject() {
    done(kResultCancel);
}
