// The user port of the program: message boxes with caption word 0 and the icon
// asked for, the shared progress window, and simple choice dialogs, all over
// the main window.
#pragma once

#include "CancellableUserPort.h"

#include <QPointer>

class CLanguage;
class QWidget;
class TFProgress;

class CQtUserPort : public CCancellableUserPort {
public:
    // `centre` places a dialog over the main window before it is shown.
    CQtUserPort(QWidget& mainWindow, const CLanguage& language,
                std::function<void(QWidget&)> centre);
    ~CQtUserPort() override;

    void ShowMessage(Icon icon, int word, const std::string& format,
                     const std::vector<std::string>& details) override;
    bool AskYesNo(Icon icon, int word, const std::string& format,
                  const std::vector<std::string>& details) override;

    void ShowProgress(const std::string& text, bool withBar) override;
    void ShowProgressWord(int word, bool withBar) override;
    void SetProgressText(const std::string& text) override;
    void SetProgressRange(int min, int max) override;
    void SetProgressPosition(int position) override;
    void SetProgressCancelVisible(bool visible) override;
    void HideProgress() override;
    void CancelProgress() override;

    std::string Word(int word) const override;
    int PickEntry(const std::vector<std::string>& entries) override;
    bool ConfirmVersionChange(const std::string& current, const std::string& next) override;

    // The window on view, or nullptr.
    TFProgress* ProgressWindow() const;
    // The text a message of that word, format and details shows.
    std::string MessageText(int word, const std::string& format,
                            const std::vector<std::string>& details) const;

private:
    int Box(Icon icon, int word, const std::string& format, const std::vector<std::string>& details,
            bool question);

    QWidget& m_Main;
    const CLanguage& m_Language;
    std::function<void(QWidget&)> m_Centre;
    QPointer<TFProgress> m_Progress;
};
