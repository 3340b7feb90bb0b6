// The index page, the recent start pages and the e-mail address list.

#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "main/Settings.h"
#include "main/StartPages.h"
#include "main/WorkLists.h"
#include "platform/convert/Convert.h"
#include "platform/files/Files.h"

#include <QAction>

using namespace KELPA;

namespace {

const QChar Quote = QLatin1Char('"');

// Appends lines to path as text lines, in one write: a file that cannot take
// them all stays as it was. False when that failed.
bool AppendLines(const QString& path, const QStringList& lines)
{
    const int number = platform::FreeFile();
    if (number == 0 || platform::Open(path, platform::OpenMode::Append, number) != 0)
        return false;
    const QString crlf = QStringLiteral("\r\n");
    const int error = platform::PrintText(number, lines.join(crlf) + crlf);
    return platform::Close(number) == 0 && error == 0;
}

// True when path is a file holding at least one byte.
bool HoldsSomething(const QString& path)
{
    return !path.isEmpty() && platform::FileExists(path) && platform::FileLen(path) >= 1;
}

// The start page just fetched (FileName, below StartDirectory when
// subdirectories are on) becomes Page(1), and gets its entry on the index
// page unless the page's last entry for Link names it already. A page that
// was not saved gets neither.
void RecordStartPage()
{
    const bool inSubDirectory = SubDirectories != 0;
    const QString name = inSubDirectory ? StartDirectory + FileName : FileName;
    const QString base = inSubDirectory ? Directory + StartDirectory : Directory;
    if (!HoldsSomething(base + FileName))
        return;
    for (int n = 6; n >= 2; --n)
        Page[n] = Page[n - 1];
    Page[1] = base + FileName;
    const QString indexPage = Directory + worklists::IndexPage;
    if (startpages::IndexedName(indexPage, Link) == name)
        return;
    if (AppendLines(indexPage,
                    {QStringLiteral("<a href=") + Quote + name + Quote + QLatin1Char('>'),
                     Link + QStringLiteral("</a>"), QStringLiteral("<br><br>")}))
        startpages::NoteIndexed(indexPage, name, Link);
}

// Moves the filled Page slots to the front, keeping their order.
void CloseGapsInPages()
{
    int next = 1;
    for (int n = 1; n <= 6; ++n) {
        if (Page[n].isEmpty())
            continue;
        if (n != next) {
            Page[next] = Page[n];
            Page[n].clear();
        }
        ++next;
    }
}

} // namespace

// With onlyMenu 0, records the current start page (Page(1) and the index
// page). Always shows Page(1..6) in MenuURLListe(1..6): "&n path", enabled
// while the file holds something; empty slots come last, disabled.
void FormKelpa::URLListe(int16_t onlyMenu)
{
    if (onlyMenu == 0)
        RecordStartPage();
    CloseGapsInPages();
    for (int n = 1; n <= 6; ++n) {
        const QByteArray entryName = "MenuURLListe(" + QByteArray::number(n) + ')';
        QAction* entry = MenuEntry(entryName.constData());
        entry->setText(QLatin1Char('&') + QString::number(n) + QLatin1Char(' ') + Page[n]);
        if (Page[n].isEmpty()) {
            entry->setEnabled(false);
            continue;
        }
        const bool present = HoldsSomething(Page[n]);
        entry->setEnabled(present);
        MenuEntry(present ? "MenuClearAll" : "MenuClearInactive")->setEnabled(true);
    }
}

// address is a link value beginning with "mailto:". Cuts it to the address
// (no prefix, nothing from the first "?", "%" or "&" on, no blanks around)
// and appends it to MailTo.txt in the download directory unless it has no
// "@" or the list already holds it exactly. Errors of the file are ignored.
void FormKelpa::loggingMAILTO(QString& address)
{
    address = platform::Mid(address, 8);
    for (const QString& end : {QStringLiteral("?"), QStringLiteral("%"), QStringLiteral("&")}) {
        const qsizetype at = platform::InStr(address, end);
        if (at > 0)
            address = platform::Left(address, at - 1);
    }
    address = platform::Trim(address);
    if (address.isEmpty() || !address.contains(QLatin1Char('@')))
        return;

    const QString list = Directory + worklists::MailList;
    QString line;
    const int number = platform::FreeFile();
    if (number > 0 && platform::Open(list, platform::OpenMode::Input, number) == 0) {
        while (!platform::Eof(number) && platform::LineInput(number, line) == 0)
            if (platform::StrCompText(platform::Trim(line), address) == 0)
                break;
        platform::Close(number);
    }
    if (line != address)
        AppendLines(list, {address});
}

// The head of a new index page. A page that cannot take it is removed, not
// left empty or cut short: the next run writes it anew.
void FormKelpa::WriteIndexHeader()
{
    const QChar q = QLatin1Char('"');
    const QString page = Directory + worklists::IndexPage;
    const int number = platform::FreeFile();
    if (platform::Open(page, platform::OpenMode::Output, number) != 0)
        return;
    const QString crlf = QStringLiteral("\r\n");
    const int error = platform::PrintText(
        number,
        QStringLiteral("<body bgcolor=") + q + QStringLiteral("#ffffff") + q + QLatin1Char('>') +
            crlf + QStringLiteral("<font face=") + q + QStringLiteral("arial") + q +
            QLatin1Char('>') + crlf + QStringLiteral("<small>powered by <a href=") + q +
            QLatin1String(inifile::ProductAddress) + q + QStringLiteral(">kelpa</a></small>") +
            crlf + QStringLiteral("<br><br>") + crlf);
    if (platform::Close(number) != 0 || error != 0)
        platform::Kill(page);
}
