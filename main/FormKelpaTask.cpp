// Task files: reading one into the settings and the main window, loading one
// as the current job, and the File menu's open and save commands.

#include "main/FormComments.h"
#include "main/FormKelpa.h"

#include "main/Kelpa.h"
#include "main/Settings.h"
#include "platform/convert/Convert.h"
#include "platform/files/Files.h"
#include "platform/forms/OuterGeometry.h"
#include "platform/forms/Pictures.h"
#include "platform/forms/Twips.h"
#include "platform/msgbox/MsgBox.h"
#include "settings/FormOptions.h"
#include "tools/FormChoose.h"
#include "tools/FormEdit.h"
#include "transfer/FormHTTP.h"

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace {

const QString CrLf = QStringLiteral("\r\n");

bool Blank(const QString& text)
{
    return platform::Trim(text).isEmpty();
}

// The log line of a task file that cannot be loaded.
QString TaskError()
{
    return QStringLiteral("Error ") + KELPA::TaskFile + QLatin1Char('!');
}

// True when the task file holds something and can be opened for reading.
bool TaskReadable()
{
    if (platform::FileLen(KELPA::TaskFile) < 1)
        return false;
    const int number = platform::FreeFile();
    if (platform::Open(KELPA::TaskFile, platform::OpenMode::Input, number) != 0)
        return false;
    platform::Close(number);
    return true;
}

// Shows a scheduler text from the task in its label and ticks its box.
void ShowSchedulerText(const QString& text, QLabel* label, QCheckBox* box)
{
    if (Blank(text))
        return;
    label->setText(platform::Trim(text));
    box->setChecked(true);
}

} // namespace

void FormKelpa::PlaceFromPosition()
{
    const inifile::Place place =
        inifile::ParsePosition(KELPA::Position, platform::ScreenWidth(), platform::ScreenHeight());
    platform::SetOuterGeometry(
        this, QRect(platform::ToPixels(place.Left), platform::ToPixels(place.Top),
                    platform::ToPixels(place.Width), platform::ToPixels(place.Height)));
}

void FormKelpa::TaskLesen()
{
    using namespace KELPA;
    // A task file that cannot be read changes nothing: the current settings stay.
    if (!inifile::ReadTaskKeys(TaskFile)) {
        logging(TaskError());
        return;
    }
    inilesen(TaskFile);
    PlaceFromPosition();
    FormHTTP& http = FormHTTP::Instance();
    if (!Blank(TaskURL))
        http.Text1->setText(TaskURL);
    if (UseList == 1)
        CheckListe->setChecked(true);
    ShowSchedulerText(KELPA::Repeat, FormKelpa::Repeat, CheckRepeat);
    ShowSchedulerText(KELPA::Time, Dauer, CheckDauer);
    Dauer_Change();
    ShowSchedulerText(KELPA::Start, Zeit, CheckStart);
    // The box shows what the run will do: a shutdown it cannot show is off.
    CheckWindowsShutDown->setChecked(WindowsShutDown == 1 && CheckWindowsShutDown->isEnabled());
    WindowsShutDown = CheckWindowsShutDown->isChecked() ? 1 : 0;

    Comment[6].clear();
    for (int i = 0; i < 6; ++i) {
        if (Comment[i].isEmpty())
            continue;
        Comment[6] += platform::Trim(Comment[i]) + CrLf;
        logging(platform::Trim(Comment[i]));
    }
    http.Text2_Click();

    QAction* menuToolbar = MenuEntry("MenuToolbar");
    QAction* menuProtocol = MenuEntry("MenuProtocol");
    menuToolbar->setChecked(true);
    menuProtocol->setChecked(true);
    PictureButtons->show();
    PictureList->show();

    FormOptions& options = FormOptions::Instance();
    if (ShowOptions == 1) {
        options.Unload();
        options.Load();
    } else {
        options.Load();
        options.Unload();
    }
    FormEdit::Instance().Load();
    if (ShowEdit != 1)
        FormEdit::Instance().Unload();

    if (SaveSettingsAutomatically == 0)
        MenuEntry("MenuSaveSettingsAutomatically")->setChecked(false);
    if (ShowToolbar == 0) {
        menuToolbar->setChecked(false);
        PictureButtons->hide();
    }
    if (ShowProtocol == 0) {
        menuProtocol->setChecked(false);
        PictureList->hide();
    }
    if (!UserIcon.isEmpty()) {
        const QPixmap icon = platform::LoadPicture(UserIcon);
        if (!icon.isNull())
            options.setWindowIcon(QIcon(icon));
    }
}

void FormKelpa::TaskLaden()
{
    using namespace KELPA;
    // An empty, missing or unreadable task file loads nothing.
    if (!TaskReadable()) {
        logging(TaskError());
    } else {
        inischreiben(QStringLiteral("KELPA.INI"));
        SetCaption(inifile::TaskCaption(Caption(), TaskFile));
        if (!OptionNew->isChecked())
            OptionNew->setChecked(true);
        FormHTTP::Instance().Text1->clear();
        TaskLesen();
        if (!Blank(Comment[6]))
            platform::MsgBox(Comment[6], platform::vbInformation,
                             QStringLiteral("Kelpa [") + TaskFile + QLatin1Char(']'));
        logging(TaskFile + LanguageText[235]);
    }
    if (OptionsOpen == 1) {
        FormOptions::Instance().Unload();
        FormOptions::Instance().Load();
    }
}

void FormKelpa::MenuOpenTask_Click()
{
    using namespace KELPA;
    if (OptionContinue->isChecked()) {
        MessageText = LanguageText[276] + CrLf + CrLf + LanguageText[277];
        MsgAnswer = static_cast<int16_t>(
            platform::MsgBox(MessageText, platform::vbYesNo | platform::vbInformation,
                             QStringLiteral("Kelpa [") + LanguageText[67] + QLatin1Char(']')));
        if (MsgAnswer == platform::vbNo)
            return;
        FormHTTP::Instance().SetCaption(QStringLiteral(" "));
    }
    ChooseFilter = QStringLiteral("*.tsk");
    ChooseTitle = LanguageText[67];
    FormChoose::Instance().Show(true);
    if (ChosenPath.isEmpty())
        return;
    TaskFile = ChosenPath;
    TaskLaden();
    ChosenPath.clear();
}

void FormKelpa::MenuSaveTask_Click()
{
    using namespace KELPA;
    ChooseFilter = QStringLiteral("*.tsk");
    ChooseTitle = LanguageText[57];
    FormChoose::Instance().Show(true);
    if (ChosenPath.isEmpty())
        return;
    TaskFile = ChosenPath;
    FormComments::Instance().Show(true);
    inischreiben(TaskFile);
    SetCaption(inifile::TaskCaption(Caption(), TaskFile));
    if (!OptionNew->isChecked())
        OptionNew->setChecked(true);
    logging(LanguageText[318] + TaskFile);
    ChosenPath.clear();
}
