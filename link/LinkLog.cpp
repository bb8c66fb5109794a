#include "LinkLog.h"

namespace kw {
Q_LOGGING_CATEGORY(LinkLog, "kw.link", QtInfoMsg)
}
