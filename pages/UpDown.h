// The small up-down control that sits beside an edit box. Its position, range
// and increment are its own, apart from the edit's text: a step starts from the
// number the edit shows (or the position when the edit holds no number), moves
// by the increment within the range and writes the result into the edit. The
// edit keeps whatever the user types until the page normalises it, which a
// spin box would not allow.
#pragma once

#include <QBasicTimer>
#include <QPointer>
#include <QWidget>

#include <QLineEdit>

#include <functional>

class CUpDown : public QWidget {
    Q_OBJECT
public:
    explicit CUpDown(QWidget* parent = nullptr);

    // The edit this control steps; nullptr for none. Up and Down keys and the
    // mouse wheel in the edit step too.
    void SetAssociate(QLineEdit* edit);
    QLineEdit* Associate() const { return m_Associate; }

    int Position() const { return m_Position; }
    // Clamped to the range; does not touch the edit.
    void SetPosition(int position);
    int Min() const { return m_Min; }
    int Max() const { return m_Max; }
    void SetRange(int min, int max);
    int Increment() const { return m_Increment; }
    void SetIncrement(int increment) { m_Increment = increment; }
    // Past an end the position jumps to the other end instead of stopping.
    void SetWrap(bool wrap) { m_Wrap = wrap; }
    // Asked before a step takes effect, with the new position and the direction
    // (true for up); false refuses the step, leaving position and edit as they
    // were. Setting the position from inside does not ask again.
    using ChangingHandler = std::function<bool(int newPosition, bool up)>;
    void SetChangingHandler(ChangingHandler handler) { m_Changing = std::move(handler); }

    // One step as by a click; what a page or a test uses to press the control.
    void StepUp() { Step(+1); }
    void StepDown() { Step(-1); }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Step(int direction);

    QPointer<QLineEdit> m_Associate;
    const QObject* m_AssociateObject = nullptr;
    int m_Position = 0;
    int m_Min = 0;
    int m_Max = 100;
    int m_Increment = 1;
    bool m_Wrap = false;
    ChangingHandler m_Changing;
    int m_Pressed = 0; // +1 upper half held, -1 lower half held
    QBasicTimer m_Repeat;
};
