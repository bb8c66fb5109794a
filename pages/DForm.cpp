#include "DForm.h"

#include "MemoText.h"
#include "ParBindings.h"
#include "Parameters.h"
#include "TranslateWidgets.h"
#include "Win1252.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSlider>

namespace {

// The parameter a control is normalised against when the focus leaves it; set
// while the registry knows the parameter, kept as long as the control lives
// (the next binding of the control replaces it).
constexpr const char* kNormaliseName = "kwNormaliseName";
constexpr const char* kIsMemo = "kwNormaliseMemo";
constexpr const char* kWatched = "kwFocusLeaveWatched";

} // namespace

TFDForm::TFDForm(CPageHost& host, QWidget* parent) : QWidget(parent), m_Host(host) {
    setWindowFlags(Qt::Widget | Qt::FramelessWindowHint);
    resize(kDesignWidth, kDesignHeight);
}

std::string TFDForm::ConfigurationVariant() const {
    const TMultiPar* variant = Parameters().Find("HWVer");
    return variant != nullptr ? variant->Values[0] : std::string();
}

void TFDForm::BindEdit(const std::string& name, int row, QLineEdit* edit, Variants variants) {
    m_Bindings.Add(new CParEdit(name, row, edit), variants);
    WatchFocusLeave(edit, name, false);
}

void TFDForm::BindMemo(const std::string& name, int row, QPlainTextEdit* memo, Variants variants) {
    m_Bindings.Add(new CParMemo(name, row, memo), variants);
    WatchFocusLeave(memo, name, true);
}

void TFDForm::BindCheck(const std::string& name, int row, QCheckBox* check, bool inverted,
                        Variants variants) {
    m_Bindings.Add(new CParCheck(name, row, check, inverted), variants);
    connect(check, &QCheckBox::clicked, this, &TFDForm::Edited);
}

void TFDForm::BindTrack(const std::string& name, int row, QSlider* track, Variants variants) {
    m_Bindings.Add(new CParTrack(name, row, track), variants);
    // Moved by the user: dragged, clicked, keys or wheel.
    connect(track, &QSlider::actionTriggered, this, &TFDForm::Edited);
    connect(track, &QSlider::sliderReleased, this, &TFDForm::Edited);
}

void TFDForm::BindCombo(const std::string& name, int row, QComboBox* combo, Variants variants) {
    m_Bindings.Add(new CParCombo(name, row, combo), variants);
    connect(combo, &QComboBox::activated, this, &TFDForm::Edited);
}

void TFDForm::ToControls() {
    m_Bindings.ToControls(Parameters(), ConfigurationVariant());
}

void TFDForm::FromControls() {
    m_Bindings.FromControls(Parameters());
}

void TFDForm::TranslatePage() {
    kw::TranslateForm(this, Language());
}

void TFDForm::WatchFocusLeave(QWidget* control, const std::string& name, bool memo) {
    // Only a parameter known when binding gets the check, as a control without a
    // parameter has nothing to be normalised against.
    if (Parameters().Find(name) == nullptr)
        return;
    control->setProperty(kNormaliseName, QByteArray::fromStdString(name));
    control->setProperty(kIsMemo, memo);
    if (!control->property(kWatched).toBool()) {
        control->setProperty(kWatched, true);
        control->installEventFilter(this);
    }
}

bool TFDForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::FocusOut)
        return QWidget::eventFilter(watched, event);
    const std::string name = watched->property(kNormaliseName).toByteArray().toStdString();
    if (name.empty() || Parameters().Find(name) == nullptr)
        return false;
    if (watched->property(kIsMemo).toBool()) {
        auto* memo = static_cast<QPlainTextEdit*>(watched);
        const QString before = kw::MemoText(*memo);
        std::string text = kw::MemoQStringToBytes(before);
        Parameters().NormalizeByName(name, text);
        const QString shown = kw::MemoBytesToQString(text);
        if (shown != before)
            memo->setPlainText(shown);
    } else {
        auto* edit = static_cast<QLineEdit*>(watched);
        std::string text = kw::QStringToBytes(edit->text());
        Parameters().NormalizeByName(name, text);
        const QString shown = kw::BytesToQString(text);
        // Unlike a value being loaded, this is the user's own entry settling, so
        // change handlers (mirror labels and the like) hear it.
        if (shown != edit->text())
            edit->setText(shown);
    }
    emit Edited();
    return false;
}
