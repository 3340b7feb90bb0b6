#include "setup/FormInstall.h"

#include "main/Kelpa.h"
#include "platform/files/Files.h"
#include "platform/forms/Handlers.h"
#include "platform/forms/Twips.h"
#include "platform/msgbox/MsgBox.h"
#include "platform/pump/Pump.h"
#include "setup/FormBackground.h"
#include "setup/Pictures.h"
#include "setup/TargetPath.h"
#include "tools/FormChoose.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString EnglishDirectory = QStringLiteral("C:\\Program Files\\Kelpa\\");
const QString GermanDirectory = QStringLiteral("C:\\Programme\\Kelpa\\");

QLabel* TextLine(QWidget* parent, const char* name, const platform::TwipsRect& place)
{
    auto* label = platform::Control<QLabel>(parent, name);
    platform::Move(label, place);
    return label;
}

QPushButton* Button(QWidget* parent, const char* name, const platform::TwipsRect& place)
{
    auto* button = platform::Control<QPushButton>(parent, name);
    platform::Move(button, place);
    return button;
}

} // namespace

FormInstall& FormInstall::Instance()
{
    static FormInstall* instance = platform::Built(new FormInstall);
    return *instance;
}

FormInstall::FormInstall() : Form(Kind::TopLevel, "FormInstall")
{
    // Above the background, which covers the screen.
    setParent(&FormBackground::Instance(), Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    Image1 = TextLine(this, "Image1", {120, 120, 1800, 2700});
    Image1->setPixmap(setup::InstallPicture(platform::ToPixels(1800), platform::ToPixels(2700)));
    Label3 = TextLine(this, "Label3", {120, 2880, 1800, 255});
    Label3->setText(QStringLiteral("Kelpa 5.0"));
    Label3->setAlignment(Qt::AlignCenter);
    Label2 = TextLine(this, "Label2", {2160, 120, 6000, 540});
    QFont heading(QStringLiteral("DejaVu Sans"), 18);
    heading.setBold(true);
    Label2->setFont(heading);
    Label1 = TextLine(this, "Label1", {2160, 840, 6000, 255});
    Label6 = TextLine(this, "Label6", {2160, 1095, 6000, 255});
    Label4 = TextLine(this, "Label4", {2160, 840, 6000, 255});
    Label4->hide();
    Label5 = TextLine(this, "Label5", {2160, 1095, 6000, 255});
    Label5->hide();
    TextDirectory = platform::Control<QLineEdit>(this, "TextDirectory");
    TextDirectory->setText(EnglishDirectory);
    platform::Move(TextDirectory, {2160, 1500, 6000, 345});
    CommandChangeDirectory = Button(this, "CommandChangeDirectory", {2160, 1980, 2400, 375});
    Line1 = platform::Control<QFrame>(this, "Line1");
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);
    platform::Move(Line1, {2160, 2580, 6000, 30});
    CommandOK = Button(this, "CommandOK", {5520, 2760, 1215, 375});
    CommandOK->setText(QStringLiteral("&OK"));
    CommandOK->setDefault(true);
    CommandCancel = Button(this, "CommandCancel", {6945, 2760, 1215, 375});
    setFixedSize(platform::ToPixels(8400), platform::ToPixels(3300));

    platform::On(CommandChangeDirectory, &QPushButton::clicked, this,
                 &FormInstall::CommandChangeDirectory_Click);
    platform::On(CommandOK, &QPushButton::clicked, this, &FormInstall::CommandOK_Click);
    platform::On(CommandCancel, &QPushButton::clicked, this, &FormInstall::CommandCancel_Click);
    Timer1.setInterval(2000);
    Timer1.setHandler([this] { platform::runGuarded([this] { Timer1_Timer(); }); });
}

setup::InstallNames FormInstall::NamesFromTexts()
{
    const auto& text = KELPA::LanguageText;
    return {text[261], text[264], text[258], text[259], text[260], text[371], text[373], text[451]};
}

