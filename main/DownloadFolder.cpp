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

} // namespace downloadfolder
