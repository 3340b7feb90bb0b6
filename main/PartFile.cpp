#include "main/PartFile.h"

#include "platform/files/Files.h"

#include <algorithm>

namespace partfile {

namespace {

const QString Name = QStringLiteral(".kelpa-part");

qsizetype NameStart(const QString& path)
{
    return std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/'))) + 1;
}

} // namespace

const QString Record = QStringLiteral("KELPA.PRT");

QString Beside(const QString& target)
{
    return target.left(NameStart(target)) + Name;
}

bool IsPartFile(const QString& path)
{
    return QStringView(path).mid(NameStart(path)) == Name;
}

bool IsPartName(QStringView fileName)
{
    return fileName.compare(Name, Qt::CaseInsensitive) == 0;
}

void Note(const QString& path)
{
    const int number = platform::FreeFile();
    if (number != 0 && platform::Open(Record, platform::OpenMode::Output, number) == 0) {
        platform::PrintLine(number, path);
        platform::Close(number);
    }
}

void Forget()
{
    platform::Kill(Record);
}

void RemoveLeftOver()
{
    if (!platform::FileExists(Record))
        return;
    const int number = platform::FreeFile();
    QString path;
    if (number != 0 && platform::Open(Record, platform::OpenMode::Input, number) == 0) {
        platform::LineInput(number, path);
        platform::Close(number);
    }
    if (IsPartFile(path))
        platform::Kill(path);
    Forget();
}

} // namespace partfile
