// Abort of a transfer, skipping a file, the list of unfinished work and the
// recovery after an abrupt end.

#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "platform/files/Files.h"
#include "platform/msgbox/MsgBox.h"

using namespace KELPA;

void FormKelpa::Abbruch() {}

void FormKelpa::MenuCancel_Click() {}

void FormKelpa::Nichtgeladen() {}

void FormKelpa::Vervollstaendigen() {}

void FormKelpa::Wiederherstellen()
{
    // Every list that still held work goes into KELPA.NOT, in a fixed order.
    // KELPA.NOT is replaced only by a complete merge: a scratch file that
    // could not be written leaves it as it was.
    const QString scratch = QStringLiteral("~.TMP");
    const int out = platform::FreeFile();
    int error = platform::Open(scratch, platform::OpenMode::Output, out);
    for (const char* name : {"KELPA.NOT", "COMPLETE.ENP", "LINKS0.INP", "LINKS1.INP"}) {
        const QString list = QLatin1String(name);
        if (error != 0 || platform::FileLen(list) <= 0)
            continue;
        const int in = platform::FreeFile();
        if (platform::Open(list, platform::OpenMode::Input, in) != 0)
            continue;
        QString line;
        while (error == 0 && !platform::Eof(in) && platform::LineInput(in, line) == 0)
            error = platform::PrintLine(out, line);
        platform::Close(in);
    }
    if (platform::Close(out) == 0 && error == 0
        && platform::FileCopy(scratch, QStringLiteral("KELPA.NOT")) == 0)
        platform::Kill(scratch);
    logging(LanguageText[292]);
    platform::MsgBox(LanguageText[292], 48, QStringLiteral("Kelpa"));
}
