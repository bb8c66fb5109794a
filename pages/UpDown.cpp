#include "UpDown.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QWheelEvent>

#include <algorithm>

namespace {
constexpr int kFirstRepeatMs = 400;
constexpr int kRepeatMs = 80;
} // namespace

CUpDown::CUpDown(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
    setProperty("tag", 0);
}

QSize CUpDown::sizeHint() const {
    return {17, 21};
}

void CUpDown::SetAssociate(QLineEdit* edit) {
    if (m_Associate)
        m_Associate->removeEventFilter(this);
    m_Associate = edit;
    m_AssociateObject = edit;
    if (edit)
        edit->installEventFilter(this);
}

void CUpDown::SetPosition(int position) {
    const int clamped = std::clamp(position, std::min(m_Min, m_Max), std::max(m_Min, m_Max));
    m_Position = clamped;
}

void CUpDown::SetRange(int min, int max) {
    m_Min = min;
    m_Max = max;
    SetPosition(m_Position);
}

void CUpDown::Step(int direction) {
    if (!isEnabled())
        return;
    // The edit's number is where the user left it; a step continues from there.
    int from = m_Position;
    if (m_Associate) {
        bool ok = false;
        const int shown = m_Associate->text().trimmed().toInt(&ok);
        if (ok)
            from = shown;
    }
    const int low = std::min(m_Min, m_Max);
    const int high = std::max(m_Min, m_Max);
    // A range given high to low steps the other way, as the control always did.
    const int delta = (m_Min <= m_Max ? direction : -direction) * m_Increment;
    long long next = static_cast<long long>(from) + delta;
    if (next > high)
        next = m_Wrap && from >= high ? low : high;
    else if (next < low)
        next = m_Wrap && from <= low ? high : low;
    if (m_Changing && !m_Changing(static_cast<int>(next), direction > 0))
        return;
    m_Position = static_cast<int>(next);
    if (m_Associate && !m_Associate->isReadOnly())
        m_Associate->setText(QString::number(m_Position));
}

void CUpDown::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int half = height() / 2;
    const QRect halves[2] = {QRect(0, 0, width(), half), QRect(0, half, width(), height() - half)};
    for (int i = 0; i < 2; ++i) {
        QStyleOptionButton panel;
        panel.initFrom(this);
        panel.rect = halves[i];
        const bool down = (i == 0 && m_Pressed > 0) || (i == 1 && m_Pressed < 0);
        panel.state |= down ? QStyle::State_Sunken : QStyle::State_Raised;
        style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &panel, &painter, this);
        QStyleOption arrow;
        arrow.initFrom(this);
        arrow.rect = halves[i].adjusted(3, 2, -3, -2);
        style()->drawPrimitive(i == 0 ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowDown,
                               &arrow, &painter, this);
    }
}

void CUpDown::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    m_Pressed = event->position().y() < height() / 2 ? +1 : -1;
    update();
    Step(m_Pressed);
    m_Repeat.start(kFirstRepeatMs, this);
}

void CUpDown::mouseReleaseEvent(QMouseEvent*) {
    m_Pressed = 0;
    m_Repeat.stop();
    update();
}

void CUpDown::timerEvent(QTimerEvent* event) {
    if (event->timerId() != m_Repeat.timerId())
        return;
    if (m_Pressed == 0) {
        m_Repeat.stop();
        return;
    }
    m_Repeat.start(kRepeatMs, this);
    Step(m_Pressed);
}

void CUpDown::wheelEvent(QWheelEvent* event) {
    const int dy = event->angleDelta().y();
    if (dy != 0)
        Step(dy > 0 ? +1 : -1);
    event->accept();
}

bool CUpDown::eventFilter(QObject* watched, QEvent* event) {
    // Compared as plain objects: the edit may be part way through destruction.
    if (watched != m_AssociateObject || !isEnabled())
        return false;
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
            Step(key->key() == Qt::Key_Up ? +1 : -1);
            return true;
        }
    } else if (event->type() == QEvent::Wheel && m_Associate->hasFocus()) {
        // An unfocused edit lets the wheel scroll the page instead.
        const int dy = static_cast<QWheelEvent*>(event)->angleDelta().y();
        if (dy != 0)
            Step(dy > 0 ? +1 : -1);
        return true;
    }
    return false;
}
