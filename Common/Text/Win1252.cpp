#include "Win1252.h"

namespace kw {
namespace {

// Unicode of the bytes 0x80 to 0x9F; the undefined ones map to themselves.
constexpr char16_t kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t ByteToUnicode(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F)
        return kHigh[byte - 0x80];
    return byte;
}

char UnicodeToByte(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == c)
            return static_cast<char>(0x80 + i);
    return '?';
}

// How a memo shows a CR or an LF that is not part of a CR LF pair.
constexpr char16_t kLoneCr = 0x240D;
constexpr char16_t kLoneLf = 0x240A;

} // namespace

QString BytesToQString(const std::string& bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (char b : bytes)
        text.append(QChar(ByteToUnicode(static_cast<unsigned char>(b))));
    return text;
}

std::string QStringToBytes(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<size_t>(text.size()));
    for (QChar c : text)
        bytes.push_back(UnicodeToByte(c.unicode()));
    return bytes;
}

qsizetype FirstCharOutsideWin1252(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text[i] != u'?' && UnicodeToByte(text[i].unicode()) == '?')
            return i;
    return -1;
}

QString MemoBytesToQString(const std::string& bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
            text.append(QChar(u'\n'));
            ++i;
        } else if (bytes[i] == '\r') {
            text.append(QChar(kLoneCr));
        } else if (bytes[i] == '\n') {
            text.append(QChar(kLoneLf));
        } else {
            text.append(QChar(ByteToUnicode(static_cast<unsigned char>(bytes[i]))));
        }
    }
    return text;
}

std::string MemoQStringToBytes(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<size_t>(text.size()));
    for (QChar c : text) {
        if (c == u'\n')
            bytes += "\r\n";
        else if (c == kLoneCr)
            bytes.push_back('\r');
        else if (c == kLoneLf)
            bytes.push_back('\n');
        else
            bytes.push_back(UnicodeToByte(c.unicode()));
    }
    return bytes;
}

} // namespace kw
