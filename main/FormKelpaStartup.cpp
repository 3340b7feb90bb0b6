// Start-up: the main window's load handler, step by step. Every step after
// the language choice ignores its errors: a failing statement is skipped.

#include "main/FormInfo.h"
#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "main/PartFile.h"
#include "main/StartupLanguage.h"
#include "main/WorkLists.h"
#include "platform/convert/Convert.h"
#include "platform/files/Files.h"
#include "platform/forms/Pictures.h"
#include "platform/msgbox/MsgBox.h"
#include "platform/pump/Pump.h"
#include "preview/FormPreview.h"
#include "settings/FormOptions.h"
#include "texts/Sprache.h"
#include "tools/FormAssistant.h"
#include "tools/FormEdit.h"
#include "transfer/FormHTTP.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QPixmap>
#include <QPushButton>

using namespace KELPA;

namespace {

// The file number under which start-up creates KELPA.GOT and COMPLETE.ENP.
int16_t GotFileNumber;

} // namespace

void FormKelpa::MDIForm_Load(const QString& commandLine)
{
    CommandLine = commandLine;
    bool otherKeys = false;
    Language = ReadLanguageLine(QStringLiteral("KELPA.INI"), &otherKeys);
    firstStart_ = !otherKeys;
    TexteLaden(Language);
    SetCaptions();
    SetControlCaptions();

    const bool leftOver = platform::FileExists(QStringLiteral("KELPA.TMP"));
    TakeLockFile();
    partfile::RemoveLeftOver();
    if (leftOver)
        Wiederherstellen();
    ResetRunDefaults();
    inilesen(QStringLiteral("KELPA.INI"));
    ShowHideMinutes();
    TakeCommandLineTask();
    URLListe(1);
    RestoreGeometry();
    StatusZeile();
    setWindowTitle(DirectoryCaption(QString()));
    ApplyViews();
    OpenStartWindows();
    CreateWorkFiles();
    ApplyPictures();
    OfferInputList();

    // A task whose input list was refused does not run: its run would
    // overwrite the very file it named.
    const bool listRefused = UseList == 1 && worklists::IsWorkList(InputFile);
    if ((!TaskFile.isEmpty() || CompleteRequested == 1) && CommandStart->isEnabled() &&
        !listRefused)
        CommandStart_Click();
    if (firstStart_)
        TimerAssistant.setEnabled(true);
    if (!platform::FileExists(QStringLiteral("TEST.TSK")))
        FormAssistant::Instance().TaskSchreiben();
}

// A second copy in this directory holds the lock: refuse and end at once,
// touching no file. An installation started from a folder it may not write
// to (a copy of the shipped set on read-only media) writes nothing there:
// its lock lives in the user's runtime folder, where it keeps a second copy
// out all the same. Any other start in such a folder, or a lock that cannot
// be made in the runtime folder either, says so, naming the folder.
void FormKelpa::TakeLockFile()
{
    LockFileNumber = static_cast<int16_t>(platform::FreeFile());
    LockFile = QStringLiteral("KELPA.TMP");
    if (platform::OpenLockFile(LockFile, LockFileNumber) == 0)
        return;
    const auto mayNotWrite = [](const QString& folder) {
        return platform::MakeWritableFolder(folder).fault == platform::FolderFault::NoPermission;
    };
    QString refusedIn = mayNotWrite(platform::CurDir()) ? platform::CurDir() : QString();
    if (!refusedIn.isEmpty() && InstallsHere()) {
        LockFile = platform::UserLockFile(LockFile);
        if (!LockFile.isEmpty()) {
            if (platform::OpenLockFile(LockFile, LockFileNumber) == platform::ErrNone)
                return;
            const QString runtime = LockFile.left(LockFile.lastIndexOf(QLatin1Char('\\')));
            refusedIn = mayNotWrite(runtime) ? runtime : QString();
        }
    }
    const QString message = refusedIn.isEmpty()
                                ? LanguageText[291]
                                : LanguageText[450] + QStringLiteral("\r\n") + refusedIn;
    platform::MsgBox(message, platform::vbCritical, QStringLiteral("Kelpa"));
    platform::EndProgram(0);
}

