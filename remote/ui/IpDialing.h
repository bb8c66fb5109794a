// The IP dialling window: how the wake-up and the gateway's call back go, line
// by line, with Cancel. Modeless and without system buttons; until the program
// closes it, it comes to the front again whenever it loses the activation, so
// it stays in view while the main window waits for the gateway.
#pragma once

#include <QDialog>

#include <functional>

class CLanguage;
class QListWidget;
class QPushButton;

class TFIpDialing : public QDialog {
    Q_OBJECT
public:
    TFIpDialing(const CLanguage& language, QWidget* mainWindow);

    // Translated (caption word 273, Cancel word 2), the list emptied, the
    // closing-by-program flag cleared, shown.
    void Open();
    void AddLine(const QString& line);
    QStringList Lines() const;
    // Sets the closing-by-program flag and closes the window.
    void CloseByProgram();
    bool ClosingByProgram() const { return m_ClosingByProgram; }
    // What Cancel does (the server's dialling cancel, which closes the window).
    void SetCancelAction(std::function<void()> action) { m_CancelAction = std::move(action); }

public slots:
    // Escape is Cancel.
    void reject() override;

protected:
    void changeEvent(QEvent* event) override;
    // The window manager's close, for all the missing close button, is Cancel.
    void closeEvent(QCloseEvent* event) override;

private:
    void CancelClicked();

    const CLanguage& m_Language;
    QListWidget* m_Lines;
    QPushButton* m_CancelButton;
    bool m_ClosingByProgram = true;
    std::function<void()> m_CancelAction;
};
