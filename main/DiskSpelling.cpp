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

// A folder as looked up in this run: its spelling, and whether it existed
// then. In a folder the run made, every file is the run's own, made in the
// spelling its links were given: no file there needs a look at the disk.
struct Folder {
    QString spelled; // ending in "\", or empty for the directory itself
    bool existed = true;
};

// What this run answered for paths below one directory, by the path as
// asked: a page's links ask for the same few paths again and again.
struct Answers {
    QString directory;
    QHash<QString, QString> paths;
    QHash<QString, Folder> folders;
};

Answers& Given()
{
    static Answers answers;
    return answers;
}

// The folder path (ending in "\") as the file layer finds or makes it now.
Folder LookedUpFolder(const QString& directory, const QString& path)
{
    const QStringList given = path.split(Backslash, Qt::SkipEmptyParts);
    const QString linuxPath = platform::ToLinuxPath(directory + path);
    if (given.isEmpty() || linuxPath.isEmpty())
        return {path, true};
    // The lookup maps each component to one of its own, the existing ones in
    // their spelling on disk: the last components are those of path.
    QStringList onDisk = linuxPath.split(Slash);
    if (onDisk.size() <= given.size())
        return {path, true};
    const QString base = onDisk.mid(0, onDisk.size() - given.size()).join(Slash);
    onDisk = onDisk.mid(onDisk.size() - given.size());
    for (qsizetype i = 0; i < given.size(); ++i) {
        if (given.at(i).compare(onDisk.at(i), Qt::CaseInsensitive) != 0)
            return {path, true};
    }

    // The folders that exist: all of them up to the deepest one that does.
    qsizetype existing = given.size();
    while (existing > 0 && !QFileInfo(base + Slash + onDisk.mid(0, existing).join(Slash)).isDir())
        --existing;
    QString key = base;
    for (qsizetype i = 0; i < given.size(); ++i) {
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
    return {onDisk.join(Backslash) + Backslash, existing == given.size()};
}

// The file name as the file layer finds it in folder, an existing folder.
QString LookedUpName(const QString& directory, const QString& folder, const QString& name)
{
    const QString linuxPath = platform::ToLinuxPath(directory + folder + name);
    const QString onDisk = linuxPath.mid(linuxPath.lastIndexOf(Slash) + 1);
    return onDisk.compare(name, Qt::CaseInsensitive) == 0 ? onDisk : name;
}

QString LookedUp(Answers& answers, const QString& path)
{
    const qsizetype cut = path.lastIndexOf(Backslash) + 1;
    const QString folderPath = path.left(cut);
    const QString name = path.mid(cut);
    Folder folder;
    if (!folderPath.isEmpty()) {
        auto found = answers.folders.find(folderPath);
        if (found == answers.folders.end())
            found =
                answers.folders.insert(folderPath, LookedUpFolder(answers.directory, folderPath));
        folder = *found;
    }
    if (name.isEmpty() || !folder.existed)
        return folder.spelled + name;
    return folder.spelled + LookedUpName(answers.directory, folder.spelled, name);
}

} // namespace

QString Spelled(const QString& directory, const QString& path)
{
    Answers& answers = Given();
    if (answers.directory != directory) {
        answers.directory = directory;
        answers.paths.clear();
        answers.folders.clear();
    }
    const auto known = answers.paths.constFind(path);
    if (known != answers.paths.cend())
        return *known;
    const QString spelled = LookedUp(answers, path);
    answers.paths.insert(path, spelled);
    return spelled;
}

void ForgetAnswers()
{
    Given().paths.clear();
    Given().folders.clear();
}

} // namespace diskspelling
