#include "setup/TargetPath.h"

namespace setup {

namespace {

const QChar Backslash = QLatin1Char('\\');

} // namespace

QString TargetDirectory(const QString& text, const QString& currentDirectory)
{
    QString directory = text.trimmed();
    if (!directory.endsWith(Backslash))
        directory += Backslash;
    const bool hasDrive = directory.size() > 1 && directory.at(1) == QLatin1Char(':');
    if (hasDrive || directory.startsWith(currentDirectory, Qt::CaseInsensitive))
        return directory;
    // At a drive's root the current directory ends in "\" already.
    QString base = currentDirectory;
    if (base.endsWith(Backslash))
        base.chop(1);
    if (directory.startsWith(Backslash))
        return base + directory;
    return base + Backslash + directory;
}

QStringList DirectoryLevels(const QString& directory)
{
    QString rest = directory;
    if (rest.endsWith(Backslash))
        rest.chop(1);
    QStringList levels;
    QString built;
    for (qsizetype next = rest.indexOf(Backslash, 1); next > 0; next = rest.indexOf(Backslash, 1)) {
        built += rest.left(next);
        rest.remove(0, next);
        levels.append(built);
    }
    levels.append(built + rest);
    return levels;
}

bool TargetPathRefused(const QString& directory)
{
    for (const QChar c : directory) {
        if (c == QLatin1Char('"') || c.category() == QChar::Other_Control)
            return true;
    }
    return false;
}

} // namespace setup
