#include "New.h"

#include "TranslateWidgets.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

namespace {

// The entries of the list: the word of each text and hint, and its code.
struct Choice {
    int word;
    const char* code;
};
constexpr Choice kChoices[] = {{326, "A"}, {327, "C"}, {328, "E"}};

} // namespace

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
        for (const Choice& choice : kChoices)
            ComboBox1->addItem(QString::fromStdString(m_Language.GetText(choice.word)));
        ComboBox1->setCurrentIndex(currentVariant == "C" ? 1 : currentVariant == "E" ? 2 : 0);
    }
    ComboBox1Change();
}

void TFNew::ComboBox1Change() {
    const int index = ComboBox1->currentIndex();
    ComboBox1->setToolTip(index >= 0 && index < 3
                              ? QString::fromStdString(m_Language.GetHint(kChoices[index].word))
                              : QString());
}

void TFNew::Button1Click() {
    const int index = ComboBox1->currentIndex();
    if (index >= 0 && index < 3)
        m_Variant = kChoices[index].code;
    done(kResultOk);
}

void TFNew::Button2Click() {
    reject();
}
