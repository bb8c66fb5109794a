// The security page ("Zabezbeceni"): the SIM PIN and the service password. Its
// store tells the main window which of the two the user changed, so a write
// sends only those and keeps the gateway's own otherwise; then the page closes
// itself, so the codes do not stay on view.
#pragma once

#include "DForm.h"

#include <QString>

class QLineEdit;

class TFZabezpeceni : public TFDForm {
    Q_OBJECT
public:
    explicit TFZabezpeceni(CPageHost& host, QWidget* parent = nullptr);

    void LoadPage() override;
    void StorePage() override;
    void ResizePage(int width, int height) override;

    QLineEdit* Edit6; // PINVal
    QLineEdit* Edit7; // ServisPassw

private:
    // Whether the edit now holds another value than the text shown after the
    // last LoadPage, both read as the parameter would store them.
    bool Differs(const char* name, const QLineEdit* edit, const QString& loaded) const;

    // The texts shown right after the last LoadPage.
    QString m_LoadedPin;
    QString m_LoadedPassw;
};
