// Text of one line read from a file: UTF-8 when the bytes are valid UTF-8,
// otherwise Windows-1252, the code page of files written on Windows.

#include "platform/files/FilesDetail.h"

namespace platform::filesdetail {

namespace {

// Windows-1252 for the bytes 0x80 to 0x9F; the five unassigned bytes keep
// their own value, as the system's conversion does. Every other byte is the
// Latin-1 character of the same number.
constexpr char16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool isValidUtf8(const unsigned char* data, qsizetype size)
{
    qsizetype i = 0;
    while (i < size) {
        const unsigned char lead = data[i];
        if (lead < 0x80) {
            ++i;
            continue;
        }
        int follow = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            follow = 1;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            follow = 2;
            if (lead == 0xE0)
                low = 0xA0;
            else if (lead == 0xED)
                high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            follow = 3;
            if (lead == 0xF0)
                low = 0x90;
            else if (lead == 0xF4)
                high = 0x8F;
        } else {
            return false;
        }
        if (size - i <= follow)
            return false;
        if (data[i + 1] < low || data[i + 1] > high)
            return false;
        for (int k = 2; k <= follow; ++k) {
            if ((data[i + k] & 0xC0) != 0x80)
                return false;
        }
        i += follow + 1;
    }
    return true;
}

QString fromCp1252(const unsigned char* data, qsizetype size)
{
    QString text(size, Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype i = 0; i < size; ++i) {
        const unsigned char byte = data[i];
        out[i] =
            byte >= 0x80 && byte <= 0x9F ? QChar(Cp1252High[byte - 0x80]) : QChar(char16_t(byte));
    }
    return text;
}

} // namespace

QString decodeLine(const char* data, qsizetype size)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(data);
    if (isValidUtf8(bytes, size))
        return QString::fromUtf8(data, size);
    return fromCp1252(bytes, size);
}

} // namespace platform::filesdetail

QString platform::DecodeLine(const QByteArray& bytes)
{
    return filesdetail::decodeLine(bytes.constData(), bytes.size());
}
