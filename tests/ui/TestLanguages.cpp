#include "TestLanguages.h"

#include <fstream>

namespace kw::test {
namespace {

void WriteLanguage(const std::string& path, const std::string& prefix) {
    std::ofstream out(path, std::ios::binary);
    for (int id = 0; id < 368; ++id) {
        if (id != 128 && id != 332)
            out << "S" << id << "=" << prefix << id << "\n";
        out << "S" << id << "H=" << prefix << "H" << id << "\n";
        for (int item = 0; item < 3; ++item)
            out << "S" << id << "_" << item << "=" << prefix << id << "_" << item << "\n";
    }
    // Variant-specific texts, so a test can see the variant reach the table.
    out << "S4C=" << prefix << "4-for-C\n";
    // Dialog filters, in both forms the file dialogs take apart.
    out << "S332=" << prefix << "Configurations (*.sgd)|*.sgd|All files|*.*\n";
    out << "S128=" << prefix << "Configurations (*.sgd);;All files (*)\n";
}

} // namespace

void WriteTestLanguages(const std::string& folder) {
    std::ofstream(folder + "/L_Init.ini") << "[Settings]\nNumberOfLang=2\nNumberOfWords=400\n"
                                             "[Lang0]\nFile=Test-E.lng\nName=Englishish\nId=Eng\n"
                                             "[Lang1]\nFile=Test-C.lng\nName=Czechish\nId=Cze\n";
    WriteLanguage(folder + "/Test-E.lng", "E");
    WriteLanguage(folder + "/Test-C.lng", "C");
}

} // namespace kw::test
