// What a memo holds, line breaks as LF and every other character as it is
// (QPlainTextEdit::toPlainText would turn a no-break space into a space).
#pragma once

#include <QString>

class QPlainTextEdit;

namespace kw {

QString MemoText(const QPlainTextEdit& memo);

} // namespace kw
