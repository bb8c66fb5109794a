#include "AppLog.h"

namespace kw {
Q_LOGGING_CATEGORY(AppLog, "kw.app", QtInfoMsg)
Q_LOGGING_CATEGORY(SettingsLog, "kw.settings", QtInfoMsg)
} // namespace kw
