#include "main/DownloadFolder.h"

#include "main/Kelpa.h"
#include "platform/convert/Convert.h"

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
