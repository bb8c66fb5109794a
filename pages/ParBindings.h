// The concrete bindings between one parameter row and one control. Each moves
// the value text into its control (WriteText) and back (ReadText); values are
// bytes, shown as Windows-1252. WriteText blocks the control's signals while it
// sets the control, so a handler never mistakes a value being loaded for a user
// edit; a page derives its dependent control states after ToControls instead.
#pragma once

#include "Fatal.h"
#include "ParControl.h"

#include <QPointer>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QSlider;

// A binding that holds its control for as long as the control lives.
template <typename Control> class CParWidget : public CParControl {
public:
    CParWidget(std::string name, int32_t row, Control* control)
        : CParControl(std::move(name), row), m_Control(control) {
        KW_ASSERT(control != nullptr);
    }

protected:
    Control& Widget() const {
        KW_ASSERT(m_Control);
        return *m_Control;
    }

private:
    QPointer<Control> m_Control;
};

// Single-line edit. Writing also moves every up-down control of the same page
// whose associate is this edit to the value's number (0 when it is none).
class CParEdit : public CParWidget<QLineEdit> {
public:
    using CParWidget::CParWidget;
    std::string ReadText() const override;
    void WriteText(const std::string& text) override;
};

// Multi-line text: CR LF in the value, LF in the control.
class CParMemo : public CParWidget<QPlainTextEdit> {
public:
    using CParWidget::CParWidget;
    std::string ReadText() const override;
    void WriteText(const std::string& text) override;
};

// "1" ticked, "0" not; an inverted box shows the opposite of the value.
class CParCheck : public CParWidget<QCheckBox> {
public:
    CParCheck(std::string name, int32_t row, QCheckBox* check, bool inverted)
        : CParWidget(std::move(name), row, check), m_Inverted(inverted) {}
    std::string ReadText() const override;
    void WriteText(const std::string& text) override;

private:
    bool m_Inverted;
};

// Track bar: the position as a decimal number.
class CParTrack : public CParWidget<QSlider> {
public:
    using CParWidget::CParWidget;
    std::string ReadText() const override;
    void WriteText(const std::string& text) override;
};

// Drop-down list whose items carry the numbers the parameter takes (the item
// data the translator stores; before the first translation, the number the
// design text shows). A value no item carries selects the first item.
class CParCombo : public CParWidget<QComboBox> {
public:
    using CParWidget::CParWidget;
    std::string ReadText() const override;
    void WriteText(const std::string& text) override;
};
