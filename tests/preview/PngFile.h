#pragma once
// PNG files made for the tests byte by byte: any header, rows as given
// (each with its filter byte, all passes of an interlaced picture one
// after the other), compressed at the level given, and chunks that come
// before the picture data (a palette, a transparency).

#include <QByteArray>
#include <QtGlobal>

namespace testsupport {

inline QByteArray BigEndian32(quint32 v)
{
    QByteArray bytes;
    for (const int shift : {24, 16, 8, 0})
        bytes.append(char(v >> shift));
    return bytes;
}

inline QByteArray PngChunk(const char* type, const QByteArray& data)
{
    const QByteArray typed = QByteArray(type, 4) + data;
    quint32 crc = 0xFFFFFFFFu;
    for (const char c : typed) {
        crc ^= uchar(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return BigEndian32(quint32(data.size())) + typed + BigEndian32(crc ^ 0xFFFFFFFFu);
}

inline QByteArray PngFile(quint32 width, quint32 height, int depth, int colour, bool interlaced,
                          const QByteArray& rows, const QByteArray& before = QByteArray(),
                          int level = 9)
{
    QByteArray header = BigEndian32(width) + BigEndian32(height);
    for (const int byte : {depth, colour, 0, 0, interlaced ? 1 : 0})
        header.append(char(byte));
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + PngChunk("IHDR", header) + before +
           PngChunk("IDAT", qCompress(rows, level).mid(4)) + PngChunk("IEND", QByteArray());
}

} // namespace testsupport
