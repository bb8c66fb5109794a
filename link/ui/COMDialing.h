// The dialling window of modem calls: how a call is set up or torn down, line
// by line, and the button that closes it. Modal while shown; whether the user
// closed it is seen by its visibility, which needs no window manager.
#pragma once

#include "DiallingWindow.h"

#include <QDialog>

class CLanguage;
class QListWidget;
class QPushButton;

class TFCOMDialing : public QDialog, public kw::CDiallingWindow {
    Q_OBJECT
public:
    TFCOMDialing(const CLanguage& language, QWidget* mainWindow);

    // How the window is placed over the main window before it shows.
    void SetPlacer(std::function<void(QWidget&)> place) { m_Place = std::move(place); }
    QStringList Lines() const;

    // --- kw::CDiallingWindow ---
    void Show() override;
    void AddLine(int word, const std::string& quoted) override;
    bool Visible() const override { return isVisible(); }
    void Close() override { hide(); }
    void WaitUntilClosed() override;

private:
    const CLanguage& m_Language;
    QListWidget* m_Lines;
    QPushButton* m_CloseButton;
    std::function<void(QWidget&)> m_Place;
};
