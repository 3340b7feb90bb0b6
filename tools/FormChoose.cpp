#include "tools/FormChoose.h"

#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "platform/convert/Convert.h"
#include "platform/files/Files.h"
#include "platform/forms/Handlers.h"
#include "platform/forms/Pictures.h"
#include "platform/forms/Twips.h"
#include "platform/msgbox/MsgBox.h"
#include "tools/ChooserLists.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

using namespace KELPA;

FormChoose& FormChoose::Instance()
{
    static FormChoose* instance = platform::Built(new FormChoose);
    return *instance;
}

FormChoose::FormChoose() : Form(Kind::TopLevel, "FormChoose")
{
    setupControls();
    setupHandlers();
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(platform::ToPixels(7125), platform::ToPixels(2985));
}

void FormChoose::setupControls()
{
    using platform::Control;
    using platform::Move;
    LabelSearch = Control<QLabel>(this, "LabelSearch");
    LabelSearch->setText(QStringLiteral("Filename:"));
    Move(LabelSearch, {90, 150, 885, 225});
    TextSearch = Control<QLineEdit>(this, "TextSearch");
    Move(TextSearch, {1020, 120, 4755, 285});
    // The buttons are a little wider than drawn, for the German "Abbrechen".
    CommandStandard = Control<QPushButton>(this, "CommandStandard");
    CommandStandard->setText(QStringLiteral("&Standard"));
    CommandStandard->setVisible(false);
    Move(CommandStandard, {5880, 120, 1155, 285});
    FileSearch = Control<chooser::FileListBox>(this, "FileSearch");
    Move(FileSearch, {120, 540, 2775, 1845});
    DirSearch = Control<chooser::DirListBox>(this, "DirSearch");
    Move(DirSearch, {3000, 540, 2775, 1890});
    ComboSearch = Control<QComboBox>(this, "ComboSearch");
    ComboSearch->setEditable(true);
    ComboSearch->setInsertPolicy(QComboBox::NoInsert);
    Move(ComboSearch, {120, 2520, 2775, 315});
    DriveSearch = Control<QComboBox>(this, "DriveSearch");
    DriveSearch->addItems(chooser::Drives());
    Move(DriveSearch, {3000, 2520, 2775, 315});
    Image1 = Control<QLabel>(this, "Image1");
    Image1->setVisible(false);
    Image1->setAlignment(Qt::AlignCenter);
    Move(Image1, {6210, 930, 480, 480});
    CommandSearchOK = Control<QPushButton>(this, "CommandSearchOK");
    CommandSearchOK->setText(QStringLiteral("&OK"));
    CommandSearchOK->setEnabled(false);
    Move(CommandSearchOK, {5880, 1950, 1155, 375});
    CommandSearchCancel = Control<QPushButton>(this, "CommandSearchCancel");
    CommandSearchCancel->setText(QStringLiteral("&Cancel"));
    CommandSearchCancel->setDefault(true);
    Move(CommandSearchCancel, {5880, 2460, 1155, 375});
}

void FormChoose::setupHandlers()
{
    using platform::On;
    On(DriveSearch, &QComboBox::currentIndexChanged, this, &FormChoose::DriveSearch_Change);
    On(DirSearch, &chooser::DirListBox::PathChanged, this, &FormChoose::DirSearch_Change);
    On(FileSearch, &chooser::FileListBox::Click, this, &FormChoose::FileSearch_Click);
    On(FileSearch, &chooser::FileListBox::DblClick, this, &FormChoose::FileSearch_DblClick);
    On(ComboSearch, &QComboBox::currentTextChanged, this, &FormChoose::ComboSearch_Change);
    On(ComboSearch, &QComboBox::activated, this, &FormChoose::ComboSearch_Change);
    connect(ComboSearch, &QComboBox::activated, this,
            [this] { ComboSearch->lineEdit()->setCursorPosition(0); });
    On(TextSearch, &QLineEdit::textChanged, this, &FormChoose::TextSearch_Change);
    On(CommandSearchOK, &QPushButton::clicked, this, &FormChoose::CommandSearchOK_Click);
    On(CommandSearchCancel, &QPushButton::clicked, this, &FormChoose::CommandSearchCancel_Click);
    On(CommandStandard, &QPushButton::clicked, this, &FormChoose::CommandStandard_Click);
    TextSearch->installEventFilter(this); // its double click
}

