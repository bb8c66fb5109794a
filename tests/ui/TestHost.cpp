#include "TestHost.h"

#include "ParameterCatalogue.h"

namespace kw::test {

CTestHost::CTestHost() {
    RegisterCatalogue(parameters);
    // No index file: the table is empty but usable, and every text reads "".
    language.Init("/nonexistent/");
}

} // namespace kw::test
