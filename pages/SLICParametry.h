// The lines page ("Tel. linky"): the FXS port's dialling, volumes, CLIP,
// ringing, signalling and tones on one tab, the FXO port's on a second tab that
// only variants with an FXO line show. Tone frequencies come in two-tone groups
// whose second frequency follows the first while the group is single-tone.
#pragma once

#include "DForm.h"

class CUpDown;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSlider;
class QTabWidget;

class TFSLICParametry : public TFDForm {
    Q_OBJECT
public:
    explicit TFSLICParametry(CPageHost& host, QWidget* parent = nullptr);

    void LoadPage() override;
    void StorePage() override;
    void ResizePage(int width, int height) override;

    // Two-tone box toggled: F2 (label, edit, up-down) enabled exactly when it
    // is ticked, then F2 follows F1 unless it is.
    void CheckBox4Click();
    void CheckBox5Click();
    void CheckBox7Click();
    void CheckBox8Click();
    void CheckBox9Click();
    // F1 changed: F2 takes its text while the group's box is not ticked.
    void Edit8Change();
    void Edit10Change();
    void Edit17Change();
    void Edit23Change();
    void Edit26Change();
    // Busy-tone detection never stops at 1; permanent-tone detection has
    // nothing between 0 and 1610. False refuses the step (the spin has jumped).
    bool UpDown13ChangingEx(int newValue, bool up);
    bool UpDown14ChangingEx(int newValue, bool up);

    QTabWidget* PageControl1;
    QWidget* TabSheet1; // FXS
    QWidget* TabSheet2; // FXO

    // --- FXS ---
    QSlider* TrackBar1; // FXSVolRec
    QSlider* TrackBar2; // FXSVolSend
    QComboBox* ComboBox1;
    QCheckBox* CheckBox1;
    QLineEdit* Edit1;
    QLineEdit* Edit4;
    QComboBox* ComboBox16;
    QLineEdit* Edit2;
    QLineEdit* Edit3;
    QComboBox* ComboBox3;
    QLineEdit* Edit5;
    QComboBox* ComboBox8;
    QComboBox* ComboBox9;
    QComboBox* ComboBox12;
    QCheckBox* CheckBox2;
    QComboBox* ComboBox5;
    QComboBox* ComboBox6;
    QComboBox* ComboBox15;
    QComboBox* ComboBox2;
    QTabWidget* PageControl2; // FXS tones
    QLineEdit* Edit8;
    QLineEdit* Edit9;
    QLabel* Label19;
    CUpDown* UpDown7;
    QCheckBox* CheckBox4;
    QComboBox* ComboBox4;
    QLineEdit* Edit10;
    QLineEdit* Edit11;
    QLabel* Label22;
    CUpDown* UpDown9;
    QCheckBox* CheckBox5;
    QComboBox* ComboBox7;
    QLineEdit* Edit23;
    QLineEdit* Edit24;
    QLabel* Label42;
    CUpDown* UpDown20;
    QCheckBox* CheckBox8;
    QComboBox* ComboBox13;

    // --- FXO ---
    QComboBox* ComboBox10;
    QCheckBox* CheckBox3;
    QLineEdit* Edit6;
    QLineEdit* Edit7;
    QLineEdit* Edit12;
    QLineEdit* Edit13;
    QLineEdit* Edit14;
    QComboBox* ComboBox17;
    QLineEdit* Edit15;
    CUpDown* UpDown13;
    QLineEdit* Edit16;
    CUpDown* UpDown14;
    QSlider* TrackBar3; // FXOVolRec
    QSlider* TrackBar4; // FXOVolSend
    QLineEdit* Edit19;
    QLineEdit* Edit20;
    QLineEdit* Edit21;
    QLineEdit* Edit22;
    QTabWidget* PageControl3; // FXO tones
    QLineEdit* Edit17;
    QLineEdit* Edit18;
    QLabel* Label32;
    CUpDown* UpDown16;
    QCheckBox* CheckBox7;
    QComboBox* ComboBox11;
    QLineEdit* Edit26;
    QLineEdit* Edit25;
    QLabel* Label48;
    CUpDown* UpDown21;
    QCheckBox* CheckBox9;
    QComboBox* ComboBox14;

private:
    struct TTwoTone {
        QCheckBox* box;
        QLineEdit* f1;
        QLineEdit* f2;
        QLabel* f2Label;
        CUpDown* f2Spin;
    };

    void BuildFxsTab();
    void BuildFxoTab();
    struct TToneNames {
        const char* f1;
        const char* f1Spin;
        const char* f2;
        const char* f2Spin;
        const char* f2Label;
        const char* box;
        const char* cadence;
    };
    struct TToneWords {
        int f1, f2, twoTone, cadence, cadenceCount;
    };
    // One tone tab: F1, F2 with its label, the two-tone box and the cadence
    // list; the list's name is returned through `cadence`.
    TTwoTone BuildToneSheet(QWidget* sheet, const TToneNames& names, const TToneWords& words,
                            QComboBox*& cadence);
    void BindFxs();
    void BindFxo();
    void ConnectTwoTone(TTwoTone& group, void (TFSLICParametry::*click)(),
                        void (TFSLICParametry::*f1Change)());
    void TwoToneClick(const TTwoTone& group);
    void F1Change(const TTwoTone& group);
    // Puts the spin and its edit at `value` from inside a changing handler.
    void JumpSpin(CUpDown* spin, int value);

    TTwoTone m_DialTone{};
    TTwoTone m_BusyTone{};
    TTwoTone m_RingBackTone{};
    TTwoTone m_FxoDialTone{};
    TTwoTone m_FxoRingBackTone{};
    // Held while a changing handler runs: the spin it moves must not ask again.
    bool m_InChanging = false;
};
