// A maximum length that limits what the user types or pastes into an edit or a
// memo, never a text that code sets: QLineEdit::setMaxLength would cut both, and
// a value longer than the field allows must still be shown whole.
#pragma once

class QLineEdit;
class QObject;
class QPlainTextEdit;

namespace kw {

// maxLength <= 0 removes the limit. Setting a limit again replaces the old one.
void LimitTyping(QLineEdit* edit, int maxLength);
// A memo's length is that of its value, where each line break is CR LF.
void LimitTyping(QPlainTextEdit* memo, int maxLength);
// The limit in force, 0 for none.
int TypingLimit(const QObject* control);

} // namespace kw
