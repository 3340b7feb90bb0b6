// The main window's side of the settings file: the screen size for the
// defaults, the scheduler labels, the window positions and what happens when
// the settings file is missing.

#include "main/FormKelpa.h"

#include "main/Kelpa.h"
#include "main/Settings.h"
#include "main/UnfinishedFolder.h"
#include "platform/files/Files.h"
#include "platform/forms/Twips.h"
#include "platform/msgbox/MsgBox.h"
#include "platform/pump/Pump.h"
#include "preview/FormPreview.h"
#include "settings/FormOptions.h"
#include "setup/FormBackground.h"
#include "tools/FormEdit.h"
#include "transfer/FormHTTP.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

#include <utility>

namespace {

// Sets bar to value unless the value lies outside the bar's range.
void SetWithinRange(QScrollBar* bar, int32_t value)
{
    if (value >= bar->minimum() && value <= bar->maximum())
        bar->setValue(value);
}

// The removal program as shipped: beside it the program installs itself.
const QString ShippedRemoval = QStringLiteral("TOLVEX.EX_");

QString PositionOf(const platform::Form& form)
{
    return inifile::PositionText(form.Left(), form.Width(), form.Top(), form.Height());
}

} // namespace

bool FormKelpa::InstallsHere()
{
    const int number = platform::FreeFile();
    if (platform::Open(QStringLiteral("KELPA.INI"), platform::OpenMode::Input, number) == 0) {
        platform::Close(number);
        return false;
    }
    return platform::FileExists(ShippedRemoval);
}

void FormKelpa::inilesen(const QString& file)
{
    if (!inifile::ReadSettings(file, platform::ScreenWidth(), platform::ScreenHeight())) {
        if (platform::FileExists(ShippedRemoval)) {
            FormBackground::Instance().Show(true);
        } else {
            platform::MsgBox(QStringLiteral("Error! Unpack or download the program anew (") +
                                 QLatin1String(inifile::ProductAddress) + QStringLiteral("). "),
                             platform::vbCritical, QStringLiteral("Kelpa 5.0"));
        }
        platform::EndProgram();
    }
    const inifile::SchedulerLabels labels =
        inifile::SplitTimeProcs(KELPA::TimeProcs, Repeat->text(), Dauer->text());
    Repeat->setText(labels.Repeat);
    SetWithinRange(VScroll3, labels.VScroll3);
    Dauer->setText(labels.Dauer);
    Dauer_Change();
    SetWithinRange(VScroll1, labels.VScroll1);
    Zeit->setText(labels.Zeit);
    SetWithinRange(VScroll2, labels.VScroll2);
    KELPA::TimeProcs = labels.Zeit;
}

void FormKelpa::inischreiben(const QString& file)
{
    using namespace KELPA;
    INITest();
    TimeProcs = Repeat->text() + QLatin1Char(',') + Dauer->text() + QLatin1Char(',') + Zeit->text();
    if (WindowState() != 1)
        Position = inifile::PositionText(Left(), Width(), Top(), Height());
    if (EditOpen == 1)
        PositionEdit = PositionOf(FormEdit::Instance());
    if (OptionsOpen == 1)
        PositionOptions = PositionOf(FormOptions::Instance());
    if (PreviewOpen == 1 && FormPreview::Instance().WindowState() == 0)
        PositionPreview = PositionOf(FormPreview::Instance());
    else if (PreviewTopOpen == 1 && FormPreviewTop::Instance().WindowState() == 0)
        PositionPreviewTop = PositionOf(FormPreviewTop::Instance());

    inifile::TaskKeys task;
    if (CheckRepeat->isChecked())
        task.Repeat = Repeat->text();
    if (CheckStart->isChecked())
        task.Start = Zeit->text();
    if (CheckDauer->isChecked())
        task.Time = Dauer->text();
    task.UseList = CheckListe->isChecked();
    task.TaskURL = FormHTTP::Instance().Text1->text();
    task.WindowsShutDown = CheckWindowsShutDown->isChecked();

    // The file keeps the download directory that was set, not the folder a
    // completion saves into meanwhile.
    const QString runFolder = std::exchange(Directory, unfinishedfolder::Setting(Directory));
    const int error = inifile::WriteSettings(file, task);
    Directory = runFolder;
    if (error != 0)
        logging(file + LanguageText[110] + QString::number(error) + QLatin1Char(')'));
}

void FormKelpa::INITest()
{
    inifile::CheckSettings();
}
