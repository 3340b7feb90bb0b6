#include "main/WorkLists.h"

#include "platform/files/Files.h"

#include <QDir>
#include <QFileInfo>

namespace worklists {

const QStringList& Names()
{
    static const QStringList names{QStringLiteral("LINKS0.INP"), QStringLiteral("LINKS1.INP"),
                                   QStringLiteral("COMPLETE.ENP"), QStringLiteral("KELPA.GOT"),
                                   QStringLiteral("KELPA.NOT")};
    return names;
}

QString WorkListNamed(const QString& path)
{
    const QString linuxPath = platform::ToLinuxPath(path);
    if (linuxPath.isEmpty())
        return {};
    const QFileInfo file(linuxPath);
    const QString folder = QFileInfo(file.absolutePath()).canonicalFilePath();
    if (folder.isEmpty() || folder != QDir::current().canonicalPath())
        return {};
    for (const QString& name : Names()) {
        if (name.compare(file.fileName(), Qt::CaseInsensitive) == 0)
            return name;
    }
    return {};
}

} // namespace worklists
