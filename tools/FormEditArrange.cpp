#include "tools/FormEdit.h"

#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "platform/files/Files.h"
#include "platform/msgbox/MsgBox.h"
#include "platform/pump/Pump.h"
#include "tools/EditTexts.h"
#include "tools/ListRecords.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace KELPA;

namespace {

const QString NotFile = QStringLiteral("KELPA.NOT");
const QString ScratchFile = QStringLiteral("~.tmp");

void Yield()
{
    platform::DoEvents();
}

} // namespace

void FormEdit::TextArrangeRemove_Change()
{
    const bool usable = !listrecords::SearchText(TextArrangeRemove->text()).isEmpty();
    CommandArrange->setEnabled(usable);
    CommandRemove->setEnabled(usable);
}

void FormEdit::TextArrangeRemove_KeyPress(int keyAscii)
{
    if (keyAscii == 13)
        CommandArrange_Click();
}

void FormEdit::CommandArrange_Click()
{
    RunListCommand(true);
}

void FormEdit::CommandRemove_Click()
{
    RunListCommand(false);
}

void FormEdit::Arrange()
{
    ArrangeOrRemove(true);
}

void FormEdit::Remove()
{
    ArrangeOrRemove(false);
}

void FormEdit::RunListCommand(bool arrange)
{
    // One list at a time: while a listing or another command runs, the
    // frame's controls do nothing.
    if (ListingState == 1 || commandRunning_ ||
        listrecords::SearchText(TextArrangeRemove->text()).isEmpty())
        return;
    commandRunning_ = true;
    HoldStart();
    setCursor(Qt::WaitCursor);
    CommandArrange->setEnabled(false);
    CommandRemove->setEnabled(false);
    TextArrangeRemove->setEnabled(false);
    if (!platform::FileExists(NotFile)) {
        platform::MsgBox(LanguageText[91], platform::vbCritical, edittexts::ListTitle());
    } else if (platform::FileLen(NotFile) > 0) {
        if (arrange)
            Arrange();
        else
            Remove();
    }
    unsetCursor();
    commandRunning_ = false;
    ReleaseStart();
    if (ListingState == 2) {
        if (Loaded())
            Unload();
        return;
    }
    TextArrangeRemove->setEnabled(true);
    TextArrangeRemove_Change();
}

void FormEdit::ArrangeOrRemove(bool arrange)
{
    using listrecords::Pick;
    const QString search = listrecords::SearchText(TextArrangeRemove->text());
    const listrecords::FileStamp before = listrecords::StampOf(NotFile);
    // The scratch file always starts empty: a leftover never reaches the list.
    const int scratch = platform::FreeFile();
    if (platform::Open(ScratchFile, platform::OpenMode::Output, scratch) != 0) {
        platform::Kill(ScratchFile);
        return;
    }
    const listrecords::PassResult selected =
        listrecords::RecordPass(NotFile, search, Pick::Selected, arrange ? scratch : 0, Yield);
    const listrecords::PassResult others =
        listrecords::RecordPass(NotFile, search, Pick::Others, scratch, Yield);
    platform::Close(scratch);

    const int32_t total = selected.Count + others.Count;
    if (selected.Error != 0 || others.Error != 0) {
        // A list that could not be read whole is not replaced.
    } else if (selected.Count == 0) {
        platform::MsgBox(LanguageText[78], platform::vbExclamation, edittexts::ListTitle());
    } else if (platform::MsgBox(edittexts::FoundQuestion(selected.Count, total),
                                platform::vbYesNo | platform::vbQuestion,
                                edittexts::QuestionTitle(arrange)) == platform::vbYes) {
        // A run started meanwhile (from a timer, while the question waited)
        // has rewritten the list and may have used the scratch file: both are
        // its own then, and nothing is done here.
        if (Running == 0 && listrecords::StampOf(NotFile) == before)
            ReplaceNot(arrange, (arrange ? selected.Bytes : 0) + others.Bytes, selected.Count,
                       others.Count, search);
    }
    platform::Kill(ScratchFile);
}

void FormEdit::ReplaceNot(bool arrange, int64_t bytes, int32_t selected, int32_t others,
                          const QString& search)
{
    FormKelpa& main = FormKelpa::Instance();
    const bool replaced = listrecords::ReplaceList(NotFile, ScratchFile, bytes) == 0;
    if (replaced && main.OptionContinue->isChecked()) {
        main.OptionNew->setChecked(true);
        if (arrange || others > 0) {
            main.OptionContinue->setChecked(true);
        } else {
            main.OptionNew->setEnabled(false);
            main.OptionContinue->setEnabled(false);
        }
    }
    if (ListingState != 2)
        Read(NotFile);
    if (replaced)
        main.logging(edittexts::ResultLine(arrange, selected, search));
}
