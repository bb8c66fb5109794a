#include "ModemLineDialog.h"

#include "HayesText.h"
#include "Language.h"
#include "TranslateWidgets.h"
#include "UserPort.h"
#include "Words.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int kSpeeds[] = {9600, 19200, 38400, 57600, 115200};

QLabel* TaggedLabel(QWidget* parent, const char* name, int word) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    kw::SetWidgetTag(label, word);
    return label;
}

} // namespace

TFModemLine::TFModemLine(const CLanguage& language, std::function<CUserPort&()> user,
                         QWidget* owner)
    : QDialog(owner), m_Language(language), m_User(std::move(user)) {
    setObjectName("FModemLine");
    kw::SetWidgetTag(this, kw::word::kModemLineCaption);
    m_NameEdit = new QLineEdit(this);
    m_NameEdit->setObjectName("EditName");
    m_DeviceList = new QComboBox(this);
    m_DeviceList->setObjectName("ComboDevice");
    m_DeviceList->setEditable(true);
    m_DeviceList->setMinimumWidth(520);
    m_SpeedList = new QComboBox(this);
    m_SpeedList->setObjectName("ComboSpeed");
    for (const int speed : kSpeeds)
        m_SpeedList->addItem(QString::number(speed), speed);
    m_InitEdit = new QLineEdit(this);
    m_InitEdit->setObjectName("EditInit");

    auto* form = new QFormLayout;
    form->addRow(TaggedLabel(this, "LabelName", kw::word::kLineNameLabel), m_NameEdit);
    form->addRow(TaggedLabel(this, "LabelDevice", kw::word::kModemDeviceLabel), m_DeviceList);
    form->addRow(TaggedLabel(this, "LabelSpeed", kw::word::kLineSpeedLabel), m_SpeedList);
    form->addRow(TaggedLabel(this, "LabelInit", kw::word::kLineInitLabel), m_InitEdit);

    auto* buttons = kw::MakeDialogButtons(this, "ButtonOK", kw::word::kOk, "ButtonCancel");
    m_RemoveButton = buttons->addButton(QString(), QDialogButtonBox::DestructiveRole);
    m_RemoveButton->setObjectName("ButtonRemove");
    kw::SetWidgetTag(m_RemoveButton, kw::word::kRemoveLine);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (Take())
            accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_RemoveButton, &QPushButton::clicked, this, [this] {
        RemoveLine();
        accept();
    });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void TFModemLine::Open(kw::CModemLines& lines, int index, const std::vector<kw::TPortInfo>& ports) {
    kw::TranslateForm(this, m_Language);
    m_Lines = &lines;
    m_Index = index >= 0 && index < lines.Count() ? index : -1;
    const kw::TModemLine line = m_Index >= 0 ? lines.Line(m_Index) : kw::TModemLine{};
    m_NameEdit->setText(QString::fromStdString(line.Name));
    kw::FillPortList(*m_DeviceList, line.Device, ports, m_Language.GetText(kw::word::kPortInUse));
    const int speed = m_SpeedList->findData(line.Speed);
    m_SpeedList->setCurrentIndex(speed >= 0 ? speed : m_SpeedList->findData(57600));
    m_InitEdit->setText(QString::fromStdString(line.Init));
    m_RemoveButton->setVisible(m_Index >= 0);
}

bool TFModemLine::Take() {
    kw::TModemLine line;
    line.Name = m_NameEdit->text().trimmed().toStdString();
    line.Device = kw::PortOfList(*m_DeviceList);
    line.Speed = m_SpeedList->currentData().toInt();
    line.Init = m_InitEdit->text().toStdString();
    if (line.Name.empty() || m_DeviceList->currentText().trimmed().isEmpty()) {
        m_User().ShowMessage(CUserPort::Icon::Error, kw::word::kLineIncomplete);
        return false;
    }
    const int same = m_Lines->FindLine(line.Name);
    if (same >= 0 && same != m_Index) {
        m_User().ShowMessage(CUserPort::Icon::Error, kw::word::kLineNameTaken);
        return false;
    }
    if (kw::HoldsControlCharacter(line.Init) || kw::HoldsControlCharacter(line.Name)) {
        m_User().ShowMessage(CUserPort::Icon::Error, kw::word::kControlCharacters);
        return false;
    }
    if (m_Index >= 0)
        m_Lines->Replace(m_Index, line);
    else if (!m_Lines->Add(line))
        return false;
    return true;
}

void TFModemLine::RemoveLine() {
    if (m_Index >= 0)
        m_Lines->Remove(m_Index);
    m_Index = -1;
}
