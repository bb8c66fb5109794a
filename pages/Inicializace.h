// The initialisation page ("Inicializace"): nine buttons, each of which puts
// one group of parameters back to its defaults after the user confirms. The
// page holds no parameter state and no bindings; the values it resets appear
// on the other pages the next time they are filled.
#pragma once

#include "DForm.h"

#include <array>

class QPushButton;

class TFInicializace : public TFDForm {
    Q_OBJECT
public:
    // The parameter groups, as the buttons name them.
    enum Group {
        kFxsLine = 0,
        kFxoLine = 1,
        kFxsRouting = 2,
        kFxoRouting = 3,
        kGsmRouting = 4,
        kGsmSim = 5,
        kSmsInput = 6,
        kBanks = 7,
        kAll
    };

    explicit TFInicializace(CPageHost& host, QWidget* parent = nullptr);

    void LoadPage() override;
    void ResizePage(int width, int height) override;

    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Button6Click();
    void Button7Click();
    void Button8Click();
    void Button9Click();

    // Every parameter of `group` back to its default in all its rows; "all"
    // also marks the PIN and the service password as changed. m_Modified is
    // left as it was.
    void ResetGroup(Group group);

    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* Button3;
    QPushButton* Button4;
    QPushButton* Button5;
    QPushButton* Button6;
    QPushButton* Button7;
    QPushButton* Button8;
    QPushButton* Button9;

    static constexpr int kButtonStep = 32;

private:
    void Confirm(int word, Group group);
    void SetButtonWidths();

    // The buttons from Button7 down, in the order they stand, and their design tops.
    std::array<QPushButton*, 8> m_Stacked{};
    std::array<int, 8> m_DesignTops{};
};
