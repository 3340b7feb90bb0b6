#include "settings/DirectoryRules.h"

#include "platform/convert/Convert.h"

namespace settings {

namespace {

const QString Backslash = QStringLiteral("\\");

QString ReplaceRefused(QString text)
{
    for (const QChar c : QStringLiteral("*?\"<>|"))
        text.replace(c, QLatin1Char('$'));
    return text;
}

} // namespace

bool DirectoryNameRefused(const QString& text)
{
    if (text.contains(QStringLiteral("\\\\")) || text.contains(QLatin1Char('/')))
        return true;
    if (text.indexOf(QLatin1Char(':'), 2) >= 0)
        return true;
    for (const QChar c : QStringLiteral("*?\"<>|")) {
        if (text.contains(c))
            return true;
    }
    return false;
}

bool StandardDirectorySet(const QString& standardDirectory)
{
    return !standardDirectory.isEmpty() && standardDirectory != Backslash;
}

QString JoinDirectory(const QString& directory, const QString& name)
{
    if (directory.endsWith(Backslash) && name.startsWith(Backslash))
        return directory + name.mid(1);
    if (directory.endsWith(Backslash) || name.startsWith(Backslash))
        return directory + name;
    return directory + Backslash + name;
}

QString AutoDirName(const QString& url)
{
    QString s = platform::Trim(url);
    if (platform::UCase(platform::Left(s, 7)) == QLatin1String("HTTP://"))
        s = s.mid(7);
    const qsizetype slashes = s.count(QLatin1Char('/'));
    if (slashes >= 2) {
        s.truncate(s.lastIndexOf(QLatin1Char('/')));
        s.replace(QLatin1Char('/'), QLatin1Char('_'));
    } else if (slashes == 1) {
        s.truncate(s.indexOf(QLatin1Char('/')));
    }
    return s.replace(QLatin1Char(':'), QLatin1Char('_'));
}

QString AutoDirectory(const QString& url, const QString& boxText, const QString& standardDirectory,
                      const QString& currentDirectory)
{
    QString s = AutoDirName(url);
    QString text = boxText;
    if (!s.isEmpty()) {
        if (!s.endsWith(Backslash))
            s += Backslash;
        text = StandardDirectorySet(standardDirectory) ? standardDirectory + s
                                                       : JoinDirectory(currentDirectory, s);
    }
    return ReplaceRefused(text);
}

QString AbsoluteDirectory(const QString& text, const QString& currentDirectory)
{
    QString d = platform::Trim(text);
    if (platform::Mid(d, 2, 1) != QLatin1String(":") &&
        !d.startsWith(currentDirectory, Qt::CaseInsensitive))
        d = JoinDirectory(currentDirectory, d);
    if (d.isEmpty() || d == Backslash)
        return JoinDirectory(currentDirectory, Backslash);
    if (d.endsWith(Backslash))
        d.chop(1);
    return d.endsWith(Backslash) ? d : d + Backslash;
}

} // namespace settings