void FormChoose::Form_Load()
{
    mode_ = chooser::ModeOf(ChooseFilter, ChooseTitle);
    // Only OK gives a result: any other way out leaves none.
    ChosenPath.clear();
    SetCaption(ChooseTitle);
    CommandSearchCancel->setText(LanguageText[4]);
    SetDefault(CommandSearchCancel);
    LabelSearch->setText(LanguageText[51]);
    if (mode_.inputFile && platform::FileExists(InputFile)) {
        if (platform::FileLen(InputFile) > 0)
            TextSearch->setText(InputFile);
        QCheckBox* list = FormKelpa::Instance().CheckListe;
        if (!list->isEnabled())
            list->setEnabled(true);
    }
    if (!mode_.directory) {
        FileSearch->SetPattern(ChooseFilter);
        {
            // The combo and the lists are filled quietly and the folder is
            // read once: the lists start where the program is, and the text
            // box stays empty.
            const QSignalBlocker quietCombo(ComboSearch);
            const QSignalBlocker quietFolders(DirSearch);
            ComboSearch->addItem(ChooseFilter);
            if (!mode_.icon)
                ComboSearch->addItem(QStringLiteral("*.*"));
            ComboSearch->setEditText(ChooseFilter);
            // A pattern list longer than the box shows its start.
            ComboSearch->lineEdit()->setCursorPosition(0);
            DirSearch->SetPath(platform::CurDir());
        }
        FileSearch->SetPath(DirSearch->Path());
    } else {
        LabelSearch->setText(LanguageText[56]);
        const QString start = chooser::StartFolder(Directory);
        if (!DirSearch->SetPath(start))
            DirSearch->SetPath(platform::CurDir());
        FileSearch->setEnabled(false);
        ComboSearch->setEnabled(false);
        TextSearch->setText(start);
    }
    ShowDrive();
    if (mode_.icon)
        Image1->setVisible(true);
    FitLabel();
    CenterOnScreen();
}

void FormChoose::FitLabel()
{
    // The caption stands in full; the text box starts after it.
    const QRect box = TextSearch->geometry();
    const int right = LabelSearch->x() + LabelSearch->sizeHint().width();
    LabelSearch->resize(qMax(LabelSearch->width(), LabelSearch->sizeHint().width()),
                        LabelSearch->height());
    const int left = qMax(platform::ToPixels(1020), right + 4);
    TextSearch->setGeometry(left, box.y(), box.right() + 1 - left, box.height());
}

void FormChoose::ShowDrive()
{
    const QSignalBlocker quiet(DriveSearch);
    DriveSearch->setCurrentIndex(
        int(chooser::Drives().indexOf(chooser::DriveOf(DirSearch->Path()))));
}

// The name is typed at once: the text box has the focus, and Return takes
// what it holds (OK is the default button while there is a text).
void FormChoose::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    TextSearch->setFocus();
}

void FormChoose::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        platform::runGuarded([this] { CommandSearchCancel->click(); });
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        QPushButton* button = CommandSearchOK->isDefault() ? CommandSearchOK : CommandSearchCancel;
        if (button->isEnabled())
            platform::runGuarded([button] { button->click(); });
        return;
    }
    default:
        Form::keyPressEvent(event);
    }
}

bool FormChoose::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == TextSearch && event->type() == QEvent::MouseButtonDblClick)
        platform::runGuarded([this] { TextSearch_DblClick(); });
    return Form::eventFilter(watched, event);
}

void FormChoose::DriveSearch_Change()
{
    const QString drive = DriveSearch->currentText();
    if (DirSearch->SetPath(drive + QLatin1Char('\\')))
        return;
    platform::MsgBox(LanguageText[55], platform::vbCritical, QStringLiteral("Error!"));
    ShowDrive();
}

