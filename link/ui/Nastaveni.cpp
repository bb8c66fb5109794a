#include "Nastaveni.h"

#include "ModemLines.h"
#include "TranslateWidgets.h"
#include "Words.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include <algorithm>
#include <cctype>

namespace kw {
namespace {

// The leading decimal number of `text`, capped so it cannot overflow.
long LeadingNumber(const std::string& text) {
    long value = 0;
    for (const char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            break;
        value = std::min(value * 10 + (c - '0'), 1'000'000L);
    }
    return value;
}

} // namespace

std::string NormalisedAddress(const std::string& text) {
    long parts[4] = {0, 0, 0, 0};
    size_t start = 0;
    for (int i = 0; i < 4 && start <= text.size(); ++i) {
        const size_t dot = text.find('.', start);
        parts[i] = std::min(LeadingNumber(text.substr(start, dot - start)), 255L);
        if (dot == std::string::npos)
            break;
        start = dot + 1;
    }
    return std::to_string(parts[0]) + "." + std::to_string(parts[1]) + "." +
           std::to_string(parts[2]) + "." + std::to_string(parts[3]);
}

int NormalisedServerPort(const std::string& text) {
    const long value = LeadingNumber(text);
    return static_cast<int>(std::clamp(value, 1L, 65535L));
}

} // namespace kw

namespace {

QLabel* TaggedLabel(QWidget* parent, const char* name, int word) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    kw::SetWidgetTag(label, word);
    return label;
}

QGroupBox* SettingsGroup(QWidget* parent, const char* name) {
    auto* group = new QGroupBox(parent);
    group->setObjectName(name);
    kw::SetWidgetTag(group, kw::word::kSettingsGroup);
    return group;
}

QComboBox* PortList(QWidget* parent, const char* name) {
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    list->setEditable(true);    // a path may be typed
    list->setMinimumWidth(520); // a port's description and by-id name beside its path
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return list;
}

} // namespace

