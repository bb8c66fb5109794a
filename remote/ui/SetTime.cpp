#include "SetTime.h"

#include "MonitorEntries.h"
#include "TranslateWidgets.h"
#include "UserPort.h"
#include "Words.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValidator>

namespace {

// Limits what the user types to `max` characters and nothing else: the check
// reads whatever was typed (a minus sign included) and refuses it with a
// message, while text set by code is never cut.
class CLengthValidator : public QValidator {
public:
    CLengthValidator(int max, QObject* parent) : QValidator(parent), m_Max(max) {}
    State validate(QString& input, int&) const override {
        return input.size() <= m_Max ? Acceptable : Invalid;
    }

private:
    int m_Max;
};

} // namespace

TFSetTime::TFSetTime(const CLanguage& language, CUserPort& user, std::function<std::tm()> localTime,
                     QWidget* parent)
    : QDialog(parent), m_Language(language), m_User(user), m_LocalTime(std::move(localTime)) {
    setObjectName("FSetTime");
    kw::SetWidgetTag(this, 311);
    setModal(true);

    using Lengths = kw::TSetTimeFieldLengths;
    struct FieldDesign {
        const char* name;
        int word;
        int length;
    };
    constexpr FieldDesign kFieldDesigns[kFieldCount] = {
        {"EDay", 313, Lengths::kDay},       {"EMonth", 314, Lengths::kMonth},
        {"EYear", 315, Lengths::kYear},     {"EHour", 316, Lengths::kHour},
        {"EMinute", 317, Lengths::kMinute},
    };
    auto* grid = new QGridLayout;
    for (int i = 0; i < kFieldCount; ++i) {
        const FieldDesign& design = kFieldDesigns[i];
        auto* label = new QLabel(this);
        label->setObjectName(QString("L") + (design.name + 1));
        kw::SetWidgetTag(label, design.word);
        auto* edit = new QLineEdit(this);
        edit->setObjectName(design.name);
        edit->setValidator(new CLengthValidator(design.length, edit));
        // Room for the digits the field takes, in the font shown.
        edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QString(design.length + 2, '0')) +
                              16);
        label->setBuddy(edit);
        grid->addWidget(label, 0, i);
        grid->addWidget(edit, 1, i);
        m_Fields[size_t(i)] = edit;
    }

    auto* useCurrent = new QPushButton(this);
    useCurrent->setObjectName("BCurrent");
    kw::SetWidgetTag(useCurrent, 312);
    useCurrent->setAutoDefault(false);
    QDialogButtonBox* buttons = kw::MakeDialogButtons(this, "BSet", 311, "BCancel");

    auto* row = new QHBoxLayout;
    row->addWidget(useCurrent);
    row->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(row);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(useCurrent, &QPushButton::clicked, this, &TFSetTime::UseCurrentClicked);
    connect(buttons, &QDialogButtonBox::accepted, this, &TFSetTime::SetTimeClicked);
    connect(buttons, &QDialogButtonBox::rejected, this, &TFSetTime::reject);
}

void TFSetTime::Activate() {
    kw::TranslateForm(this, m_Language);
    for (QLineEdit* field : m_Fields)
        field->clear();
    m_ClockText.clear();
    m_Fields[Day]->setFocus();
}

void TFSetTime::UseCurrentClicked() {
    const kw::TSetTimeFields now = kw::CurrentTimeFields(m_LocalTime());
    const std::string* texts[kFieldCount] = {&now.day, &now.month, &now.year, &now.hour,
                                             &now.minute};
    for (int i = 0; i < kFieldCount; ++i)
        m_Fields[size_t(i)]->setText(QString::fromStdString(*texts[i]));
}

void TFSetTime::SetTimeClicked() {
    const auto text = [this](Field field) { return m_Fields[field]->text().toStdString(); };
    const kw::TSetTimeCheck check =
        kw::CheckSetTime({text(Day), text(Month), text(Year), text(Hour), text(Minute)});
    if (check.refusedWord != 0) {
        // The entry stays as typed, to be put right.
        m_User.ShowMessage(CUserPort::Icon::Error, check.refusedWord);
        return;
    }
    m_ClockText = check.clockText;
    done(kResultSet);
}

void TFSetTime::reject() {
    done(kResultCancel);
}
