#include "New.h"

#include "HardwareVariant.h"
#include "TranslateWidgets.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

TFNew::TFNew(const CLanguage& language, QWidget* parent) : QDialog(parent), m_Language(language) {
    setObjectName("FNew");
    kw::SetWidgetTag(this, 325);
    setModal(true);

    Label1 = new QLabel(this);
    Label1->setObjectName("Label1");
    kw::SetWidgetTag(Label1, 329);
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName("ComboBox1");
    ComboBox1->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    ComboBox1->setMinimumWidth(260);
    Button1 = new QPushButton(this);
    Button1->setObjectName("Button1");
    kw::SetWidgetTag(Button1, 1);
    Button1->setDefault(true);
    Button2 = new QPushButton(this);
    Button2->setObjectName("Button2");
    kw::SetWidgetTag(Button2, 2);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto* layout = new QGridLayout(this);
    layout->addWidget(Label1, 0, 0);
    layout->addWidget(ComboBox1, 1, 0);
    layout->addLayout(buttons, 2, 0);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(ComboBox1, &QComboBox::currentIndexChanged, this, &TFNew::ComboBox1Change);
    connect(Button1, &QPushButton::clicked, this, &TFNew::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TFNew::Button2Click);
}

void TFNew::Activate(const std::string& currentVariant) {
    m_Variant = currentVariant;
    kw::TranslateForm(this, m_Language);
    {
        const QSignalBlocker quiet(ComboBox1);
        ComboBox1->clear();
        int current = 0;
        for (const char letter : kw::kNewConfigurationLetters) {
            const std::string code(1, letter);
            if (code == currentVariant)
                current = ComboBox1->count();
            ComboBox1->addItem(
                QString::fromStdString(m_Language.GetText(kw::VariantNameWord(code))));
        }
        ComboBox1->setCurrentIndex(current);
    }
    ComboBox1Change();
}

void TFNew::ComboBox1Change() {
    const int index = ComboBox1->currentIndex();
    const bool listed = index >= 0 && index < int(kw::kNewConfigurationLetters.size());
    ComboBox1->setToolTip(listed ? QString::fromStdString(m_Language.GetHint(kw::VariantNameWord(
                                       std::string(1, kw::kNewConfigurationLetters[index]))))
                                 : QString());
}

void TFNew::Button1Click() {
    const int index = ComboBox1->currentIndex();
    if (index >= 0 && index < int(kw::kNewConfigurationLetters.size()))
        m_Variant = std::string(1, kw::kNewConfigurationLetters[index]);
    done(kResultOk);
}

void TFNew::Button2Click() {
    reject();
}
