#include "LanguageMenuQt.h"

#include <QAction>
#include <QMenu>

CLanguageMenuQt::CLanguageMenuQt(QMenu* menu, const CLanguage& language)
    : m_Menu(menu), m_Language(language) {}

void CLanguageMenuQt::ClearLanguages() {
    for (const QPointer<QAction>& action : m_Actions)
        delete action.data();
    m_Actions.clear();
}

void CLanguageMenuQt::AddLanguage(int index, const std::string& name) {
    if (!m_Menu)
        return;
    QAction* action = m_Menu->addAction(QString::fromStdString(name));
    action->setCheckable(true);
    action->setChecked(false);
    action->setData(index);
    const CLanguage* language = &m_Language;
    QObject::connect(action, &QAction::triggered, action,
                     [language, index] { language->MenuPicked(index); });
    m_Actions.append(action);
}

void CLanguageMenuQt::CheckLanguage(int index) {
    for (qsizetype i = 0; i < m_Actions.size(); ++i)
        if (m_Actions[i])
            m_Actions[i]->setChecked(i == index);
}

QAction* CLanguageMenuQt::Action(int index) const {
    return index >= 0 && index < m_Actions.size() ? m_Actions[index].data() : nullptr;
}
