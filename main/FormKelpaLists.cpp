// Start modes and input lists: new search, continuation of an interrupted
// search, list mode, and the reader that works through a list during a run.

#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "main/UnfinishedFolder.h"
#include "main/WorkLists.h"
#include "platform/convert/Convert.h"
#include "platform/files/Files.h"
#include "platform/forms/Handlers.h"
#include "platform/forms/ShownText.h"
#include "platform/msgbox/MsgBox.h"
#include "platform/pump/Pump.h"
#include "settings/FormOptions.h"
#include "transfer/FormHTTP.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

using namespace KELPA;

// The local name of a list record or of the start URL: a given FileName keeps
// only what follows its last "\" or "/"; an empty one is named from a
// non-empty Link by NamenGeben.
void FormKelpa::SettleFileName()
{
    const qsizetype cut =
        std::max(FileName.lastIndexOf(QLatin1Char('\\')), FileName.lastIndexOf(QLatin1Char('/')));
    FileName = FileName.mid(cut + 1);
    if (FileName.isEmpty() && !Link.isEmpty())
        NamenGeben(QString());
}

namespace {

// The options window shows the folder the next run saves into.
void ShowDownloadDirectory()
{
    if (OptionsOpen == 1)
        FormOptions::Instance().TextDirectory->setText(Directory);
}

const QString CompleteList = QStringLiteral("COMPLETE.ENP");

void EnableUrlBoxes(bool enabled)
{
    FormHTTP& http = FormHTTP::Instance();
    http.Text1->setEnabled(enabled);
    http.Text2->setEnabled(enabled);
    http.CommandPaste->setEnabled(enabled);
    http.CommandChooseFile->setEnabled(enabled);
}

// Counts the records of ListFile whose URL line is not blank into UrlsLeft.
void CountRecords(FormKelpa& form)
{
    ListFileNumber = static_cast<int16_t>(platform::FreeFile());
    if (platform::Open(ListFile, platform::OpenMode::Input, ListFileNumber) != 0)
        return;
    UrlsLeft = 0;
    QString line;
    while (!platform::Eof(ListFileNumber) && AbortTransfer != 1) {
        if (platform::LineInput(ListFileNumber, line) == 0 && !platform::Trim(line).isEmpty())
            ++UrlsLeft;
        platform::LineInput(ListFileNumber, line);
    }
    platform::Close(ListFileNumber);
    if (UrlsLeft > 0)
        form.StatusZeile();
}

// Reads the next record: lines up to the first non-empty one into Link, the
// line after it into FileName, both trimmed. Returns a read error other than
// the end of the file.
int ReadRecord(int number)
{
    Link.clear();
    FileName.clear();
    int error = 0;
    while (error == 0 && Link.isEmpty() && !platform::Eof(number)) {
        error = platform::LineInput(number, Link);
        Link = platform::Trim(Link);
    }
    if (error == 0 && !platform::Eof(number))
        error = platform::LineInput(number, FileName);
    FileName = platform::Trim(FileName);
    return error == platform::ErrInputPastEnd ? 0 : error;
}

} // namespace

void FormKelpa::OptionContinue_Click()
{
    CheckListe->setChecked(false);
    CheckListe->setEnabled(false);
    MenuEntry("MenuClearGenerated")->setEnabled(false);
    ContinueSearch = 1;
    unfinishedfolder::Enter(Directory);
    ShowDownloadDirectory();
    ListFile = CompleteList;
    // While work lists are held, KELPA.NOT does not hold all that is left:
    // the start merges them first and comes here again.
    if (!WorkListsHeld()) {
        platform::Kill(CompleteList);
        const int error = platform::FileCopy(QStringLiteral("KELPA.NOT"), CompleteList);
        if (error != 0 && error != platform::ErrFileNotFound)
            WorkFileFailed(CompleteList, error);
    }
    if (!WorkListsHeld())
        INPanlesen();
    PictureFunctions->setFocus();
}

void FormKelpa::OptionNew_Click()
{
    FormHTTP& http = FormHTTP::Instance();
    http.Text1->setEnabled(true);
    http.CommandPaste->setEnabled(true);
    http.CommandChooseFile->setEnabled(true);
    http.Text2->setEnabled(true);
    http.Text2->clear();
    MenuEntry("MenuClearGenerated")->setEnabled(true);
    if (platform::FileLen(InputFile) > 0)
        CheckListe->setEnabled(true);
    ContinueSearch = 0;
    if (unfinishedfolder::Leave(Directory))
        ShowDownloadDirectory();
    UrlsLeft = platform::Trim(http.Text1->text()).size() > 2 ? 1 : 0;
    StatusZeile();
    PictureFunctions->setFocus();
}

