#include "setup/FormLanguage.h"

#include "main/Kelpa.h"
#include "platform/forms/Handlers.h"
#include "platform/forms/Twips.h"
#include "setup/FormBackground.h"
#include "setup/Pictures.h"
#include "texts/Sprache.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

FormLanguage& FormLanguage::Instance()
{
    static FormLanguage* instance = platform::Built(new FormLanguage);
    return *instance;
}

FormLanguage::FormLanguage() : Form(Kind::TopLevel, "FormLanguage")
{
    // Above the background, which covers the screen.
    setParent(&FormBackground::Instance(), Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    setWindowTitle(QStringLiteral("Kelpa - Installation"));
    Label1 = platform::Control<QLabel>(this, "Label1");
    Label1->setText(QStringLiteral("Choose a language:"));
    platform::Move(Label1, {240, 180, 3000, 285});
    Picture1 = platform::Control<QLabel>(this, "Picture1");
    Picture1->setPixmap(setup::GermanPicture());
    platform::Move(Picture1, {360, 630, 480, 300});
    Option2 = platform::Control<QRadioButton>(this, "Option2");
    Option2->setText(QStringLiteral("Deutsch"));
    Option2->setChecked(true);
    platform::Move(Option2, {960, 600, 2100, 360});
    Picture2 = platform::Control<QLabel>(this, "Picture2");
    Picture2->setPixmap(setup::EnglishPicture());
    platform::Move(Picture2, {360, 1110, 480, 300});
    Option1 = platform::Control<QRadioButton>(this, "Option1");
    Option1->setText(QStringLiteral("English"));
    platform::Move(Option1, {960, 1080, 2100, 360});
    Command1 = platform::Control<QPushButton>(this, "Command1");
    Command1->setText(QStringLiteral("&OK"));
    Command1->setDefault(true);
    platform::Move(Command1, {1140, 1680, 1215, 375});
    platform::On(Command1, &QPushButton::clicked, this, &FormLanguage::Command1_Click);
    setFixedSize(platform::ToPixels(3600), platform::ToPixels(2280));
}

void FormLanguage::Form_Load()
{
    FormBackground::Instance().Centre(this);
}

void FormLanguage::Command1_Click()
{
    if (Option2->isChecked())
        KELPA::Language = QStringLiteral("deutsch");
    TexteLaden(KELPA::Language);
    Unload();
}

void FormLanguage::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        platform::runGuarded([this] { Command1_Click(); });
    else
        Form::keyPressEvent(event);
}
