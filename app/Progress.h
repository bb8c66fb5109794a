// The shared progress window: a text, an optional bar and a Cancel button. It
// stays in front of the main window as its tool window and never takes the
// activation, so a question box shown during a transfer keeps the keyboard.
#pragma once

#include <QDialog>

#include <functional>

class CLanguage;
class QLabel;
class QProgressBar;
class QPushButton;

class TFProgress : public QDialog {
    Q_OBJECT
public:
    TFProgress(const CLanguage& language, QWidget* mainWindow);

    void SetText(const QString& text);
    void SetBarVisible(bool visible);
    void SetRange(int min, int max);
    void SetPosition(int position);
    void SetCancelVisible(bool visible);
    // Called when Cancel is pressed.
    void SetCancelAction(std::function<void()> action) { m_CancelAction = std::move(action); }

public slots:
    // Escape and the window manager's close ask for Cancel; the window itself
    // goes only when the operation hides it.
    void reject() override;

private:
    void CancelClicked();

    QLabel* m_Text;
    QProgressBar* m_Bar;
    QPushButton* m_CancelButton;
    std::function<void()> m_CancelAction;
};
