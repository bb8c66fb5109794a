#include "SLICParametry.h"

#include "Pages.h"
#include "UpDown.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

namespace {

constexpr int kBusyToneSkipped = 1;
constexpr int kPermToneLowest = 1610;

// Each two-tone box with its first and second frequency.
struct TToneNames {
    const char* box;
    const char* first;
    const char* second;
};
constexpr TToneNames kTones[] = {{"CheckBox4", "FXSDialToneF1", "FXSDialToneF2"},
                                 {"CheckBox5", "FXSConToneF1", "FXSConToneF2"},
                                 {"CheckBox7", "FXODialToneF1", "FXODialToneF2"},
                                 {"CheckBox8", "FXSRBToneF1", "FXSRBToneF2"},
                                 {"CheckBox9", "FXORBToneF1", "FXORBToneF2"}};

} // namespace

TFSLICParametry::TFSLICParametry(CPageHost& host, QWidget* parent)
    : TFDeclaredPage(host, kw::pages::LinesPage(), parent) {
    Build();
    for (const TToneNames& names : kTones)
        m_Tones.push_back({findChild<QCheckBox*>(names.box),
                           static_cast<QLineEdit*>(RowOf(names.first).control),
                           &RowOf(names.second)});
    for (size_t i = 0; i < m_Tones.size(); ++i) {
        connect(m_Tones[i].box, &QCheckBox::toggled, this,
                [this, i] { TwoToneToggled(m_Tones[i]); });
        connect(m_Tones[i].first, &QLineEdit::textChanged, this,
                [this, i] { FirstToneChanged(m_Tones[i]); });
    }
    m_BusyToneSpin = RowOf("FXODetConTone").upDown;
    m_PermanentToneSpin = RowOf("FXODetPermTone").upDown;
    m_BusyToneSpin->SetChangingHandler(
        [this](int newValue, bool up) { return BusyToneDetectionChanging(newValue, up); });
    m_PermanentToneSpin->SetChangingHandler(
        [this](int newValue, bool up) { return PermanentToneDetectionChanging(newValue, up); });
}

void TFSLICParametry::LoadPage() {
    TFDeclaredPage::LoadPage();
    // A group is two-tone exactly when it was stored with two frequencies.
    for (const TTwoTone& tone : m_Tones) {
        const QSignalBlocker quiet(tone.box);
        tone.box->setChecked(tone.first->text() !=
                             static_cast<QLineEdit*>(tone.second->control)->text());
    }
    for (const TTwoTone& tone : m_Tones)
        TwoToneToggled(tone);
}

void TFSLICParametry::TwoToneToggled(const TTwoTone& tone) {
    const bool twoTones = tone.box->isChecked();
    tone.second->label->setEnabled(twoTones);
    tone.second->control->setEnabled(twoTones);
    tone.second->upDown->setEnabled(twoTones);
    FirstToneChanged(tone);
}

void TFSLICParametry::FirstToneChanged(const TTwoTone& tone) {
    if (!tone.box->isChecked())
        static_cast<QLineEdit*>(tone.second->control)->setText(tone.first->text());
}

void TFSLICParametry::JumpSpin(CUpDown* spin, int value) {
    spin->SetPosition(value);
    spin->Associate()->setText(QString::number(value));
}

bool TFSLICParametry::BusyToneDetectionChanging(int newValue, bool up) {
    if (m_InChanging || newValue != kBusyToneSkipped)
        return true;
    m_InChanging = true;
    JumpSpin(m_BusyToneSpin, up ? kBusyToneSkipped + 1 : 0);
    m_InChanging = false;
    return false;
}

bool TFSLICParametry::PermanentToneDetectionChanging(int newValue, bool up) {
    if (m_InChanging || newValue >= kPermToneLowest)
        return true;
    m_InChanging = true;
    JumpSpin(m_PermanentToneSpin, up ? kPermToneLowest : 0);
    m_InChanging = false;
    return false;
}
