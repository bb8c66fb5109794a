#include "MemoText.h"

#include <QPlainTextEdit>
#include <QTextDocument>

namespace kw {

QString MemoText(const QPlainTextEdit& memo) {
    QString text = memo.document()->toRawText();
    // Return makes a paragraph, Shift+Return a line separator: both are a line
    // break to the user.
    text.replace(QChar::ParagraphSeparator, u'\n');
    text.replace(QChar::LineSeparator, u'\n');
    return text;
}

} // namespace kw
