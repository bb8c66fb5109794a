#include "ParBindings.h"

#include "DForm.h"
#include "MemoText.h"
#include "ParBasic.h"
#include "TranslateWidgets.h"
#include "UpDown.h"
#include "Win1252.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QSlider>

#include <algorithm>
#include <climits>

namespace {

// The page a control lies on, or its window when it lies on none.
QWidget* OwningPage(QWidget* control) {
    for (QWidget* w = control->parentWidget(); w; w = w->parentWidget())
        if (qobject_cast<TFDForm*>(w))
            return w;
    return control->window();
}

int NumberOf(const std::string& text) {
    const int64_t n = kw::ParseNumber(text);
    return static_cast<int>(std::clamp<int64_t>(n, INT32_MIN, INT32_MAX));
}

int ItemValue(const QComboBox& combo, int index) {
    return kw::ComboItemValue(&combo, index, NumberOf(kw::QStringToBytes(combo.itemText(index))));
}

} // namespace

std::string CParEdit::ReadText() const {
    return kw::QStringToBytes(Widget().text());
}

void CParEdit::WriteText(const std::string& text) {
    QLineEdit& edit = Widget();
    for (CUpDown* upDown : OwningPage(&edit)->findChildren<CUpDown*>())
        if (upDown->Associate() == &edit) {
            const QSignalBlocker quiet(upDown);
            upDown->SetPosition(NumberOf(text));
        }
    const QSignalBlocker quiet(&edit);
    edit.setText(kw::BytesToQString(text));
    edit.update();
}

std::string CParMemo::ReadText() const {
    return kw::MemoQStringToBytes(kw::MemoText(Widget()));
}

void CParMemo::WriteText(const std::string& text) {
    const QSignalBlocker quiet(&Widget());
    Widget().setPlainText(kw::MemoBytesToQString(text));
}

std::string CParCheck::ReadText() const {
    return Widget().isChecked() != m_Inverted ? "1" : "0";
}

void CParCheck::WriteText(const std::string& text) {
    const QSignalBlocker quiet(&Widget());
    Widget().setChecked((NumberOf(text) != 0) != m_Inverted);
}

std::string CParTrack::ReadText() const {
    return std::to_string(Widget().value());
}

void CParTrack::WriteText(const std::string& text) {
    const QSignalBlocker quiet(&Widget());
    Widget().setValue(NumberOf(text));
}

std::string CParCombo::ReadText() const {
    const int index = Widget().currentIndex();
    return index < 0 ? "0" : std::to_string(ItemValue(Widget(), index));
}

void CParCombo::WriteText(const std::string& text) {
    QComboBox& combo = Widget();
    const QSignalBlocker quiet(&combo);
    const int wanted = NumberOf(text);
    combo.setCurrentIndex(0);
    for (int i = 0; i < combo.count(); ++i)
        if (ItemValue(combo, i) == wanted) {
            combo.setCurrentIndex(i);
            break;
        }
}