void FormChoose::DirSearch_Change()
{
    FileSearch->SetPath(DirSearch->Path());
    TextSearch->setText(chooser::FolderText(DirSearch->Path()));
}

void FormChoose::FileSearch_Click()
{
    const QString name = FileSearch->FileName();
    if (!name.isEmpty())
        TextSearch->setText(chooser::Joined(FileSearch->Path(), name));
}

void FormChoose::FileSearch_DblClick()
{
    if (!TextSearch->text().isEmpty())
        CommandSearchOK_Click();
}

void FormChoose::TextSearch_DblClick()
{
    FileSearch_DblClick();
}

void FormChoose::ComboSearch_Change()
{
    FileSearch->SetPattern(ComboSearch->currentText());
    FileSearch->Refresh();
}

void FormChoose::SetDefault(QPushButton* button)
{
    CommandSearchOK->setDefault(button == CommandSearchOK);
    CommandSearchCancel->setDefault(button == CommandSearchCancel);
}

void FormChoose::TextSearch_Change()
{
    if (!CommandStandard->isHidden())
        CommandStandard->setEnabled(true);
    const QString text = TextSearch->text();
    if (text.isEmpty()) {
        CommandSearchOK->setEnabled(false);
        SetDefault(CommandSearchCancel);
        if (mode_.icon)
            Image1->clear();
        return;
    }
    CommandSearchOK->setEnabled(true);
    SetDefault(CommandSearchOK);
    if (mode_.icon && text.right(3).toUpper() == QLatin1String("ICO")) {
        const QPixmap picture = platform::LoadPicture(chooser::ProgramPath(text));
        if (picture.isNull())
            Image1->clear();
        else
            Image1->setPixmap(picture.scaled(Image1->size(), Qt::KeepAspectRatio));
    }
}

bool FormChoose::DirectoryNameAccepted()
{
    DirectoryInvalid = 0;
    if (!TextSearch->text().endsWith(QLatin1Char('\\')))
        TextSearch->setText(TextSearch->text() + QLatin1Char('\\'));
    if (!chooser::DirectoryNameRefused(TextSearch->text()))
        return true;
    DirectoryInvalid = 1;
    CommandSearchOK->setEnabled(false);
    platform::MsgBox(LanguageText[417], platform::vbCritical, QStringLiteral("Kelpa"));
    TextSearch->setFocus();
    TextSearch->selectAll();
    return false;
}

void FormChoose::CommandSearchOK_Click()
{
    QString candidate = chooser::ProgramPath(TextSearch->text());
    if (candidate != platform::Trim(TextSearch->text()))
        TextSearch->setText(candidate);
    // A folder named in a file mode is opened in the lists, not returned.
    if (!mode_.directory && chooser::NamesFolder(candidate)) {
        DirSearch->SetPath(candidate);
        ShowDrive();
        return;
    }
    if (mode_.save) {
        candidate = chooser::SaveName(candidate);
        if (platform::FileLen(candidate) > 0) {
            const QString question = QLatin1Char('\'') + candidate + QLatin1Char('\'') +
                                     QStringLiteral("\r\n") + LanguageText[53];
            if (platform::MsgBox(question,
                                 platform::vbYesNo | platform::vbExclamation |
                                     platform::vbDefaultButton2,
                                 QStringLiteral("Kelpa") + LanguageText[54]) != platform::vbYes)
                return;
        }
    }
    if (mode_.downloadDirectory && !DirectoryNameAccepted())
        return;
    ChosenPath = candidate;
    Unload();
}

void FormChoose::CommandSearchCancel_Click()
{
    ChosenPath.clear();
    Unload();
}

void FormChoose::CommandStandard_Click()
{
    if (!DirectoryNameAccepted())
        return;
    StandardDirectory = TextSearch->text();
    FormKelpa::Instance().logging(LanguageText[50] + StandardDirectory + QLatin1Char('\''));
    CommandStandard->setEnabled(false);
}
