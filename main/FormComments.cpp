#include "main/FormComments.h"

#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "platform/forms/Handlers.h"
#include "platform/forms/Twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

FormComments& FormComments::Instance()
{
    static FormComments* instance = platform::Built(new FormComments);
    return *instance;
}

FormComments::FormComments() : Form(Kind::TopLevel, "FormComments")
{
    Label1 = platform::Control<QLabel>(this, "Label1");
    platform::Move(Label1, {120, 120, 5400, 255});
    for (int i = 0; i < 6; ++i) {
        const QByteArray name = "Text(" + QByteArray::number(i) + ')';
        Text[i] = platform::Control<QLineEdit>(this, name.constData());
        platform::Move(Text[i], {120, 450.0 + i * 360, 5400, 315});
    }
    Command1 = platform::Control<QPushButton>(this, "Command1");
    platform::Move(Command1, {4200, 2700, 1320, 375});
    platform::On(Command1, &QPushButton::clicked, this, &FormComments::Command1_Click);
    MoveTo(0, 0, 5760, 3600);
}

void FormComments::Form_Load()
{
    SetCaption(QStringLiteral("Kelpa [") + KELPA::TaskFile + QLatin1Char(']'));
    Label1->setText(KELPA::LanguageText[61]);
    Command1->setText(KELPA::LanguageText[60]);
    for (int i = 0; i < 6; ++i)
        Text[i]->setText(KELPA::Comment[i]);
    KeepClearOf(FormKelpa::Instance().ControlAreas());
}

void FormComments::Command1_Click()
{
    for (int i = 0; i < 6; ++i)
        KELPA::Comment[i] = Text[i]->text();
    Unload();
}
