// What the screenshot tests check on every window they render: no text is a
// word's key (a missing translation) and no label or button cuts its text;
// and where the pictures go (build/<kind>/screenshots).
#pragma once

#include <QString>

#include <string>

class QWidget;

namespace kw::test {

// "S12", "S12H", "S12_3": the key a word without a translation shows.
bool IsUntranslated(const QString& text);
// Every text of `window` a user can see or hover; `where` names it in failures.
void CheckTexts(QWidget* window, const std::string& where);
// Saves `widget` as <screenshot folder>/<name>.png.
void SaveScreenshot(QWidget* widget, const QString& name);

} // namespace kw::test
