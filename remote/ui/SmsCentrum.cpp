#include "SmsCentrum.h"

#include "MonitorEntries.h"
#include "TranslateWidgets.h"
#include "UserPort.h"
#include "Win1252.h"
#include "Words.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The O.K. button's caption is the same in every language.
const char* const kOkCaption = "O.K.";

} // namespace

TFSMSCentrum::TFSMSCentrum(const CLanguage& language, CUserPort& user, QWidget* parent)
    : QDialog(parent), m_Language(language), m_User(user) {
    setObjectName("FSMSCentrum");
    kw::SetWidgetTag(this, 97);
    setModal(true);

    auto* label = new QLabel(this);
    label->setObjectName("Label1");
    kw::SetWidgetTag(label, 97);
    m_NumberEdit = new QLineEdit(this);
    m_NumberEdit->setObjectName("Edit1");
    m_NumberEdit->setMinimumWidth(220);
    label->setBuddy(m_NumberEdit);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(kOkCaption, QDialogButtonBox::AcceptRole);
    ok->setObjectName("Button1");
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName("Button2");
    kw::SetWidgetTag(cancel, kw::word::kCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_NumberEdit);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(ok, &QPushButton::clicked, this, &TFSMSCentrum::OkClicked);
    connect(cancel, &QPushButton::clicked, this, &TFSMSCentrum::reject);
}

void TFSMSCentrum::Activate(const std::string& number) {
    kw::TranslateForm(this, m_Language);
    m_NumberEdit->setText(kw::BytesToQString(number));
    m_NumberEdit->setFocus();
}

std::string TFSMSCentrum::Number() const {
    return kw::QStringToBytes(m_NumberEdit->text());
}

void TFSMSCentrum::OkClicked() {
    // A double quote or a control character would end or break the command
    // line the number travels in; the dialog stays open to put it right.
    if (const int refused = kw::CheckCentreNumber(Number())) {
        m_User.ShowMessage(CUserPort::Icon::Error, refused);
        return;
    }
    done(kResultOk);
}

void TFSMSCentrum::reject() {
    done(kResultCancel);
}
