// The program's logging categories: "kw.app" (start-up, fatal reports) and
// "kw.settings" (the settings file). QT_LOGGING_RULES turns them up or off.
#pragma once

#include <QLoggingCategory>

namespace kw {
Q_DECLARE_LOGGING_CATEGORY(AppLog)
Q_DECLARE_LOGGING_CATEGORY(SettingsLog)
} // namespace kw
