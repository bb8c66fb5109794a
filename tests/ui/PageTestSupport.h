// Helpers shared by the section page tests: whole-registry snapshots, values
// the bound controls can show, leaving a field as the user does, the installed
// language files, and screenshots of a page.
#pragma once

#include <map>
#include <random>
#include <string>
#include <vector>

class CLanguage;
class CParameters;
class TFDForm;
class QWidget;

namespace kw::test {

using Snapshot = std::map<std::string, std::vector<std::string>>;

// Every row of every parameter.
Snapshot TakeSnapshot(const CParameters& parameters);
// The names whose rows differ between two snapshots of the same registry.
std::vector<std::string> ChangedNames(const Snapshot& before, const Snapshot& after);

// Random values everywhere (HWVer then set to `variant`), then every parameter
// the page binds for the variant takes the value its control shows for it: the
// list item it selects, the track bar position within its range. Leaves
// m_Modified false.
void FillShowable(TFDForm& page, CParameters& parameters, std::mt19937& random,
                  const std::string& variant);

// Every parameter, identity texts aside, to a value other than its default
// (where its type allows one); m_Modified false afterwards.
void FillAwayFromDefaults(CParameters& parameters, std::mt19937& random);

// Clears m_Modified, fills the page and stores it again: no row of any
// parameter may change and m_Modified must stay false.
void ExpectLoadStoreKeepsRegistry(TFDForm& page, CParameters& parameters);

// Focus leaves the control: the page normalises what was typed.
void LeaveField(QWidget* control);
// Replaces an edit's text the way typing does (textEdited and textChanged).
void TypeInto(QWidget* edit, const std::string& text);

// Loads the installed language with this id ("Eng", "Cze") for the variant.
void LoadInstalledLanguage(CLanguage& language, const std::string& id, const std::string& variant);

// Writes the widget as it looks into the screenshot folder (name + ".png");
// returns the path.
std::string SaveShot(QWidget* widget, const std::string& name);

} // namespace kw::test
