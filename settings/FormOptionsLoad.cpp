// Loading and unloading the options window: every control filled from the
// settings, the first showing's notes and completion offer, and the
// normalisations of the unload.

#include "main/FormKelpa.h"
#include "main/FormMemo.h"
#include "main/Kelpa.h"
#include "main/Settings.h"
#include "platform/convert/Convert.h"
#include "platform/msgbox/MsgBox.h"
#include "settings/FormOptions.h"
#include "transfer/FormHTTP.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace KELPA;

namespace {

Qt::CheckState Ticked(bool on)
{
    return on ? Qt::Checked : Qt::Unchecked;
}

} // namespace

void FormOptions::Form_Load()
{
    OptionsLayoutBusy = 1;
    if (KELPA::WindowState == 0)
        RestorePosition();
    OptionsLayoutBusy = 0;
    SetCaptions();
    // A run in progress keeps the start hosts it collected.
    keepRun_ = Running == 1;

    TextExclude->setText(Exclude);
    ExcludeExt();
    CheckLocalBrowsing->setCheckState(Ticked(LocalBrowsing == 1));
    CheckSaveHTML->setCheckState(Ticked(SaveHTML == 1));
    CheckRestHome->setCheckState(Ticked(RestHome != 0));

    TextDirectory->setText(Directory);
    TextMaxFileSize->setText(QString::number(MaxFileSize));
    TextMinFileSize->setText(QString::number(MinFileSize));
    TextNoSite->setText(NoSite);
    TextOnlySite->setText(OnlySite);
    TextExclude->setText(Exclude);
    TextTimeout->setText(QString::number(Timeout));
    TextMaxkBytes->setText(QString::number(MaxkBytes));
    TextUserTitle->setText(UserTitle);
    TextUserIcon->setText(UserIcon);
    TextPicture->setText(Background);
    TextDepth->setText(QString::number(Depth));

    CheckImages->setCheckState(Ticked(Images == 1));
    CheckJavaApplets->setCheckState(Ticked(JavaApplets == 1));
    CheckLongFileNames->setCheckState(Ticked(LongFilenames != 1));
    CheckSubDirectories->setEnabled(LongFilenames == 1);
    CheckSubDirectories->setCheckState(Ticked(SubDirectories == 1));
    if (RestHome == 1) {
        CheckRestHome->setCheckState(Qt::Checked);
        TextRestHome->show();
        TextRestHome->setText(HomePrefix);
    }
    CheckMetaRefresh->setCheckState(Ticked(AcceptMetaRefresh != 0));
    CheckRelocation->setCheckState(Ticked(AcceptRelocation != 0));
    CheckEmailAddresses->setCheckState(Ticked(eMailAddresses != 0));
    keepRun_ = false;

    if (Running == 1) {
        for (QWidget* control : RunBoundControls())
            control->setEnabled(false);
    }
    FirstShowing();
    const QString source = platform::Trim(FormHTTP::Instance().Text1->text());
    if (source.size() > 2 && platform::LCase(source) != QLatin1String("http://") && Running == 0) {
        CommandAuto->setEnabled(true);
        CommandDirs->setEnabled(true);
    }
    Show();
}

std::array<QWidget*, 8> FormOptions::RunBoundControls() const
{
    return {TextDirectory, CommandChooseDirectory,
            CommandAuto,   CheckRestHome,
            CommandDirs,   CommandDel1,
            CommandDel2,   CommandDel3};
}

void FormOptions::SetCaptions()
{
    const auto& t = LanguageText;
    SetCaption(t[196]);
    Label11->setText(t[437]);
    Label4->setText(t[438]);
    Label2->setText(t[439]);
    Label3->setText(t[480]);
    Label12->setText(t[481]);
    CheckImages->setText(t[482]);
    CheckRelocation->setText(t[483]);
    CheckEmailAddresses->setText(t[484]);
    FrameHTML->setTitle(t[401]);
    CheckLocalBrowsing->setText(t[485]);
    CheckSaveHTML->setText(t[486]);
    CheckLongFileNames->setText(t[487]);
    CheckSubDirectories->setText(t[488]);
    Frame4->setTitle(t[424]);
    CheckRestHome->setText(t[425]);
    CommandDirs->setText(t[489]);
    Frame5->setTitle(t[435]);
    Frame2->setTitle(t[436]);
    CheckMovies->setText(t[19]);
    CheckSounds->setText(t[18]);
    Label5->setText(t[420]);
    Label1->setText(t[421]);
    Label10->setText(t[422]);
    Label7->setText(t[423]);
    CommandProfessionalOptions->setText(t[402]);
}

// Once per program run, at the first load without a task: the notes, the
// completion offer and the reminder that pages are refreshed.
void FormOptions::FirstShowing()
{
    if (!TaskFile.isEmpty() || OptionsFirstShown != 0)
        return;
    if (!platform::Trim(MemoText).isEmpty())
        FormMemo::Instance().Show();
    CompleteCheck();
    if (RefreshHTML == 1 && FormKelpa::Instance().OptionNew->isChecked())
        platform::MsgBox(LanguageText[415], platform::vbInformation, QStringLiteral("Kelpa"));
    OptionsFirstShown = 1;
}

void FormOptions::Form_Unload()
{
    if (TextMaxkBytes->text().isEmpty())
        MaxkBytes = 0;
    TextMaxkBytes->setText(QString::number(MaxkBytes));
    if (WindowState() == 0)
        PositionOptions = inifile::PositionText(Left(), Width(), Top(), Height());
    OptionsOpen = 0;
    ShowOptions = 0;
    RemoveHttpPrefixes(TextOnlySite);
    RemoveHttpPrefixes(TextNoSite);
}
