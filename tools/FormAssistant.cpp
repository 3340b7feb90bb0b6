// The assistant window: its one instance, the wiring of its handlers, what
// loading and unloading do, and the example task it writes.

#include "tools/FormAssistant.h"

#include "main/Kelpa.h"
#include "platform/forms/Clicks.h"
#include "platform/forms/Handlers.h"
#include "platform/forms/Twips.h"
#include "tools/ExampleTask.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

using namespace KELPA;

FormAssistant& FormAssistant::Instance()
{
    static FormAssistant* instance = platform::Built(new FormAssistant);
    return *instance;
}

FormAssistant::FormAssistant() : Form(Kind::TopLevel, "FormAssistant")
{
    setupControls();
    setupHandlers();
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(platform::ToPixels(8800), platform::ToPixels(4130));
}

void FormAssistant::setupHandlers()
{
    using platform::On;
    using platform::OnClicks;
    using platform::OnSelected;
    On(CommandContinue, &QPushButton::clicked, this, &FormAssistant::CommandContinue_Click);
    On(CommandBack, &QPushButton::clicked, this, &FormAssistant::CommandBack_Click);
    for (QRadioButton* kind : {Option1, Option2, Option3, Option4})
        OnSelected(kind, this, &FormAssistant::OptionKind_Click);
    OnSelected(OptionOpen, this, &FormAssistant::OptionOpen_Click);
    OnClicks(OptionOpen, this, nullptr, &FormAssistant::OptionOpen_DblClick);
    OnSelected(OptionURL, this, &FormAssistant::OptionURL_Click);
    OnSelected(OptionChoose, this, &FormAssistant::OptionChoose_Click);
    OnClicks(OptionChoose, this, nullptr, &FormAssistant::OptionChoose_DblClick);
    On(TextOpen, &QLineEdit::textChanged, this, &FormAssistant::TextOpen_Change);
    On(TextURL, &QLineEdit::textChanged, this, &FormAssistant::TextUrl_Change);
    On(TextChoose, &QLineEdit::textChanged, this, &FormAssistant::TextChoose_Change);
    On(CommandURL, &QPushButton::clicked, this, &FormAssistant::CommandURL_Click);
    On(CommandChoose, &QPushButton::clicked, this, &FormAssistant::CommandChoose_Click);
    OnSelected(Option5, this, &FormAssistant::Option5_Click);
    OnSelected(Option6, this, &FormAssistant::Option6_Click);
    On(CheckStart, &QCheckBox::stateChanged, this, &FormAssistant::CheckStart_Click);
    On(CheckDauer, &QCheckBox::stateChanged, this, &FormAssistant::CheckDauer_Click);
    On(CheckRepeat, &QCheckBox::stateChanged, this, &FormAssistant::CheckRepeat_Click);
    On(VScroll1, &QScrollBar::valueChanged, this, &FormAssistant::VScroll1_Change);
    On(VScroll2, &QScrollBar::valueChanged, this, &FormAssistant::VScroll2_Change);
    On(VScroll3, &QScrollBar::valueChanged, this, &FormAssistant::VScroll3_Change);
    OnClicks(Dauer, this, &FormAssistant::Dauer_Click, &FormAssistant::Dauer_DblClick);
    OnClicks(Zeit, this, &FormAssistant::Zeit_Click, &FormAssistant::Zeit_DblClick);
    OnClicks(Repeat, this, &FormAssistant::Repeat_Click, &FormAssistant::Repeat_DblClick);
}

void FormAssistant::Form_Load()
{
    keptStartInLeft_ = StartInLeft;
    keptStartInText_ = StartInText;
    handedOver_ = false;
    siteBusy_ = false;
    SetCaption(LanguageText[1]);
    SetCaptions();
    // Its size depends on the captions' lines; a window manager that takes
    // the position asked for would otherwise put it at the screen's corner,
    // its title bar above the screen.
    CenterOnScreen();
}

void FormAssistant::Form_Unload()
{
    // Moving the delay bar set the main window's countdown; leaving without
    // a finish puts it back.
    if (!handedOver_) {
        StartInLeft = keptStartInLeft_;
        StartInText = keptStartInText_;
    }
}

void FormAssistant::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        Form::keyPressEvent(event);
        return;
    }
    if (CommandContinue->isEnabled())
        platform::runGuarded([this] { CommandContinue->click(); });
}

// A file that cannot be written (a folder of that name, a read-only folder)
// leaves start-up to go on without the example.
void FormAssistant::TaskSchreiben()
{
    tools::WriteExampleTask(QStringLiteral("TEST.TSK"), KELPA::Language);
}
