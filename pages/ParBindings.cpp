#include "ParBindings.h"

#include "DForm.h"
#include "Fatal.h"
#include "ParBasic.h"
#include "TranslateWidgets.h"
#include "UpDown.h"
#include "MemoText.h"
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

CParEdit::CParEdit(std::string name, int32_t row, QLineEdit* edit)
    : CParControl(std::move(name), row), m_Edit(edit) {
    KW_ASSERT(edit != nullptr);
}

std::string CParEdit::ReadText() const {
    KW_ASSERT(m_Edit);
    return kw::QStringToBytes(m_Edit->text());
}

void CParEdit::WriteText(const std::string& text) {
    KW_ASSERT(m_Edit);
    for (CUpDown* upDown : OwningPage(m_Edit)->findChildren<CUpDown*>())
        if (upDown->Associate() == m_Edit) {
            const QSignalBlocker quiet(upDown);
            upDown->SetPosition(NumberOf(text));
        }
    const QSignalBlocker quiet(m_Edit);
    m_Edit->setText(kw::BytesToQString(text));
    m_Edit->update();
}

CParMemo::CParMemo(std::string name, int32_t row, QPlainTextEdit* memo)
    : CParControl(std::move(name), row), m_Memo(memo) {
    KW_ASSERT(memo != nullptr);
}

std::string CParMemo::ReadText() const {
    KW_ASSERT(m_Memo);
    return kw::MemoQStringToBytes(kw::MemoText(*m_Memo));
}

void CParMemo::WriteText(const std::string& text) {
    KW_ASSERT(m_Memo);
    const QSignalBlocker quiet(m_Memo);
    m_Memo->setPlainText(kw::MemoBytesToQString(text));
}

CParCheck::CParCheck(std::string name, int32_t row, QCheckBox* check, bool inverted)
    : CParControl(std::move(name), row), m_Check(check), m_Inverted(inverted) {
    KW_ASSERT(check != nullptr);
}

std::string CParCheck::ReadText() const {
    KW_ASSERT(m_Check);
    return m_Check->isChecked() != m_Inverted ? "1" : "0";
}

void CParCheck::WriteText(const std::string& text) {
    KW_ASSERT(m_Check);
    const QSignalBlocker quiet(m_Check);
    m_Check->setChecked((NumberOf(text) != 0) != m_Inverted);
}

CParTrack::CParTrack(std::string name, int32_t row, QSlider* track)
    : CParControl(std::move(name), row), m_Track(track) {
    KW_ASSERT(track != nullptr);
}

std::string CParTrack::ReadText() const {
    KW_ASSERT(m_Track);
    return std::to_string(m_Track->value());
}

void CParTrack::WriteText(const std::string& text) {
    KW_ASSERT(m_Track);
    const QSignalBlocker quiet(m_Track);
    m_Track->setValue(NumberOf(text));
}

CParCombo::CParCombo(std::string name, int32_t row, QComboBox* combo)
    : CParControl(std::move(name), row), m_Combo(combo) {
    KW_ASSERT(combo != nullptr);
}

std::string CParCombo::ReadText() const {
    KW_ASSERT(m_Combo);
    const int index = m_Combo->currentIndex();
    return index < 0 ? "0" : std::to_string(ItemValue(*m_Combo, index));
}

void CParCombo::WriteText(const std::string& text) {
    KW_ASSERT(m_Combo);
    const QSignalBlocker quiet(m_Combo);
    const int wanted = NumberOf(text);
    m_Combo->setCurrentIndex(0);
    for (int i = 0; i < m_Combo->count(); ++i)
        if (ItemValue(*m_Combo, i) == wanted) {
            m_Combo->setCurrentIndex(i);
            break;
        }
}
