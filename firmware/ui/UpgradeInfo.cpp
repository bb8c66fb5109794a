#include "UpgradeInfo.h"

#include "TranslateWidgets.h"
#include "Win1252.h"
#include "Words.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>

TFUpgradeInfo::TFUpgradeInfo(const CLanguage& language, QWidget* parent)
    : QDialog(parent), m_Language(language) {
    setObjectName("FUpgradeInfo");
    kw::SetWidgetTag(this, 11);
    setModal(true);

    auto* grid = new QGridLayout;
    const auto label = [this, grid](const char* name, int tag, int row, int column) {
        auto* created = new QLabel(this);
        created->setObjectName(name);
        kw::SetWidgetTag(created, tag);
        grid->addWidget(created, row, column);
        return created;
    };
    label("Label1", 344, 0, 0);
    m_CurrentVersion = label("Label2", 0, 0, 1);
    label("Label3", 345, 1, 0);
    m_NextVersion = label("Label4", 0, 1, 1);
    for (QLabel* version : {m_CurrentVersion, m_NextVersion}) {
        QFont bold = version->font();
        bold.setBold(true);
        version->setFont(bold);
        version->setTextFormat(Qt::PlainText);
    }
    grid->setColumnStretch(1, 1);
    QDialogButtonBox* buttons = kw::MakeDialogButtons(this, "Button2", 346, "Button3");

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetMinimumSize);
    setMinimumWidth(300);

    connect(buttons, &QDialogButtonBox::accepted, this, [this] { done(kResultContinue); });
    connect(buttons, &QDialogButtonBox::rejected, this, &TFUpgradeInfo::reject);
}

void TFUpgradeInfo::Activate(const std::string& current, const std::string& next) {
    kw::TranslateForm(this, m_Language);
    m_CurrentVersion->setText(kw::BytesToQString(current));
    m_NextVersion->setText(kw::BytesToQString(next));
    adjustSize();
}

void TFUpgradeInfo::reject() {
    done(kResultCancel);
}
