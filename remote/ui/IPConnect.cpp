#include "IPConnect.h"

#include "Fatal.h"
#include "IpInput.h"
#include "TranslateWidgets.h"
#include "TypingLimit.h"
#include "WakeupMessage.h"
#include "Win1252.h"
#include "Words.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

// Ten digits in groups of two, four and four; a position not typed shows as a space.
constexpr const char* kSerialMask = "99-9999-9999; ";

} // namespace

TFIPConnect::TFIPConnect(const CLanguage& language, QWidget* parent)
    : QDialog(parent), m_Language(language) {
    setObjectName("FIPConnect");
    kw::SetWidgetTag(this, 353);
    setModal(true);

    auto* grid = new QGridLayout;
    int row = 0;
    const auto field = [this, grid, &row](const char* labelName, int word, const char* editName,
                                          int maxLength) {
        auto* label = new QLabel(this);
        label->setObjectName(labelName);
        kw::SetWidgetTag(label, word);
        auto* edit = new QLineEdit(this);
        edit->setObjectName(editName);
        edit->setMinimumWidth(220);
        if (maxLength > 0)
            kw::LimitTyping(edit, maxLength);
        label->setBuddy(edit);
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row, 1);
        ++row;
        return edit;
    };
    m_NumberEdit = field("Label1", 350, "Edit1", 0);
    m_SerialEdit = field("Label2", 351, "MaskEdit1", 0);
    m_SerialEdit->setInputMask(kSerialMask);
    m_PasswordEdit = field("Label3", 352, "Edit2", kw::kMaxIpPasswordLength);
    m_ApnEdit = field("Label4", 363, "Edit3", kw::kMaxApnLength);
    m_InetUserEdit = field("Label5", 364, "Edit4", kw::kMaxInetUserLength);
    m_InetPasswordEdit = field("Label6", 365, "Edit5", kw::kMaxInetPasswordLength);
    grid->setColumnStretch(1, 1);

    QDialogButtonBox* buttons = kw::MakeDialogButtons(this, "Button1", 353, "Button2");

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetMinimumSize);

    connect(buttons, &QDialogButtonBox::accepted, this, &TFIPConnect::StartClicked);
    connect(buttons, &QDialogButtonBox::rejected, this, &TFIPConnect::reject);
}

void TFIPConnect::Activate(const kw::TIpSettings& values, CUserPort& user) {
    m_Values = values;
    m_User = &user;
    kw::TranslateForm(this, m_Language);
    m_NumberEdit->setText(kw::BytesToQString(values.LastIpNum));
    m_SerialEdit->setText(kw::BytesToQString(values.LastIpSerial));
    m_PasswordEdit->setText(kw::BytesToQString(values.LastIpPassw));
    m_ApnEdit->setText(kw::BytesToQString(values.LastAPN));
    m_InetUserEdit->setText(kw::BytesToQString(values.LastInetUser));
    m_InetPasswordEdit->setText(kw::BytesToQString(values.LastInetPassw));
    m_NumberEdit->setFocus();
    adjustSize();
}

QString TFIPConnect::SerialText() const {
    const QString shown = m_SerialEdit->displayText();
    for (const QChar c : shown)
        if (c.isDigit())
            return shown;
    return QString();
}

void TFIPConnect::StartClicked() {
    KW_ASSERT(m_User != nullptr); // Activate comes first
    using kw::TWakeupField;
    struct Field {
        QLineEdit* edit;
        QString text;
        std::string kw::TIpSettings::*value;
        TWakeupField field;
    };
    const Field fields[] = {
        {m_SerialEdit, SerialText(), &kw::TIpSettings::LastIpSerial, TWakeupField::Serial},
        {m_PasswordEdit, m_PasswordEdit->text(), &kw::TIpSettings::LastIpPassw,
         TWakeupField::Password},
        {m_ApnEdit, m_ApnEdit->text(), &kw::TIpSettings::LastAPN, TWakeupField::Apn},
        {m_InetUserEdit, m_InetUserEdit->text(), &kw::TIpSettings::LastInetUser,
         TWakeupField::InetUser},
        {m_InetPasswordEdit, m_InetPasswordEdit->text(), &kw::TIpSettings::LastInetPassw,
         TWakeupField::InetPassword},
    };
    kw::TIpSettings typed = m_Values;
    // A phone number with such a character fails as a number below.
    typed.LastIpNum = kw::QStringToBytes(m_NumberEdit->text());
    for (const Field& f : fields) {
        if (kw::RefuseCharacterOutsideWin1252(f.field, f.text, *m_User)) {
            f.edit->setFocus();
            return;
        }
        typed.*f.value = kw::QStringToBytes(f.text);
    }
    if (kw::RefuseIpInput(typed, *m_User))
        return;
    m_Values = typed;
    done(kResultStart);
}

void TFIPConnect::reject() {
    done(kResultCancel);
}
