#include "platform/shell/ProgramGroup.h"

#include "platform/files/Files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>

namespace platform {

namespace {

const QString EntrySuffix = QStringLiteral(".desktop");

QString applicationsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/applications");
}

bool acceptableName(const QString& name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (const QChar c : name) {
        if (c == QLatin1Char('/') || c.category() == QChar::Other_Control)
            return false;
    }
    return true;
}

// The entry of folder named name, with the exact case or else another one;
// empty when there is none.
QString findEntry(const QString& folder, const QString& name)
{
    if (QFileInfo(folder + QLatin1Char('/') + name).exists())
        return name;
    const QStringList entries = QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot |
                                                       QDir::Hidden | QDir::System);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return QString();
}

QString existingGroupFolder(const QString& group)
{
    const QString folder = ProgramGroupFolder(group);
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

// A value of a desktop entry: backslash and control characters escaped.
QString escapedValue(const QString& text)
{
    QString out;
    for (const QChar c : text) {
        if (c == QLatin1Char('\\'))
            out += QLatin1String("\\\\");
        else if (c == QLatin1Char('\n'))
            out += QLatin1String("\\n");
        else if (c == QLatin1Char('\t'))
            out += QLatin1String("\\t");
        else if (c == QLatin1Char('\r'))
            out += QLatin1String("\\r");
        else
            out += c;
    }
    return out;
}

// One argument of an Exec line, quoted as the desktop entry rules ask, with
// "%" doubled so that it is never taken for a field code.
QString execArgument(const QString& arg)
{
    QString quoted = QStringLiteral("\"");
    for (const QChar c : arg) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    quoted += QLatin1Char('"');
    return quoted.replace(QLatin1Char('%'), QLatin1String("%%"));
}

QString desktopEntry(const QString& name, const QString& target, const QString& icon,
                     const QString& workingDirectory, const ProgramItemDetails& details)
{
    const QFileInfo info(target);
    const QString exec = info.isFile() && info.isExecutable()
                             ? execArgument(target)
                             : QStringLiteral("xdg-open ") + execArgument(target);
    QString text = QStringLiteral("[Desktop Entry]\nType=Application\n");
    text += QStringLiteral("Name=") + escapedValue(name) + QLatin1Char('\n');
    text += QStringLiteral("Exec=") + escapedValue(exec) + QLatin1Char('\n');
    text += QStringLiteral("Path=") + escapedValue(workingDirectory) + QLatin1Char('\n');
    if (!icon.isEmpty())
        text += QStringLiteral("Icon=") + escapedValue(icon) + QLatin1Char('\n');
    if (!details.comment.isEmpty())
        text += QStringLiteral("Comment=") + escapedValue(details.comment) + QLatin1Char('\n');
    if (!details.categories.isEmpty())
        text += QStringLiteral("Categories=") +
                escapedValue(details.categories.join(QLatin1Char(';'))) + QStringLiteral(";\n");
    return text;
}

} // namespace

QString ProgramGroupFolder(const QString& group)
{
    if (!acceptableName(group))
        return QString();
    const QString folder = applicationsFolder();
    const QString existing = findEntry(folder, group);
    return folder + QLatin1Char('/') + (existing.isEmpty() ? group : existing);
}

int CreateProgramGroup(const QString& group)
{
    const QString folder = ProgramGroupFolder(group);
    return !folder.isEmpty() && QDir().mkpath(folder) ? 0 : ErrGroupCommand;
}

int DeleteProgramGroup(const QString& group)
{
    const QString folder = ProgramGroupFolder(group);
    if (folder.isEmpty())
        return ErrGroupCommand;
    const QFileInfo info(folder);
    // A linked folder loses the link, never what it points to.
    if (info.isSymLink())
        return QFile::remove(folder) ? 0 : ErrGroupCommand;
    if (!info.isDir())
        return ErrGroupCommand;
    return QDir(folder).removeRecursively() ? 0 : ErrGroupCommand;
}

