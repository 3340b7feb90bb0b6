#include "main/DiskSpelling.h"

#include "platform/files/Files.h"

#include <QFileInfo>
#include <QHash>
#include <QStringList>

namespace diskspelling {

namespace {

const QLatin1Char Backslash('\\');
const QLatin1Char Slash('/');

// Missing folders named so far: the case-folded Linux path of the folder as
// first named, and the spelling of its own name then.
QHash<QString, QString>& Named()
{
    static QHash<QString, QString> named;
    return named;
}

} // namespace

QString Spelled(const QString& directory, const QString& path)
{
    const bool folderPath = path.endsWith(Backslash);
    const QStringList given = path.split(Backslash, Qt::SkipEmptyParts);
    const QString linuxPath = platform::ToLinuxPath(directory + path);
    if (given.isEmpty() || linuxPath.isEmpty())
        return path;
    // The lookup maps each component to one of its own, the existing ones in
    // their spelling on disk: the last components are those of path.
    QStringList onDisk = linuxPath.split(Slash);
    if (onDisk.size() <= given.size())
        return path;
    const QString base = onDisk.mid(0, onDisk.size() - given.size()).join(Slash);
    onDisk = onDisk.mid(onDisk.size() - given.size());
    for (qsizetype i = 0; i < given.size(); ++i) {
        if (given.at(i).compare(onDisk.at(i), Qt::CaseInsensitive) != 0)
            return path;
    }

    // The folders that exist: all of them up to the deepest one that does.
    const qsizetype folders = folderPath ? given.size() : given.size() - 1;
    qsizetype existing = folders;
    while (existing > 0 && !QFileInfo(base + Slash + onDisk.mid(0, existing).join(Slash)).isDir())
        --existing;
    QString key = base;
    for (qsizetype i = 0; i < folders; ++i) {
        key += Slash + given.at(i);
        if (i < existing)
            continue;
        const QString folded = key.toCaseFolded();
        const auto named = Named().constFind(folded);
        if (named != Named().cend())
            onDisk[i] = *named;
        else
            Named().insert(folded, given.at(i));
    }
    QString spelled = onDisk.join(Backslash);
    if (folderPath)
        spelled += Backslash;
    return spelled;
}

} // namespace diskspelling
