#include "InstalledLanguages.h"

namespace kw::sheets {

CInstalledLanguages::CInstalledLanguages(const std::string& programFolder,
                                         const std::string& variant) {
    m_Index.Init(programFolder);
    for (size_t lang = 0; lang < m_Index.Languages().size(); ++lang) {
        m_Loaded.push_back(std::make_unique<CLanguage>());
        m_Loaded.back()->Init(programFolder);
        m_Loaded.back()->Load(static_cast<int>(lang), variant);
    }
}

const CLanguage* CInstalledLanguages::Find(const std::string& id) const {
    const int lang = m_Index.FindLangById(id);
    return lang < 0 ? nullptr : m_Loaded[static_cast<size_t>(lang)].get();
}

std::vector<const CLanguage*> CInstalledLanguages::All() const {
    std::vector<const CLanguage*> all;
    for (const auto& language : m_Loaded)
        all.push_back(language.get());
    return all;
}

} // namespace kw::sheets
