#include "tools/FormEdit.h"

#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "platform/files/Files.h"
#include "platform/msgbox/MsgBox.h"
#include "platform/pump/Pump.h"
#include "platform/shell/Desktop.h"
#include "tools/EditTexts.h"
#include "tools/ListLines.h"
#include "tools/ListRecords.h"

#include <QClipboard>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

using namespace KELPA;

namespace {

// How long read lines wait before the view gets them: often enough to show
// progress, seldom enough that laying out the list costs little.
constexpr qint64 FlushMs = 50;

} // namespace

void FormEdit::CommandLinks0_Click()
{
    Read(QStringLiteral("LINKS0.INP"));
}

void FormEdit::CommandLinks1_Click()
{
    Read(QStringLiteral("LINKS1.INP"));
}

void FormEdit::CommandNot_Click()
{
    Read(QStringLiteral("KELPA.NOT"));
}

void FormEdit::CommandComplete_Click()
{
    Read(QStringLiteral("COMPLETE.ENP"));
}

void FormEdit::CommandGot_Click()
{
    Read(QStringLiteral("KELPA.GOT"));
}

void FormEdit::CommandList_Click()
{
    Read(InputFile);
}

void FormEdit::Read(const QString& fileName)
{
    FormKelpa& main = FormKelpa::Instance();
    ListingState = 1;
    HoldStart();
    if (Running == 0)
        main.IndiLED(QStringLiteral("warte"));
    SetListButtons(false);
    Lines->Clear();
    pending_.clear();
    LabelLinkInfo->clear();

    int32_t count = 0;
    if (platform::FileLen(fileName) > 0) {
        setCursor(Qt::WaitCursor);
        LabelLinkInfo->setCursor(Qt::ArrowCursor);
        const int number = platform::FreeFile();
        if (platform::Open(fileName, platform::OpenMode::Input, number) == 0) {
            listrecords::RecordReader reader(number, [] { platform::DoEvents(); });
            listrecords::Record record;
            sinceFlush_.start();
            while (ListingState == 1 && !platform::Eof(number) && reader.Next(record)) {
                if (listrecords::Counts(record.Url))
                    ++count;
                pending_.append(record.Url);
                if (record.HasName)
                    pending_.append(record.Name);
                if (sinceFlush_.elapsed() >= FlushMs)
                    FlushListing(edittexts::ListingProgress(fileName, count));
                Q_EMIT recordListed(count);
            }
            platform::Close(number);
        }
        unsetCursor();
        LabelLinkInfo->unsetCursor();
    }
    FlushListing(QString());
    LabelLinkInfo->setText(edittexts::ListingResult(fileName, count, ListingState == 1));
    if (Lines->Count() > 0)
        ListRead->setCurrentIndex(Lines->index(0));

    if (ListingState == 2) {
        if (Running == 0)
            main.IndiLED(QString());
        ReleaseStart();
        // Inside arrange or remove, the command closes the window at its end.
        if (!commandRunning_)
            Unload();
        return;
    }
    ListingState = 0;
    if (Running != 0) {
        CommandLinks0->setEnabled(true);
        CommandLinks1->setEnabled(true);
        CommandComplete->setEnabled(true);
    } else {
        main.IndiLED(QString());
    }
    ReleaseStart();
    CommandNot->setEnabled(true);
    CommandGot->setEnabled(true);
    CommandList->setEnabled(true);
}

void FormEdit::FlushListing(const QString& progress)
{
    Lines->Append(pending_);
    pending_.clear();
    if (Lines->Count() > 0)
        ListRead->setCurrentIndex(Lines->index(int(Lines->Count()) - 1));
    if (!progress.isEmpty())
        LabelLinkInfo->setText(progress);
    sinceFlush_.restart();
}

void FormEdit::LabelLinkInfo_Click()
{
    if (ListingState == 1)
        ListingState = 0;
}

void FormEdit::ListRead_DblClick()
{
    const QString line = Lines->Line(ListRead->currentIndex().row());
    if (!line.startsWith(QLatin1String("http://")) && !line.startsWith(QLatin1String("file://")))
        return;
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(line);
    if (platform::MsgBox(LanguageText[92], platform::vbYesNo, QStringLiteral("Kelpa")) ==
        platform::vbYes)
        ApiResult = platform::ShellExecuteA(line);
}

void FormEdit::ListRead_KeyDown(int keyCode)
{
    if (!FrameNOT->isEnabled() || ListingState == 1 || commandRunning_)
        return;
    if (keyCode != 45 && keyCode != 46)
        return;
    const QString line = Lines->Line(ListRead->currentIndex().row());
    if (listrecords::SearchText(line).isEmpty())
        return;
    TextArrangeRemove->setText(line);
    if (keyCode == 46)
        CommandRemove_Click();
    else
        CommandArrange_Click();
}
