#pragma once
// Small helpers of the file-layer tests: they touch the disk directly (Qt,
// Linux paths), beside the layer under test.

#include <QDir>
#include <QFile>
#include <QString>

namespace filetest {

inline QString home()
{
    return QDir::cleanPath(qEnvironmentVariable("HOME"));
}

inline bool writeBytes(const QString& linuxPath, const QByteArray& bytes)
{
    QFile file(linuxPath);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QByteArray readBytes(const QString& linuxPath)
{
    QFile file(linuxPath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace filetest