int AddProgramItem(const QString& group, const QString& target, const QString& name,
                   const QString& iconPath, const QString& workingDirectory,
                   const ProgramItemDetails& details)
{
    const QString folder = existingGroupFolder(group);
    const QString targetPath = ToLinuxPath(target);
    if (folder.isEmpty() || targetPath.isEmpty())
        return ErrGroupCommand;
    const QString itemName = name.isEmpty() ? QFileInfo(targetPath).completeBaseName() : name;
    if (!acceptableName(itemName))
        return ErrGroupCommand;
    const QString icon = iconPath.isEmpty() ? QString() : ToLinuxPath(iconPath);
    const QString directory = workingDirectory.isEmpty() ? QFileInfo(targetPath).absolutePath()
                                                         : ToLinuxPath(workingDirectory);

    const QString old = findEntry(folder, itemName + EntrySuffix);
    if (!old.isEmpty() && !QFile::remove(folder + QLatin1Char('/') + old))
        return ErrGroupCommand;
    QSaveFile file(folder + QLatin1Char('/') + itemName + EntrySuffix);
    if (!file.open(QIODevice::WriteOnly))
        return ErrGroupCommand;
    file.write(desktopEntry(itemName, targetPath, icon, directory, details).toUtf8());
    return file.commit() ? 0 : ErrGroupCommand;
}

int DeleteProgramItem(const QString& group, const QString& name)
{
    const QString folder = existingGroupFolder(group);
    if (folder.isEmpty() || !acceptableName(name))
        return ErrGroupCommand;
    const QString entry = findEntry(folder, name + EntrySuffix);
    return !entry.isEmpty() && QFile::remove(folder + QLatin1Char('/') + entry) ? 0
                                                                                : ErrGroupCommand;
}

QString ProgramItemFolder(const QString& group, const QString& name)
{
    const QString folder = existingGroupFolder(group);
    if (folder.isEmpty() || !acceptableName(name))
        return QString();
    const QString entry = findEntry(folder, name + EntrySuffix);
    QFile file(folder + QLatin1Char('/') + entry);
    if (entry.isEmpty() || !file.open(QIODevice::ReadOnly))
        return QString();
    static const QByteArray key = "Path=";
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (!line.startsWith(key))
            continue;
        QString value;
        const QString text = QString::fromUtf8(line.mid(key.size()));
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text[i] == QLatin1Char('\\') && i + 1 < text.size()) {
                const QChar next = text[++i];
                value += next == QLatin1Char('n')   ? QChar(u'\n')
                         : next == QLatin1Char('t') ? QChar(u'\t')
                         : next == QLatin1Char('r') ? QChar(u'\r')
                                                    : next;
            } else {
                value += text[i];
            }
        }
        return value;
    }
    return QString();
}

namespace {

// The files of folder with their bytes.
QMap<QString, QByteArray> entryFiles(const QString& folder)
{
    QMap<QString, QByteArray> entries;
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        QFile file(folder + QLatin1Char('/') + name);
        if (file.open(QIODevice::ReadOnly))
            entries.insert(name, file.readAll());
    }
    return entries;
}

} // namespace

ProgramGroupState SaveProgramGroup(const QString& group)
{
    ProgramGroupState state;
    const QString folder = existingGroupFolder(group);
    state.existed = !folder.isEmpty();
    if (state.existed)
        state.entries = entryFiles(folder);
    return state;
}

