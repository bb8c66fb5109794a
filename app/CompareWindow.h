// The compare window: every value in which the editor's configuration differs
// from another one (a file, a backup, the gateway read now). A double-click
// goes to the page and control that edit the value.
#pragma once

#include "DifferenceList.h"

#include <QDialog>

#include <functional>

class CLanguage;
class CParameters;
class QLabel;
class QPushButton;
class QTreeWidget;

class CCompareWindow : public QDialog {
    Q_OBJECT
public:
    CCompareWindow(CLanguage& language, QWidget* parent);

    // Lists what differs; `otherName` says what the editor is compared with.
    void Compare(const CParameters& editor, const std::string& variant, const CParameters& other,
                 const QString& otherName);
    // Sets the texts in the current language.
    void Translate();

    std::function<void()> fileRequested;
    std::function<void()> gatewayRequested;
    std::function<void(int section, const std::string& control)> goTo;

private:
    CLanguage& m_Language;
    QLabel* m_Against;
    QLabel* m_Count;
    QTreeWidget* m_List;
    QPushButton* m_FileButton;
    QPushButton* m_GatewayButton;
    QPushButton* m_CloseButton;
};
