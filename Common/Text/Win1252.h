// Parameter values are 8-bit byte strings; widgets hold QString. These map one to
// the other as Windows-1252, with the five bytes that code page leaves undefined
// kept as the C1 control characters of the same number, so every byte survives a
// round trip. Memos hold CR LF line breaks in the value and LF in the widget.
#pragma once

#include <QString>

#include <string>

namespace kw {

QString BytesToQString(const std::string& bytes);
// Characters outside Windows-1252 become '?'.
std::string QStringToBytes(const QString& text);
// Where the first character outside Windows-1252 stands (one QStringToBytes
// would turn into '?'), or -1 when the text has none.
qsizetype FirstCharOutsideWin1252(const QString& text);

// As above, with the value's CR LF shown as LF and LF stored as CR LF. A CR or
// an LF on its own is no line break of the value: it shows as its control
// picture (U+240D, U+240A) and comes back as the same byte, so a text read from
// the gateway survives being shown and stored unchanged.
QString MemoBytesToQString(const std::string& bytes);
std::string MemoQStringToBytes(const QString& text);

} // namespace kw