void FormKelpa::TakeCommandLineTask()
{
    if (CommandLine.isEmpty())
        return;
    TaskFile = CommandLine;
    if (!platform::FileExists(TaskFile)) {
        platform::MsgBox(QStringLiteral("Invalid parameter: ") + TaskFile, platform::vbCritical,
                         QStringLiteral("Kelpa"));
        return;
    }
    if (platform::FileLen(TaskFile) > 0)
        TaskLesen();
}

void FormKelpa::RestoreGeometry()
{
    LayoutBusy = 1;
    PlaceFromPosition();
    const QStringList parts = {QString::number(Left()), QString::number(Width()),
                               QString::number(Top()), QString::number(Height())};
    Position = parts.join(QLatin1Char(','));
    LayoutBusy = 0;
}

void FormKelpa::ApplyViews()
{
    if (SaveSettingsAutomatically == 0)
        MenuEntry("MenuSaveSettingsAutomatically")->setChecked(false);
    if (ShowProtocol != 0) {
        ShowLogNow();
        ListLogging->setCurrentRow(0);
    } else {
        MenuEntry("MenuProtocol")->setChecked(false);
        PictureList->hide();
    }
    if (ShowToolbar == 0) {
        MenuEntry("MenuToolbar")->setChecked(false);
        PictureButtons->hide();
    }
    if (PreviewTop == 1) {
        QAction* entry = MenuEntry("MenuPreviewTop");
        entry->setCheckable(true);
        entry->setChecked(true);
    }
}

void FormKelpa::OpenStartWindows()
{
    FormHTTP& http = FormHTTP::Instance();
    show();
    http.Show();
    http.setFocus();
    // The about window closes two seconds after it shows, whatever started
    // the program: an unattended run never waits for a click.
    TimerInfo.setEnabled(true);
    FormInfo::Instance().Show(true);
    if (ShowEdit == 1) {
        FormEdit::Instance().Load();
        FormEdit::Instance().setFocus();
    }
    FormOptions& options = FormOptions::Instance();
    options.Load();
    options.setFocus();
    if (ShowOptions == 0)
        options.Unload();
    http.setFocus();
    http.SetWindowState(StartWindowState);
}

void FormKelpa::CreateWorkFiles()
{
    const auto touch = [](int16_t& number, const QString& name) {
        number = static_cast<int16_t>(platform::FreeFile());
        if (platform::Open(name, platform::OpenMode::Append, number) == 0)
            platform::Close(number);
    };
    touch(LogFileNumber, QStringLiteral("KELPA.LOG"));
    touch(GotFileNumber, QStringLiteral("KELPA.GOT"));
    touch(GotFileNumber, QStringLiteral("COMPLETE.ENP"));
}

void FormKelpa::ApplyPictures()
{
    if (!Background.startsWith(QLatin1Char('%'))) {
        const QPixmap picture = platform::LoadPicture(Background);
        if (!picture.isNull()) {
            MdiArea()->setBackground(picture);
            FormHTTP::Instance().PictureHTTP->setPixmap(picture);
        } else {
            MdiArea()->setBackground(palette().brush(QPalette::Dark));
        }
    }
    const QPixmap icon = platform::LoadPicture(UserIcon);
    ImageUserIcon = icon.isNull() ? QIcon() : QIcon(icon);
}

void FormKelpa::OfferInputList()
{
    if (ListFile == QLatin1String("COMPLETE.ENP") || !platform::FileExists(InputFile) ||
        platform::FileLen(InputFile) <= 0)
        return;
    CheckListe->setEnabled(true);
    CheckListe->setToolTip(LanguageText[226] + InputFile);
    FrameCheckListe->setToolTip(LanguageText[226] + InputFile);
}
