// The security page ("Zabezbeceni"): the SIM PIN and the service password
// (config/pages/SmallPages.cpp). Its store tells the main window which of the
// two the user changed, so a write sends only those and keeps the gateway's
// own otherwise; then the page closes itself, so the codes do not stay on view.
#pragma once

#include "DeclaredPage.h"

#include <QString>

class QLineEdit;

class TFZabezpeceni : public TFDeclaredPage {
    Q_OBJECT
public:
    explicit TFZabezpeceni(CPageHost& host, QWidget* parent = nullptr);

    void LoadPage() override;
    void StorePage() override;

private:
    struct TCode {
        const char* param;
        QLineEdit* edit;
        QString loaded; // the text shown right after the last LoadPage
        void (CPageHost::*setChanged)(bool);
    };
    // Whether the edit now holds another value than it showed after loading,
    // both read as the parameter would store them.
    bool Changed(const TCode& code) const;

    TCode m_Pin;
    TCode m_Password;
};
