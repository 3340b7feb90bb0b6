#include "main/WorkLists.h"

#include "main/PartFile.h"
#include "main/UnfinishedFolder.h"
#include "main/WorkListIndex.h"
#include "platform/convert/Convert.h"
#include "platform/files/Files.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace worklists {

namespace {

// The name of names that path's file name matches case-blind, when the file
// lies in the current directory; empty otherwise. The names are compared
// first, so a path of another name costs no system call.
QString NamedIn(const QStringList& names, const QString& path)
{
    const qsizetype cut =
        std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
    const QString fileName = path.mid(cut + 1);
    const auto match = std::find_if(names.begin(), names.end(), [&fileName](const QString& name) {
        return name.compare(fileName, Qt::CaseInsensitive) == 0;
    });
    if (match == names.end())
        return {};
    const QString linuxPath = platform::ToLinuxPath(path);
    if (linuxPath.isEmpty())
        return {};
    const QString folder = QFileInfo(QFileInfo(linuxPath).absolutePath()).canonicalFilePath();
    if (folder.isEmpty() || folder != QDir::current().canonicalPath())
        return {};
    return *match;
}

} // namespace

const QStringList& Names()
{
    static const QStringList names{QStringLiteral("LINKS0.INP"), QStringLiteral("LINKS1.INP"),
                                   QStringLiteral("COMPLETE.ENP"), QStringLiteral("KELPA.GOT"),
                                   QStringLiteral("KELPA.NOT")};
    return names;
}

QString WorkListNamed(const QString& path)
{
    return NamedIn(Names(), path);
}

bool IsOwnFile(const QString& path)
{
    static const QStringList names =
        Names() + QStringList{QStringLiteral("KELPA.INI"), QStringLiteral("KELPA.LOG"),
                              QStringLiteral("KELPA.TMP"), QStringLiteral("KELPA.BAK"),
                              QStringLiteral("~.TMP"),     partfile::Record,
                              QStringLiteral("TEST.TSK"),  unfinishedfolder::Record};
    return !NamedIn(names, path).isEmpty();
}

bool IsDownloadListFile(const QString& directory, const QString& path)
{
    if (path.size() <= directory.size() || !path.startsWith(directory, Qt::CaseInsensitive))
        return false;
    const QStringView name = QStringView(path).mid(directory.size());
    return name.compare(IndexPage, Qt::CaseInsensitive) == 0 ||
           name.compare(MailList, Qt::CaseInsensitive) == 0;
}

bool IsProgramFile(const QString& directory, const QString& path)
{
    return IsOwnFile(path) || IsDownloadListFile(directory, path);
}

QString RecordKey(const QString& url, const QString& name)
{
    // A line never holds a line break: the two parts cannot run into each
    // other.
    return WorkListIndex::UrlKey(platform::Trim(url)) + QLatin1Char('\n') + platform::Trim(name);
}

bool NameTaken(const QString& directory, const QString& path)
{
    return platform::FileLen(path) > 0 || IsProgramFile(directory, path);
}

} // namespace worklists
