#include "main/FormKelpa.h"

#include "main/Kelpa.h"
#include "platform/files/Files.h"
#include "platform/forms/Form.h"
#include "platform/forms/Twips.h"
#include "platform/pump/Pump.h"

#include <QCloseEvent>
#include <QMdiArea>

FormKelpa& FormKelpa::Instance()
{
    // Lives as long as the program: a procedure of it may still be on the
    // stack, inside a wait, when the program ends.
    static FormKelpa* instance = new FormKelpa;
    return *instance;
}

FormKelpa::FormKelpa()
{
    setObjectName(QLatin1String("FormKelpa"));
    setupControls();
    setupMenus();
    setupTimers();
    platform::Form::SetMdiArea(mdiArea_);
}

QString FormKelpa::DirectoryCaption(const QString& afterBackslash) const
{
    // At a drive's root the current directory ends in "\" already.
    QString directory = platform::CurDir();
    if (!directory.endsWith(QLatin1Char('\\')))
        directory += QLatin1Char('\\');
    QString caption = QStringLiteral("Kelpa - ") + directory + afterBackslash;
    if (!KELPA::TaskFile.isEmpty())
        caption += QStringLiteral(" [") + KELPA::TaskFile + QLatin1Char(']');
    return caption;
}

double FormKelpa::Left() const
{
    return platform::ToTwips(frameGeometry().x());
}

double FormKelpa::Top() const
{
    return platform::ToTwips(frameGeometry().y());
}

double FormKelpa::Width() const
{
    return platform::ToTwips(frameGeometry().width());
}

double FormKelpa::Height() const
{
    return platform::ToTwips(frameGeometry().height());
}

int FormKelpa::WindowState() const
{
    if (isMinimized())
        return 1;
    return isMaximized() ? 2 : 0;
}

void FormKelpa::closeEvent(QCloseEvent* event)
{
    // The window system never unloads the main window: its close box asks the
    // exit command, which ends the program itself.
    event->ignore();
    platform::runGuarded([this] { MDIForm_QueryUnload(); });
}

void FormKelpa::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    platform::runGuarded([this] { MDIForm_Resize(); });
}

void FormKelpa::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        platform::runGuarded([this] { MDIForm_Resize(); });
}
