#include "main/FormKelpa.h"

#include "main/Kelpa.h"
#include "main/StartupLanguage.h"
#include "platform/files/Files.h"
#include "platform/forms/Form.h"
#include "platform/pump/Pump.h"
#include "texts/Sprache.h"

#include <QCloseEvent>
#include <QMdiArea>

FormKelpa& FormKelpa::Instance()
{
    static FormKelpa* instance = new FormKelpa;
    return *instance;
}

FormKelpa::FormKelpa()
{
    setObjectName(QLatin1String("FormKelpa"));
    mdiArea_ = new QMdiArea(this);
    mdiArea_->setObjectName(QLatin1String("MdiArea"));
    setCentralWidget(mdiArea_);
    platform::Form::SetMdiArea(mdiArea_);
    setupMenus();
}

void FormKelpa::MDIForm_Load()
{
    KELPA::Language = ReadLanguageLine(QStringLiteral("KELPA.INI"));
    TexteLaden(KELPA::Language);
    SetCaptions();
    setWindowTitle(QStringLiteral("Kelpa - ") + platform::CurDir() + QLatin1Char('\\'));
    show();
}

void FormKelpa::CommandExit_Click()
{
    platform::EndProgram(0);
}

void FormKelpa::MDIForm_QueryUnload()
{
    CommandExit_Click();
}

void FormKelpa::closeEvent(QCloseEvent* event)
{
    // The window system never unloads the main window: its close box asks the
    // exit command, which ends the program itself.
    event->ignore();
    platform::runGuarded([this] { MDIForm_QueryUnload(); });
}
