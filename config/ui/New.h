// The dialog that asks for the hardware model of a new configuration: a list of
// the three variants a new configuration can have (A, C, E), each with its hint.
#pragma once

#include <QDialog>

#include <string>

class CLanguage;
class QComboBox;

class TFNew : public QDialog {
    Q_OBJECT
public:
    // The modal result of O.K.; any other result means the user cancelled.
    static constexpr int kResultOk = 100;

    TFNew(const CLanguage& language, QWidget* parent = nullptr);

    // What the dialog does each time it is activated: translate, rebuild the
    // list and pre-select the entry of `currentVariant` ("C" or "E"; anything
    // else selects the first entry).
    void Activate(const std::string& currentVariant);
    // The code chosen with O.K.: "A", "C" or "E"; the current code given to
    // Activate while nothing is selected.
    const std::string& ChosenVariant() const { return m_Variant; }

private:
    // The letter of the entry selected, 0 for none.
    char SelectedLetter() const;
    void ShowVariantHint();
    void OkClicked();

    const CLanguage& m_Language;
    QComboBox* m_VariantList;
    std::string m_Variant;
};
