#include "tools/ChooserRules.h"

#include "main/Kelpa.h"
#include "platform/convert/Convert.h"
#include "platform/files/Files.h"

namespace chooser {

namespace {
const QLatin1Char Backslash('\\');
} // namespace

Mode ModeOf(const QString& filter, const QString& title)
{
    const auto& text = KELPA::LanguageText;
    Mode mode;
    mode.directory = filter.isEmpty();
    mode.inputFile = title == text[68];
    mode.icon = title == text[414];
    mode.downloadDirectory = title == text[412];
    mode.save = title.left(6).toUpper() == text[52];
    return mode;
}

QString SaveName(const QString& candidate)
{
    if (candidate.contains(QLatin1Char('.')))
        return candidate;
    return candidate + QLatin1String(".tsk");
}

QString WithBackslash(const QString& text)
{
    return text.endsWith(Backslash) ? text : text + Backslash;
}

bool DirectoryNameRefused(const QString& name)
{
    if (name.contains(QLatin1String("\\\\")))
        return true;
    // A drive's colon stands at the second character; any later one is refused.
    if (name.indexOf(QLatin1Char(':'), 2) >= 0)
        return true;
    for (const QChar c : name) {
        if (QStringLiteral("/*?\"<>|").contains(c))
            return true;
    }
    return false;
}

QStringList Patterns(const QString& filter)
{
    QStringList patterns;
    for (const QString& part : filter.split(QLatin1Char(';'))) {
        const QString pattern = part.trimmed();
        if (!pattern.isEmpty())
            patterns.append(pattern);
    }
    return patterns;
}

bool MatchesAny(const QString& name, const QStringList& patterns)
{
    for (const QString& pattern : patterns) {
        if (platform::NameMatches(name, pattern))
            return true;
    }
    return false;
}

QStringList Shown(const QStringList& names, const QStringList& patterns)
{
    QStringList shown;
    shown.reserve(names.size());
    for (const QString& name : names) {
        if (MatchesAny(name, patterns))
            shown.append(name);
    }
    return shown;
}

QString Joined(const QString& folder, const QString& name)
{
    return WithBackslash(folder) + name;
}

QString FolderText(const QString& folder)
{
    return platform::Trim(folder).endsWith(Backslash) ? folder : folder + Backslash;
}

QStringList Drives()
{
    return {QStringLiteral("C:"), QStringLiteral("Z:")};
}

QString DriveOf(const QString& path)
{
    if (path.size() >= 2 && path.at(1) == QLatin1Char(':'))
        return path.left(2).toUpper();
    return DriveOf(platform::CurDir());
}

QString ProgramPath(const QString& typed)
{
    const QString path = platform::Trim(typed);
    if (path.startsWith(QLatin1Char('/')))
        return platform::FromLinuxPath(path);
    return path;
}

QString StartFolder(const QString& directory)
{
    return platform::Trim(directory);
}

bool NamesFolder(const QString& path)
{
    return !path.isEmpty() && (path.endsWith(Backslash) || platform::DirExists(path));
}

} // namespace chooser
