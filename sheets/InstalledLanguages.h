// Every language installed in a program folder, each loaded for one hardware
// variant: a spreadsheet may name a list item in any of them.
#pragma once

#include "Language.h"

#include <memory>
#include <string>
#include <vector>

namespace kw::sheets {

class CInstalledLanguages {
public:
    CInstalledLanguages(const std::string& programFolder, const std::string& variant);

    // The language with that id; nullptr when none is installed.
    const CLanguage* Find(const std::string& id) const;
    std::vector<const CLanguage*> All() const;

private:
    CLanguage m_Index;
    std::vector<std::unique_ptr<CLanguage>> m_Loaded;
};

} // namespace kw::sheets
