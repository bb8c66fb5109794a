// The concrete bindings between one parameter row and one control. Each moves
// the value text into its control (WriteText) and back (ReadText); values are
// bytes, shown as Windows-1252. WriteText blocks the control's signals while it
// sets the control, so a handler never mistakes a value being loaded for a user
// edit; a page derives its dependent control states after ToControls instead.
#pragma once

#include "ParControl.h"

#include <QPointer>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QSlider;

// Single-line edit. Writing also moves every up-down control of the same page
// whose associate is this edit to the value's number (0 when it is none).
class CParEdit : public CParControl {
public:
    CParEdit(std::string name, int32_t row, QLineEdit* edit);
    std::string ReadText() const override;
    void WriteText(const std::string& text) override;

private:
    QPointer<QLineEdit> m_Edit;
};

// Multi-line text: CR LF in the value, LF in the control.
class CParMemo : public CParControl {
public:
    CParMemo(std::string name, int32_t row, QPlainTextEdit* memo);
    std::string ReadText() const override;
    void WriteText(const std::string& text) override;

private:
    QPointer<QPlainTextEdit> m_Memo;
};

// "1" ticked, "0" not; an inverted box shows the opposite of the value.
class CParCheck : public CParControl {
public:
    CParCheck(std::string name, int32_t row, QCheckBox* check, bool inverted = false);
    std::string ReadText() const override;
    void WriteText(const std::string& text) override;

private:
    QPointer<QCheckBox> m_Check;
    bool m_Inverted;
};

// Track bar: the position as a decimal number.
class CParTrack : public CParControl {
public:
    CParTrack(std::string name, int32_t row, QSlider* track);
    std::string ReadText() const override;
    void WriteText(const std::string& text) override;

private:
    QPointer<QSlider> m_Track;
};

// Drop-down list whose items carry the numbers the parameter takes (the item
// data the translator stores; before the first translation, the number the
// design text shows). A value no item carries selects the first item.
class CParCombo : public CParControl {
public:
    CParCombo(std::string name, int32_t row, QComboBox* combo);
    std::string ReadText() const override;
    void WriteText(const std::string& text) override;

private:
    QPointer<QComboBox> m_Combo;
};
