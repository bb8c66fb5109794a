// The initialisation page ("Inicializace"): nine buttons, each of which puts
// one group of parameters back to its defaults after the user confirms
// (config/pages/InitialisationPage.h). The page holds no parameter state and no
// bindings; the values it resets appear on the other pages the next time they
// are filled.
#pragma once

#include "DForm.h"

namespace kw::pages {
struct TResetButton;
}

class TFInicializace : public TFDForm {
    Q_OBJECT
public:
    // The buttons stand this far apart, the first at the top.
    static constexpr int kButtonStep = 32;

    explicit TFInicializace(CPageHost& host, QWidget* parent = nullptr);

    void LoadPage() override;
    void ResizePage(int width, int height) override;

private:
    // Asks the button's question; a yes resets its group ("all" also marks the
    // PIN and the service password as changed).
    void ResetClicked(const kw::pages::TResetButton& button);
    void SetButtonWidths();
};