int RestoreProgramGroup(const QString& group, const ProgramGroupState& state)
{
    if (!state.existed)
        return existingGroupFolder(group).isEmpty() ? 0 : DeleteProgramGroup(group);
    if (CreateProgramGroup(group) != 0)
        return ErrGroupCommand;
    const QString folder = existingGroupFolder(group);
    const QMap<QString, QByteArray> now = entryFiles(folder);
    int result = 0;
    for (auto it = now.cbegin(); it != now.cend(); ++it) {
        if (!state.entries.contains(it.key()) &&
            !QFile::remove(folder + QLatin1Char('/') + it.key()))
            result = ErrGroupCommand;
    }
    for (auto it = state.entries.cbegin(); it != state.entries.cend(); ++it) {
        if (now.contains(it.key()) && now.value(it.key()) == it.value())
            continue;
        QSaveFile file(folder + QLatin1Char('/') + it.key());
        if (!file.open(QIODevice::WriteOnly) || file.write(it.value()) != it.value().size() ||
            !file.commit())
            result = ErrGroupCommand;
    }
    return result;
}

namespace {

// Splits "[Name(a,"b,c",d)]" at position pos into name and arguments and
// moves pos behind it; false when the text there is not such a command.
bool parseCommand(const QString& text, qsizetype& pos, QString& name, QStringList& args)
{
    auto skipBlanks = [&] {
        while (pos < text.size() && text.at(pos).isSpace())
            ++pos;
    };
    skipBlanks();
    if (pos >= text.size() || text.at(pos) != QLatin1Char('['))
        return false;
    const qsizetype open = text.indexOf(QLatin1Char('('), pos);
    if (open < 0)
        return false;
    name = text.mid(pos + 1, open - pos - 1).trimmed();
    args.clear();
    QString arg;
    bool quoted = false;
    pos = open + 1;
    for (; pos < text.size(); ++pos) {
        const QChar c = text.at(pos);
        if (c == QLatin1Char('"')) {
            quoted = !quoted;
        } else if (!quoted && (c == QLatin1Char(',') || c == QLatin1Char(')'))) {
            args.append(arg.trimmed());
            arg.clear();
            if (c == QLatin1Char(')'))
                break;
        } else {
            arg += c;
        }
    }
    if (pos >= text.size())
        return false;
    ++pos;
    skipBlanks();
    if (pos >= text.size() || text.at(pos) != QLatin1Char(']'))
        return false;
    ++pos;
    skipBlanks();
    return !name.isEmpty();
}

QString argument(const QStringList& args, qsizetype index)
{
    return index < args.size() ? args.at(index) : QString();
}

} // namespace

int ProgramManager::execute(const QString& commands)
{
    qsizetype pos = 0;
    do {
        QString name;
        QStringList args;
        if (!parseCommand(commands, pos, name, args))
            return ErrGroupCommand;
        if (const int error = run(name, args))
            return error;
    } while (pos < commands.size());
    return 0;
}

void ProgramManager::setItemDetails(const QString& name, const ProgramItemDetails& details)
{
    details_.insert(name.toLower(), details);
}

int ProgramManager::run(const QString& command, const QStringList& args)
{
    auto is = [&](const char* name) {
        return command.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
    };
    const QString first = argument(args, 0);
    if (is("CreateGroup")) {
        if (const int error = CreateProgramGroup(first))
            return error;
        group_ = first;
        return 0;
    }
    if (is("ShowGroup")) {
        if (existingGroupFolder(first).isEmpty())
            return ErrGroupCommand;
        group_ = first;
        return 0;
    }
    if (is("DeleteGroup")) {
        if (const int error = DeleteProgramGroup(first))
            return error;
        if (group_.compare(first, Qt::CaseInsensitive) == 0)
            group_.clear();
        return 0;
    }
    // Item commands act on the group this conversation created or showed,
    // never on one it did not name.
    if (group_.isEmpty())
        return ErrGroupCommand;
    if (is("AddItem"))
        return AddProgramItem(group_, first, argument(args, 1), argument(args, 2),
                              argument(args, 6), details_.value(argument(args, 1).toLower()));
    if (is("ReplaceItem") || is("DeleteItem"))
        return DeleteProgramItem(group_, first);
    return ErrGroupCommand;
}

} // namespace platform
