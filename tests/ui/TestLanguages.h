// Two small languages for widget tests, written into a test folder: every word
// id reads "<prefix><id>" ("E12" in the first, "C12" in the second), every hint
// "<prefix>H<id>", every list item "<prefix><id>_<index>". The ids are "Eng"
// and "Cze"; the other six language buttons stay disabled.
#pragma once

#include <string>

namespace kw::test {

void WriteTestLanguages(const std::string& folder);

} // namespace kw::test
