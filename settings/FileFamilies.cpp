#include "settings/FileFamilies.h"

#include "platform/convert/Convert.h"

namespace settings {

namespace {

// Start of the first blank-separated word of list equal to extension
// (letter case aside), or -1.
qsizetype FindWord(const QString& list, const QString& extension)
{
    if (extension.isEmpty())
        return -1;
    qsizetype at = 0;
    while (at < list.size()) {
        if (list.at(at) == QLatin1Char(' ')) {
            ++at;
            continue;
        }
        qsizetype end = list.indexOf(QLatin1Char(' '), at);
        if (end < 0)
            end = list.size();
        if (QStringView(list).mid(at, end - at).compare(extension, Qt::CaseInsensitive) == 0)
            return at;
        at = end;
    }
    return -1;
}

} // namespace

const std::array<FileFamily, 10>& FileFamilies()
{
    static const std::array<FileFamily, 10> families = {{
        {"CheckCGI", {"ASP", "CGI", "PHP"}},
        {"CheckDLL", {"DLL"}},
        {"CheckEXE", {"EXE"}},
        {"CheckGIF", {"GIF", "PNG"}},
        {"CheckJPG", {"JFI", "JFIF", "JPE", "JPEG", "JPG"}},
        {"CheckMAP", {"MAP"}},
        {"CheckTXT", {"DOC", "PDF", "TXT"}},
        {"CheckZIP", {"RAR", "ZIP"}},
        {"CheckMovies", {"ASF", "AVI", "MOV", "MPE", "MPEG", "MPG", "QT", "RM", "VIV", "WMV"}},
        {"CheckSounds", {"AIF", "AU", "MID", "MP3", "RAM", "WAV"}},
    }};
    return families;
}

bool ExtensionListed(const QString& list, const QString& extension)
{
    return FindWord(list, extension) >= 0;
}

QString WithExtension(const QString& list, const QString& extension)
{
    if (ExtensionListed(list, extension))
        return list;
    return platform::Trim(list + QLatin1Char(' ') + extension);
}

QString WithoutExtension(const QString& list, const QString& extension)
{
    const qsizetype at = FindWord(list, extension);
    if (at < 0)
        return list;
    return platform::Trim(platform::Trim(list.left(at)) + list.mid(at + extension.size()));
}

int FamilyState(const QString& list, const FileFamily& family)
{
    qsizetype listed = 0;
    for (const QString& extension : family.extensions)
        listed += ExtensionListed(list, extension) ? 1 : 0;
    if (listed == 0)
        return 0;
    return listed == family.extensions.size() ? 1 : 2;
}

} // namespace settings
