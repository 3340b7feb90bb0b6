#include "main/DownloadFolder.h"

#include "main/Kelpa.h"
#include "platform/convert/Convert.h"
#include "platform/files/Files.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <sys/stat.h>

namespace downloadfolder {

QString Absolute(const QString& directory, const QString& currentDirectory)
{
    const QString current = currentDirectory.endsWith(QLatin1Char('\\'))
                                ? currentDirectory
                                : currentDirectory + QLatin1Char('\\');
    QString folder = directory;
    if (platform::Mid(folder, 2, 1) != QLatin1String(":") &&
        !currentDirectory.startsWith(folder, Qt::CaseInsensitive))
        folder = current + (folder.startsWith(QLatin1Char('\\')) ? folder.mid(1) : folder);
    if (folder.isEmpty() || folder == QLatin1String("\\"))
        return current;
    if (!folder.endsWith(QLatin1Char('\\')))
        folder += QLatin1Char('\\');
    return folder;
}

QStringList Problem(const QString& folder, const platform::FolderState& state)
{
    using platform::FolderFault;
    const auto& text = KELPA::LanguageText;
    QString fault;
    switch (state.fault) {
    case FolderFault::None:
        return {};
    case FolderFault::FileInTheWay:
        fault = state.inTheWay + text[441];
        break;
    case FolderFault::NoPermission:
        fault = text[442];
        break;
    case FolderFault::NameTooLong:
        fault = text[443];
        break;
    case FolderFault::Other:
        fault = QStringLiteral("(Error ") + QString::number(state.error) + QLatin1Char(')');
        break;
    }
    return {text[440], folder, fault};
}

namespace {

struct LinkAnswers {
    QString directory;
    QString top;                   // the directory's path
    QString inside;                // its canonical path, ending in "/"
    QHash<QString, bool> leadsOut; // by folder as asked
};

LinkAnswers& Answers()
{
    static LinkAnswers answers;
    return answers;
}

// Whether the folder, found case-blind below the directory, leads out of it:
// each folder on the way that is there is looked at; one that is a link
// decides by where it leads, and the folders below it are looked at in turn.
bool LooksOut(const LinkAnswers& answers, const QString& folder)
{
    const QString path = platform::ToLinuxPath(answers.directory + folder);
    if (answers.inside.isEmpty() || !path.startsWith(answers.top + QLatin1Char('/')))
        return false;
    QString walked = answers.top;
    for (const QStringView part : QStringView(path)
                                      .mid(answers.top.size() + 1)
                                      .split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        walked += QLatin1Char('/');
        walked += part;
        struct stat info;
        if (::lstat(QFile::encodeName(walked).constData(), &info) != 0)
            return false; // made below, inside the directory
        if (!S_ISLNK(info.st_mode))
            continue;
        const QString target = QFileInfo(walked).canonicalFilePath();
        if (target.isEmpty() || !(target + QLatin1Char('/')).startsWith(answers.inside))
            return true;
    }
    return false;
}

} // namespace

bool LeadsOut(const QString& directory, const QString& folder)
{
    if (folder.isEmpty())
        return false;
    LinkAnswers& answers = Answers();
    if (answers.directory != directory) {
        QString top = platform::ToLinuxPath(directory);
        while (top.endsWith(QLatin1Char('/')))
            top.chop(1);
        const QString canonical = QFileInfo(top).canonicalFilePath();
        answers = LinkAnswers();
        answers.directory = directory;
        answers.top = top;
        answers.inside = canonical.isEmpty() ? QString() : canonical + QLatin1Char('/');
    }
    if (const auto known = answers.leadsOut.constFind(folder); known != answers.leadsOut.cend())
        return *known;
    const bool out = LooksOut(answers, folder);
    answers.leadsOut.insert(folder, out);
    return out;
}

void ForgetLinks()
{
    Answers() = LinkAnswers();
}

QStringList WriteProblem(const QString& folder, const QString& file, int error)
{
    const auto& text = KELPA::LanguageText;
    QString cause;
    switch (error) {
    case platform::ErrDiskFull:
        cause = text[447];
        break;
    case platform::ErrPermissionDenied:
        cause = text[446];
        break;
    default:
        cause = text[449] + QStringLiteral(" (Error ") + QString::number(error) + QLatin1Char(')');
        break;
    }
    const QString shown = folder.endsWith(QLatin1Char('\\')) ? folder : folder + QLatin1Char('\\');
    return {text[472], shown, file + QStringLiteral(": ") + cause};
}

} // namespace downloadfolder