void FormInstall::Form_Load()
{
    const auto& text = KELPA::LanguageText;
    SetCaption(text[360]);
    CommandCancel->setText(text[4]);
    CommandChangeDirectory->setText(text[361]);
    Label4->setText(text[363]);
    Label5->setText(text[364]);
    Label2->setText(text[365]);
    Label1->setText(text[366]);
    Label6->setText(text[367]);
    if (KELPA::Language == QLatin1String("deutsch"))
        TextDirectory->setText(GermanDirectory);
    CommandOK->setDefault(true);
    CommandCancel->setDefault(false);
    FormBackground::Instance().Centre(this);
}

// The chooser starts in the current directory; its answer, unless empty,
// becomes the directory text.
void FormInstall::CommandChangeDirectory_Click()
{
    using namespace KELPA;
    const QString current = platform::CurDir();
    Directory = current.endsWith(QLatin1Char('\\')) ? current : current + QLatin1Char('\\');
    ChooseFilter.clear();
    ChooseTitle = LanguageText[369];
    FormChoose::Instance().Show(true);
    Directory = ChosenPath;
    ChosenPath.clear();
    if (!Directory.trimmed().isEmpty())
        TextDirectory->setText(Directory);
}

// Installs into the directory of the text box: folders, shared control file,
// program files, program group (once the program files are there), settings
// line; then waits for Timer1. A directory the group's entries could not name
// is refused at once.
void FormInstall::CommandOK_Click()
{
    using namespace KELPA;
    Directory = setup::TargetDirectory(TextDirectory->text(), platform::CurDir());
    if (setup::TargetPathRefused(Directory)) {
        Failed({{Directory, setup::BadName}});
        return;
    }
    attempt_.emplace(Directory, NamesFromTexts(), Language);
    attempt_->InstallFiles();
    CommandOK->hide();
    Busy();
    attempt_->InstallGroup();
    attempt_->InstallSettings();
    Timer1.setEnabled(true);
}

void FormInstall::Timer1_Timer()
{
    using namespace KELPA;
    Timer1.setEnabled(false);
    NotBusy();
    const QList<setup::Failure> failures = attempt_->Failures();
    if (!failures.isEmpty()) {
        attempt_->UndoGroup();
        Failed(failures);
        return;
    }
    Label2->setText(LanguageText[370]);
    Label1->hide();
    Label6->hide();
    Label4->show();
    Label5->show();
    TextDirectory->hide();
    CommandChangeDirectory->hide();
    CommandCancel->setText(QStringLiteral("&OK"));
    CommandCancel->setDefault(true);
    CommandCancel->setFocus();
}

void FormInstall::Failed(const QList<setup::Failure>& failures)
{
    QStringList lines;
    for (const setup::Failure& failure : failures)
        lines.append(failure.Item + QStringLiteral(": ") +
                     KELPA::LanguageText[setup::CauseText(failure.Error)]);
    NotBusy();
    platform::MsgBox(lines.join(QStringLiteral("\r\n")), platform::vbCritical,
                     QStringLiteral("Kelpa"));
    CommandOK->show();
}

void FormInstall::CommandCancel_Click()
{
    bool& ending = FormBackground::Instance().Ending;
    if (ending)
        return;
    ending = true;
    // Left during the check, a failed attempt still puts the group back.
    if (Timer1.Enabled() && attempt_ && !attempt_->Failures().isEmpty())
        attempt_->UndoGroup();
    Timer1.setEnabled(false);
    NotBusy();
    platform::CloseAllFiles();
    if (platform::FileExists(KELPA::LockFile))
        platform::Kill(KELPA::LockFile);
    platform::EndProgram(0);
}

void FormInstall::Form_QueryUnload(int& cancel)
{
    (void)cancel;
    CommandCancel_Click();
}

void FormInstall::keyPressEvent(QKeyEvent* event)
{
    QPushButton* pressed = CommandOK->isHidden() ? CommandCancel : CommandOK;
    if (event->key() == Qt::Key_Escape)
        platform::runGuarded([this] { CommandCancel_Click(); });
    else if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
             pressed->isDefault() && !pressed->isHidden())
        platform::runGuarded([pressed] { pressed->click(); });
    else
        Form::keyPressEvent(event);
}

void FormInstall::Busy()
{
    if (busy_)
        return;
    busy_ = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void FormInstall::NotBusy()
{
    if (!busy_)
        return;
    busy_ = false;
    QApplication::restoreOverrideCursor();
}
