// The link's logging category "kw.link". Its debug lines (ports opened and
// closed, attach retries) are off until QT_LOGGING_RULES="kw.link.debug=true".
#pragma once

#include <QLoggingCategory>

namespace kw {
Q_DECLARE_LOGGING_CATEGORY(LinkLog)
}
