// A section page on a test host (the whole catalogue, a language, the scripted
// user port) with what every page test does: load it for a variant, list what
// it bound, find its controls by their objectNames and read language words.
#pragma once

#include "DForm.h"
#include "Parameters.h"
#include "TestHost.h"

#include <QString>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace kw::test {

template <typename TPage> class PageFixture : public ::testing::Test {
protected:
    PageFixture() : page(host) {}

    // Sets HWVer, clears the modified flag and fills the page.
    void Load(const std::string& variant) {
        host.parameters.SetValue("HWVer", 0, variant);
        Reload();
    }
    // Fills the page again for the configuration as it stands.
    void Reload() {
        host.parameters.m_Modified = false;
        page.LoadPage();
    }
    // The parameters the last fill bound, sorted (with their rows).
    std::vector<std::string> BoundNames() const {
        std::vector<std::string> names;
        for (const CParControl* binding : page.Bindings().Active())
            names.push_back(binding->Row() == 0
                                ? binding->Name()
                                : binding->Name() + "#" + std::to_string(binding->Row()));
        std::sort(names.begin(), names.end());
        return names;
    }
    template <typename W> W* Find(const char* name) const {
        W* control = page.template findChild<W*>(name);
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    QString Word(int id) const { return QString::fromStdString(host.language.GetText(id)); }

    CTestHost host;
    TPage page;
};

// Sorted, for comparing with BoundNames.
inline std::vector<std::string> SortedNames(std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace kw::test
