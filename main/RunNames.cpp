#include "main/RunNames.h"

#include "main/Naming.h"

#include <QHash>
#include <QSet>

namespace runnames {

namespace {

// The highest number a folder gets; the last is taken as it is.
constexpr int MaxNumber = 32767;

struct Names {
    QString directory;
    QHash<QString, QString> holders; // folded path: key of the URL given it
    QSet<QString> folders;           // folded paths of the run's folders, without a final "\"
    QHash<QString, QString> placed;  // folded folder as named: the folder the run uses
    QHash<QString, QString> asAsked; // the same by the folder as asked (most ask alike)
};

Names& Current(const QString& directory)
{
    static Names names;
    if (names.directory != directory) {
        names = Names();
        names.directory = directory;
    }
    return names;
}

QString Key(const QString& path)
{
    return path.toCaseFolded();
}

// Notes every folder on the way to path (a file, or a folder ending in "\").
void AddFolders(Names& names, const QString& path)
{
    for (qsizetype cut =
             path.lastIndexOf(QLatin1Char('\\'), path.endsWith(QLatin1Char('\\')) ? -2 : -1);
         cut > 0; cut = path.lastIndexOf(QLatin1Char('\\'), cut - 1)) {
        const QString folder = Key(path.left(cut));
        if (names.folders.contains(folder))
            break; // and so are the folders above it
        names.folders.insert(folder);
    }
    if (path.endsWith(QLatin1Char('\\')) && path.size() > 1)
        names.folders.insert(Key(path.chopped(1)));
}

} // namespace

QString Below(const QString& directory, const QString& path)
{
    return path.startsWith(directory, Qt::CaseInsensitive) ? path.mid(directory.size()) : path;
}

void Forget()
{
    Current(QString()) = Names();
}

void Give(const QString& directory, const QString& path, const QString& urlKey)
{
    Names& names = Current(directory);
    const QString key = Key(path);
    if (!names.holders.contains(key))
        names.holders.insert(key, urlKey);
    AddFolders(names, path);
}

QString HolderOf(const QString& directory, const QString& path)
{
    return Current(directory).holders.value(Key(path));
}

bool IsFolder(const QString& directory, const QString& path)
{
    QString key = Key(path);
    if (key.endsWith(QLatin1Char('\\')))
        key.chop(1);
    return Current(directory).folders.contains(key);
}

QString Folder(const QString& directory, const QString& folder,
               const std::function<bool(const QString&)>& inTheWay)
{
    Names& names = Current(directory);
    if (folder.isEmpty())
        return folder;
    if (const auto asked = names.asAsked.constFind(folder); asked != names.asAsked.cend())
        return *asked;
    const QString whole = Key(folder);
    if (const auto known = names.placed.constFind(whole); known != names.placed.cend()) {
        names.asAsked.insert(folder, *known);
        return *known;
    }
    QString placed;
    qsizetype begin = 0;
    for (qsizetype end = folder.indexOf(QLatin1Char('\\')); end >= 0;
         begin = end + 1, end = folder.indexOf(QLatin1Char('\\'), begin)) {
        const QString named = Key(folder.left(end + 1));
        if (const auto known = names.placed.constFind(named); known != names.placed.cend()) {
            placed = *known;
            continue;
        }
        const QString part = folder.mid(begin, end - begin);
        QString candidate = placed + part;
        for (int n = 1;
             n <= MaxNumber && (names.holders.contains(Key(candidate)) ||
                                (!names.folders.contains(Key(candidate)) && inTheWay(candidate)));
             ++n)
            candidate = placed + naming::FitComponent(part, QLatin1Char('(') + QString::number(n) +
                                                                QLatin1Char(')'));
        placed = candidate + QLatin1Char('\\');
        names.placed.insert(named, placed);
        AddFolders(names, placed);
    }
    names.asAsked.insert(folder, placed);
    return placed;
}

} // namespace runnames
