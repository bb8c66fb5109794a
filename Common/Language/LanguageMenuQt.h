// The language menu over a QMenu: one checkable action per installed language,
// appended to the menu by CLanguage::Init; picking one calls
// CLanguage::MenuPicked, which hands the index and the current variant to the
// change callback given to Init. Actions of other origin in the menu are kept.
#pragma once

#include "Language.h"

#include <QList>
#include <QPointer>

class QAction;
class QMenu;

class CLanguageMenuQt : public CLanguageMenu {
public:
    // `language` must outlive the menu's actions (both live as long as the program).
    CLanguageMenuQt(QMenu* menu, const CLanguage& language);

    void ClearLanguages() override;
    void AddLanguage(int index, const std::string& name) override;
    void CheckLanguage(int index) override;

    // The action of language `index`, or nullptr.
    QAction* Action(int index) const;

private:
    QPointer<QMenu> m_Menu;
    const CLanguage& m_Language;
    QList<QPointer<QAction>> m_Actions;
};