TFNastaveni::TFNastaveni(const CLanguage& language, QWidget* owner)
    : QDialog(owner), m_Language(language) {
    setObjectName("FNastaveni");
    kw::SetWidgetTag(this, kw::word::kSettings);

    m_DeviceGroup = new QGroupBox(this);
    m_DeviceGroup->setObjectName("GroupBox2");
    kw::SetWidgetTag(m_DeviceGroup, kw::word::kDeviceGroup);
    auto radio = [this](const char* name, int word) {
        auto* button = new QRadioButton(m_DeviceGroup);
        button->setObjectName(name);
        kw::SetWidgetTag(button, word);
        connect(button, &QRadioButton::clicked, this, &TFNastaveni::FormActivate);
        return button;
    };
    m_CableChoice = radio("RadioButton1", kw::word::kCableChoice);
    m_ModemChoice = radio("RadioButton2", kw::word::kModemChoice);
    m_TcpIpChoice = radio("RadioButton3", kw::word::kTcpIpChoice);
    auto* devices = new QHBoxLayout(m_DeviceGroup);
    devices->addWidget(m_CableChoice);
    devices->addWidget(m_ModemChoice);
    devices->addWidget(m_TcpIpChoice);

    m_CableGroup = SettingsGroup(this, "GroupCOM");
    m_CablePortList = PortList(m_CableGroup, "ComboBox1");
    auto* cable = new QGridLayout(m_CableGroup);
    cable->addWidget(TaggedLabel(m_CableGroup, "Label1", kw::word::kCablePortLabel), 0, 0);
    cable->addWidget(m_CablePortList, 0, 1);
    cable->setRowStretch(1, 1);

    m_ModemGroup = SettingsGroup(this, "GroupModem");
    m_LineList = new QComboBox(m_ModemGroup);
    m_LineList->setObjectName("TD");
    m_ConfigureButton = new QPushButton(m_ModemGroup);
    m_ConfigureButton->setObjectName("Button1");
    kw::SetWidgetTag(m_ConfigureButton, kw::word::kConfigureLine);
    m_ModemLinesButton = new QPushButton(m_ModemGroup);
    m_ModemLinesButton->setObjectName("ModemLinesButton");
    kw::SetWidgetTag(m_ModemLinesButton, kw::word::kModemLines);
    m_NumberEdit = new QLineEdit(m_ModemGroup);
    m_NumberEdit->setObjectName("Edit1");
    auto* modem = new QGridLayout(m_ModemGroup);
    modem->addWidget(TaggedLabel(m_ModemGroup, "Label2", kw::word::kModemDeviceLabel), 0, 0);
    modem->addWidget(m_LineList, 0, 1);
    modem->addWidget(m_ConfigureButton, 0, 2);
    modem->addWidget(m_ModemLinesButton, 1, 2);
    modem->addWidget(TaggedLabel(m_ModemGroup, "Label3", kw::word::kNumberLabel), 2, 0);
    modem->addWidget(m_NumberEdit, 2, 1);
    modem->setRowStretch(3, 1);

    m_IpGroup = SettingsGroup(this, "GroupIP");
    m_GsmPortList = PortList(m_IpGroup, "ComboBox2");
    m_AddressEdit = new QLineEdit(m_IpGroup);
    m_AddressEdit->setObjectName("Edit2");
    // Typing limits only: a validator, since setMaxLength would also cut values set by code.
    m_AddressEdit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(".{0,15}"), m_AddressEdit));
    m_ServerPortEdit = new QLineEdit(m_IpGroup);
    m_ServerPortEdit->setObjectName("Edit3");
    m_ServerPortEdit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(".{0,5}"), m_ServerPortEdit));
    auto* ip = new QGridLayout(m_IpGroup);
    ip->addWidget(TaggedLabel(m_IpGroup, "Label4", kw::word::kGsmModemPortLabel), 0, 0);
    ip->addWidget(m_GsmPortList, 0, 1);
    ip->addWidget(TaggedLabel(m_IpGroup, "Label5", kw::word::kCallbackAddressLabel), 1, 0);
    ip->addWidget(m_AddressEdit, 1, 1);
    ip->addWidget(TaggedLabel(m_IpGroup, "Label6", kw::word::kServerPortLabel), 2, 0);
    ip->addWidget(m_ServerPortEdit, 2, 1);
    ip->setRowStretch(3, 1);

    auto* buttons = kw::MakeDialogButtons(this, "Button3", kw::word::kOk, "Button4");
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        // OK pressed while a field still has the focus: it counts as left.
        Edit2Exit();
        Edit3Exit();
        done(kOkResult);
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_DeviceGroup);
    // The three groups share one place; the one of the checked type shows.
    auto* place = new QGridLayout;
    place->addWidget(m_CableGroup, 0, 0);
    place->addWidget(m_ModemGroup, 0, 0);
    place->addWidget(m_IpGroup, 0, 0);
    layout->addLayout(place, 1);
    layout->addWidget(buttons);

    connect(m_AddressEdit, &QLineEdit::editingFinished, this, &TFNastaveni::Edit2Exit);
    connect(m_ServerPortEdit, &QLineEdit::editingFinished, this, &TFNastaveni::Edit3Exit);
    connect(m_ConfigureButton, &QPushButton::clicked, this, [this] {
        if (m_LineList->currentIndex() >= 0 && configureLine)
            configureLine(LineName());
    });
    connect(m_ModemLinesButton, &QPushButton::clicked, this, [this] {
        if (addLine)
            addLine();
    });
    SetConType(0);
}

void TFNastaveni::FormActivate() {
    kw::TranslateForm(this, m_Language);
    m_ModemGroup->setVisible(m_ModemChoice->isChecked());
    m_CableGroup->setVisible(m_CableChoice->isChecked());
    m_IpGroup->setVisible(m_TcpIpChoice->isChecked());
}

void TFNastaveni::FillLines(const kw::CModemLines& lines, const std::string& wanted) {
    m_LineList->clear();
    for (int i = 0; i < lines.Count(); ++i)
        m_LineList->addItem(QString::fromStdString(lines.LineName(i)));
    const int found = m_LineList->findText(QString::fromStdString(wanted), Qt::MatchExactly);
    m_LineList->setCurrentIndex(found >= 0 ? found : (lines.Count() > 0 ? 0 : -1));
    m_ModemChoice->setEnabled(lines.Count() > 0);
    m_ConfigureButton->setEnabled(lines.Count() > 0);
}

void TFNastaveni::SetConType(int type) {
    (type == 1 ? m_ModemChoice : type == 2 ? m_TcpIpChoice : m_CableChoice)->setChecked(true);
    FormActivate();
}

int TFNastaveni::ConType() const {
    return m_CableChoice->isChecked() ? 0 : m_ModemChoice->isChecked() ? 1 : 2;
}

std::string TFNastaveni::LineName() const {
    return m_LineList->currentIndex() >= 0 ? m_LineList->currentText().toStdString()
                                           : std::string();
}

void TFNastaveni::Edit2Exit() {
    m_AddressEdit->setText(
        QString::fromStdString(kw::NormalisedAddress(m_AddressEdit->text().toStdString())));
}

void TFNastaveni::Edit3Exit() {
    m_ServerPortEdit->setText(
        QString::number(kw::NormalisedServerPort(m_ServerPortEdit->text().toStdString())));
}
