#include "New.h"

#include "HardwareVariant.h"
#include "TranslateWidgets.h"
#include "Words.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

TFNew::TFNew(const CLanguage& language, QWidget* parent) : QDialog(parent), m_Language(language) {
    setObjectName("FNew");
    kw::SetWidgetTag(this, 325);
    setModal(true);

    auto* prompt = new QLabel(this);
    prompt->setObjectName("Label1");
    kw::SetWidgetTag(prompt, 329);
    m_VariantList = new QComboBox(this);
    m_VariantList->setObjectName("ComboBox1");
    m_VariantList->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_VariantList->setMinimumWidth(260);
    QDialogButtonBox* buttons = kw::MakeDialogButtons(this, "Button1", kw::word::kOk, "Button2");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(m_VariantList);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_VariantList, &QComboBox::currentIndexChanged, this, &TFNew::ShowVariantHint);
    connect(buttons, &QDialogButtonBox::accepted, this, &TFNew::OkClicked);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void TFNew::Activate(const std::string& currentVariant) {
    m_Variant = currentVariant;
    kw::TranslateForm(this, m_Language);
    {
        const QSignalBlocker quiet(m_VariantList);
        m_VariantList->clear();
        int current = 0;
        for (const char letter : kw::kNewConfigurationLetters) {
            const std::string code(1, letter);
            if (code == currentVariant)
                current = m_VariantList->count();
            m_VariantList->addItem(
                QString::fromStdString(m_Language.GetText(kw::VariantNameWord(code))));
        }
        m_VariantList->setCurrentIndex(current);
    }
    ShowVariantHint();
}

char TFNew::SelectedLetter() const {
    const int index = m_VariantList->currentIndex();
    const bool listed = index >= 0 && index < int(kw::kNewConfigurationLetters.size());
    return listed ? kw::kNewConfigurationLetters[size_t(index)] : '\0';
}

void TFNew::ShowVariantHint() {
    const char letter = SelectedLetter();
    m_VariantList->setToolTip(letter != '\0' ? QString::fromStdString(m_Language.GetHint(
                                                   kw::VariantNameWord(std::string(1, letter))))
                                             : QString());
}

void TFNew::OkClicked() {
    if (const char letter = SelectedLetter())
        m_Variant = std::string(1, letter);
    done(kResultOk);
}
