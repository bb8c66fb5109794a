// The choice of firmware file when the program folder holds several: the names
// in alphabetical order, the first one selected.
#pragma once

#include <QDialog>

#include <string>
#include <vector>

class CLanguage;
class QListWidget;

class TFAskBinaries : public QDialog {
    Q_OBJECT
public:
    // The modal result of O.K. and of a double click on a name.
    static constexpr int kResultOk = 100;

    TFAskBinaries(const CLanguage& language, QWidget* parent = nullptr);

    // Translates the dialog and fills the list with `names` (file names as the
    // system gives them), sorted, the first one selected.
    void Activate(const std::vector<std::string>& names);
    // The index in the names given to Activate of the selected entry; -1 for none.
    int SelectedIndex() const;

private:
    const CLanguage& m_Language;
    QListWidget* m_FileList;
};
