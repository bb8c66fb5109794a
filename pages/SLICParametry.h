// The lines page ("Tel. linky"): the FXS line's dialling, volumes, CLIP,
// ringing, signalling and tones on one sheet, the FXO line's on a second sheet
// that only variants with an FXO line have (config/pages/LinesPage.cpp). Tone
// frequencies come in two-tone groups whose second frequency follows the first
// while the group is single-tone; two detection spins skip forbidden values.
#pragma once

#include "DeclaredPage.h"

class CUpDown;
class QCheckBox;
class QLineEdit;

class TFSLICParametry : public TFDeclaredPage {
    Q_OBJECT
public:
    explicit TFSLICParametry(CPageHost& host, QWidget* parent = nullptr);

    void LoadPage() override;

    // Busy-tone detection never stops at 1; permanent-tone detection has
    // nothing between 0 and 1610. False refuses the step (the spin has jumped).
    bool BusyToneDetectionChanging(int newValue, bool up);
    bool PermanentToneDetectionChanging(int newValue, bool up);

private:
    struct TTwoTone {
        QCheckBox* box;
        QLineEdit* first;
        const kw::TBuiltRow* second; // label, edit and up-down
    };

    // The box toggled: the second frequency is enabled exactly when it is
    // ticked, then follows the first unless it is.
    void TwoToneToggled(const TTwoTone& tone);
    // The first frequency changed: the second takes it while the box is not ticked.
    void FirstToneChanged(const TTwoTone& tone);
    // Puts the spin and its edit at `value` from inside a changing handler.
    void JumpSpin(CUpDown* spin, int value);

    std::vector<TTwoTone> m_Tones;
    CUpDown* m_BusyToneSpin;
    CUpDown* m_PermanentToneSpin;
    // Held while a changing handler runs: the spin it moves must not ask again.
    bool m_InChanging = false;
};
