// Fuzz entry point: the local name of a URL. The first byte chooses the
// switches (bits 0-1: 1 inline, 2 directory only, else fetch; bit 2:
// without subdirectories; bit 3: short names), the rest is the URL in UTF-8.
// Whatever they are, the name stays inside the download directory: every
// component of fileDirectory & fileName is neither empty, "." nor "..", no
// drive, no separator, no control character, at most MaxComponentBytes of
// UTF-8; no component is a part file's name; and a file named straight in
// the working folder after one of the program's own files is one
// worklists::IsOwnFile knows, and one named after the index page or the
// e-mail list is one worklists::IsDownloadListFile knows (the working folder
// is the download directory here), so that the numbering moves the download
// away.

#include "main/Naming.h"
#include "main/PartFile.h"
#include "main/WorkLists.h"
#include "platform/files/Files.h"

#include <QStringList>

#include <cstdlib>

namespace {

bool SafeComponent(const QString& part)
{
    if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String("..") ||
        (part.size() >= 2 && part[1] == QLatin1Char(':')) ||
        part.toUtf8().size() > naming::MaxComponentBytes || partfile::IsPartName(part))
        return false;
    for (const QChar c : part) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || c == QLatin1Char('/'))
            return false;
    }
    return true;
}

// The files the program keeps in its working folder: settings, log, lock
// file, work lists, scratch files, the example task and the records of the
// part file and of the unfinished work's folder.
bool OwnName(const QString& name)
{
    static const QStringList names{
        QStringLiteral("KELPA.INI"),    QStringLiteral("KELPA.LOG"),  QStringLiteral("KELPA.TMP"),
        QStringLiteral("KELPA.BAK"),    QStringLiteral("KELPA.GOT"),  QStringLiteral("KELPA.NOT"),
        QStringLiteral("KELPA.PRT"),    QStringLiteral("LINKS0.INP"), QStringLiteral("LINKS1.INP"),
        QStringLiteral("COMPLETE.ENP"), QStringLiteral("~.TMP"),      QStringLiteral("TEST.TSK"),
        QStringLiteral("KELPA.DIR")};
    return names.contains(name, Qt::CaseInsensitive);
}

// The files a run keeps in the download directory.
bool DownloadListName(const QString& name)
{
    return name.compare(QLatin1String("_Index.html"), Qt::CaseInsensitive) == 0 ||
           name.compare(QLatin1String("MailTo.txt"), Qt::CaseInsensitive) == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    static const QString workingFolder = platform::CurDir() + QLatin1Char('\\');
    const uint8_t switches = data[0];
    naming::Input input;
    input.link = QString::fromUtf8(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    input.mode = (switches & 3) == 1   ? naming::Mode::Inline
                 : (switches & 3) == 2 ? naming::Mode::SubDirOnly
                                       : naming::Mode::Fetch;
    input.subDirectories = (switches & 4) == 0;
    input.longFilenames = (switches & 8) == 0;
    input.directory = workingFolder;
    input.unknownName = QStringLiteral("unknown");
    const naming::Result result = naming::LocalName(input);

    const bool subDirOnly = input.mode == naming::Mode::SubDirOnly;
    if (input.subDirectories && !result.fileDirectory.isEmpty() &&
        !result.fileDirectory.endsWith(QLatin1Char('\\')))
        std::abort();
    QString relative = input.subDirectories ? result.fileDirectory : QString();
    if (!subDirOnly) {
        if (result.localFileName != workingFolder + relative + result.fileName)
            std::abort();
        relative += result.fileName;
    } else if (relative.isEmpty()) {
        return 0;
    } else {
        relative.chop(1);
    }
    const QStringList parts = relative.split(QLatin1Char('\\'));
    for (const QString& part : parts) {
        if (!SafeComponent(part))
            std::abort();
    }
    if (!subDirOnly && parts.size() == 1 && OwnName(result.fileName) &&
        !worklists::IsOwnFile(result.localFileName))
        std::abort();
    if (!subDirOnly && parts.size() == 1 && DownloadListName(result.fileName) &&
        !worklists::IsDownloadListFile(workingFolder, result.localFileName))
        std::abort();
    return 0;
}