void FormKelpa::CheckListe_Click()
{
    // The program's own work lists are emptied, rewritten and deleted by a
    // run and its exit: one of them as the input list would be destroyed.
    if (CheckListe->isChecked() && worklists::IsWorkList(InputFile)) {
        const QString refusal = InputFile + LanguageText[470];
        LogAndTell(refusal, platform::vbCritical);
        CheckListe->setChecked(false);
        return;
    }
    if (CheckListe->isChecked()) {
        ContinueSearch = 1;
        ListFile = InputFile;
        ChosenPath.clear();
        INPanlesen();
        // A list that gave no URL: the user picks another one. The flag is
        // settled first: loading the chosen list runs this handler again.
        if (ListLoadFailed == 1) {
            ListLoadFailed = 0;
            MenuChooseInputFile_Click();
        }
    } else {
        ContinueSearch = 0;
        ListFile.clear();
        EnableUrlBoxes(true);
        UrlsLeft = FormHTTP::Instance().Text1->text().isEmpty() ? 0 : 1;
        StatusZeile();
    }
    ListLoadFailed = 0;
}

void FormKelpa::INPanlesen()
{
    FormHTTP& http = FormHTTP::Instance();
    ListFileNumber = static_cast<int16_t>(platform::FreeFile());
    if (platform::Open(ListFile, platform::OpenMode::Input, ListFileNumber) != 0) {
        logging(ListFile + LanguageText[234]);
        CheckListe->setChecked(false);
        return;
    }
    Link.clear();
    FileName.clear();
    platform::LineInput(ListFileNumber, Link);
    platform::LineInput(ListFileNumber, FileName);
    platform::Close(ListFileNumber);
    Link = platform::Trim(Link);
    FileName = platform::Trim(FileName);
    platform::ShowText(http.Text1, Link);

    if (!http.Text1->text().isEmpty()) {
        SettleFileName();
        platform::ShowText(http.Text2, FileName);
        // The list, not the boxes, decides what the run fetches.
        EnableUrlBoxes(false);
        if (CompletingNotLoaded != 1)
            http.SetCaption(QStringLiteral(" "));
        CountRecords(*this);
    } else if (CheckListe->isChecked()) {
        logging(QStringLiteral("Error ") + InputFile + QLatin1Char('!'));
        CheckListe->setChecked(false);
        ListLoadFailed = 1;
    } else {
        logging(QStringLiteral("Error COMPLETE.ENP!"));
        platform::ClearOption(OptionContinue);
    }
}

void FormKelpa::InputFileLesen()
{
    FormHTTP& http = FormHTTP::Instance();
    if (StopRun == 1)
        return;
    ListFileNumber = static_cast<int16_t>(platform::FreeFile());
    const int16_t number = ListFileNumber;
    if (platform::Open(ListFile, platform::OpenMode::Input, number) != 0) {
        logging(ListFile + LanguageText[234]);
        return;
    }
    if (platform::Lof(number) == 0) {
        CollectLinks = 0;
        platform::Close(number);
        return;
    }
    if (SkipFirstRecord == 1) {
        QString skipped;
        platform::LineInput(number, skipped);
        platform::LineInput(number, skipped);
        SkipFirstRecord = 0;
    }
    int error = 0;
    while (error == 0 && !platform::Eof(number) && MsgAnswer != platform::vbCancel) {
        platform::DoEvents();
        BytesReceived = 0;
        error = ReadRecord(number);
        if (!Link.isEmpty())
            SettleFileName();
        if (!Link.isEmpty())
            platform::ShowText(http.Text1, Link);
        if (!FileName.isEmpty())
            platform::ShowText(http.Text2, FileName);
        if (!Link.isEmpty() && !FileName.isEmpty())
            http.Uebertragung();
        if (ListFile == InputFile && LocalBrowsing == 1 && InlineCount >= 1) {
            URLListe(0);
            StartDirectory.clear();
        }
        TimerBusy.setEnabled(false);
        http.TimerTimeout.setEnabled(false);
    }
    // A stop closes every open file: the number may name another file by now.
    if (StopRun == 1)
        return;
    // A list left by the answer Cancel stays open where the reading stopped:
    // the end of the run records its rest, not the records already taken.
    if (error == 0 && MsgAnswer == platform::vbCancel) {
        ListFileNumber = number;
        return;
    }
    // A list worked through to its end is consumed; the user's input file is
    // kept, and so is a list held by a failed write.
    if (error == 0 && platform::Eof(number) && ListFile != InputFile && !WorkListsHeld()) {
        platform::Close(number);
        platform::Open(ListFile, platform::OpenMode::Output, number);
    }
    platform::Close(number);
}

void FormKelpa::InputFileLaden()
{
    if (CheckListe->isChecked())
        CheckListe->setChecked(false);
    CheckListe->setChecked(true);
    if (platform::FileLen(InputFile) > 0) {
        CheckListe->setEnabled(true);
        CheckListe->setToolTip(LanguageText[226] + InputFile);
        FrameCheckListe->setToolTip(LanguageText[226] + InputFile);
    }
}
