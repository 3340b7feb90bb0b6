// The completion offer: whether the records a run left in KELPA.NOT are
// fetched by a further run.

#include "main/FormKelpa.h"
#include "main/FormMemo.h"
#include "main/Kelpa.h"
#include "platform/convert/Convert.h"
#include "platform/files/Files.h"
#include "platform/forms/Handlers.h"
#include "platform/msgbox/MsgBox.h"
#include "settings/FormOptions.h"
#include "transfer/FormHTTP.h"

#include <QCheckBox>
#include <QRadioButton>

using namespace KELPA;

namespace {

struct NotLoadedList {
    int records = 0;
    QString firstUrl;
};

// Counts the two-line records of KELPA.NOT (a last URL without its name line
// counts too) after backing the list up to KELPA.BAK. No records when the
// list cannot be opened.
NotLoadedList ReadNotLoaded(FormKelpa& main)
{
    NotLoadedList list;
    const QString name = QStringLiteral("KELPA.NOT");
    ListFileNumber = static_cast<int16_t>(platform::FreeFile());
    if (platform::Open(name, platform::OpenMode::Input, ListFileNumber) != 0)
        return list;
    main.IndiLED(QStringLiteral("warte"));
    main.setCursor(Qt::WaitCursor);
    platform::FileCopy(name, QStringLiteral("KELPA.BAK"));
    QString line;
    list.records = 1;
    platform::LineInput(ListFileNumber, list.firstUrl);
    platform::LineInput(ListFileNumber, line);
    while (!platform::Eof(ListFileNumber)) {
        platform::LineInput(ListFileNumber, line);
        platform::LineInput(ListFileNumber, line);
        ++list.records;
    }
    platform::Close(ListFileNumber);
    main.unsetCursor();
    main.IndiLED(QString());
    return list;
}

QString CompletionQuestion(const NotLoadedList& list)
{
    const QString crlf = QStringLiteral("\r\n");
    const auto& t = LanguageText;
    QString links;
    if (list.records == 1)
        links = t[404] + platform::Trim(list.firstUrl) + QLatin1Char(')');
    else if (list.records > 1)
        links = QLatin1Char('(') + QString::number(list.records) + t[405] + t[406] +
                platform::Trim(list.firstUrl) + QLatin1Char(')');
    return t[403] + crlf + links + crlf + crlf + t[407] + crlf + t[408];
}

} // namespace

void FormOptions::CompleteCheck(bool offer)
{
    FormKelpa& main = FormKelpa::Instance();
    FormHTTP& http = FormHTTP::Instance();
    platform::ClearOption(main.OptionContinue);
    if (platform::FileLen(QStringLiteral("KELPA.NOT")) <= 0 || ContinueSearch != 0)
        return;

    const NotLoadedList list = ReadNotLoaded(main);
    if (main.CheckRepeat->isChecked() || UserStopped == 1) {
        ContinueSearch = 0;
    } else if (!offer) {
        ContinueSearch = platform::vbCancel;
    } else if (CompleteAsked == 1) {
        ContinueSearch = platform::vbYes;
    } else {
        // The notes stay on top of every window: out of the question's way.
        main.IndiLED(QStringLiteral("warte"));
        FormMemo::Instance().Unload();
        ContinueSearch = static_cast<int16_t>(platform::MsgBox(
            CompletionQuestion(list),
            platform::vbYesNoCancel | platform::vbQuestion | platform::vbDefaultButton3,
            LanguageText[409]));
        if (!platform::Trim(MemoText).isEmpty())
            FormMemo::Instance().Show();
        main.IndiLED(QString());
    }

    if (UserStopped == 1) {
        http.SetCaption(LanguageText[416]);
        CompletingNotLoaded = 1;
        ContinueSearch = platform::vbCancel;
        CompleteAsked = 0;
    } else {
        CompletingNotLoaded = 0;
    }
    main.OptionNew->setEnabled(true);
    main.OptionContinue->setEnabled(true);
    if (ContinueSearch == platform::vbYes || ContinueSearch == platform::vbCancel) {
        if (ContinueSearch == platform::vbYes)
            CompleteRequested = 1;
        platform::ClearOption(main.OptionContinue);
        main.OptionContinue->setChecked(true);
    } else {
        if (!main.OptionNew->isChecked())
            main.OptionNew->setChecked(true);
        ContinueSearch = 0;
    }
    if (CompletingNotLoaded == 0)
        http.SetCaption(QStringLiteral(" "));
}
