// The code of the link exception a call raises, for tests of the failures.
#pragma once

#include "COMTermExp.h"

#include <functional>

namespace kw::test {

// The exception's code, or -1 when the call raised none.
inline int LinkCodeOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const CCOMTermExp& e) {
        return e.Code();
    }
    return -1;
}

} // namespace kw::test
