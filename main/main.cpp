// kelpa: downloads web sites and single files for off-line use.

#include "main/FormKelpa.h"
#include "platform/files/Files.h"
#include "platform/msgbox/MsgBoxDialog.h"
#include "platform/shell/System.h"

#include <QApplication>
#include <QFileInfo>
#include <QStringList>

namespace {

// The whole argument text is one task-file path; it arrives as a Linux path
// and is handed on in the program's own form.
QString TaskArgument(const QStringList& arguments)
{
    const QString path = arguments.mid(1).join(QLatin1Char(' '));
    return path.isEmpty() ? path : platform::FromLinuxPath(QFileInfo(path).absoluteFilePath());
}

} // namespace

int main(int argc, char** argv)
{
    // Qt's own event loop: a run yields after every step, and each yield
    // through GLib's costs several system calls more.
    if (!qEnvironmentVariableIsSet("QT_NO_GLIB"))
        qputenv("QT_NO_GLIB", "1");
    // Local time is read for every time stamp of the protocol; without TZ the
    // C library looks at the zone file each time, with it only once.
    if (!qEnvironmentVariableIsSet("TZ"))
        qputenv("TZ", ":/etc/localtime");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kelpa"));
    QApplication::setQuitOnLastWindowClosed(false);
    platform::InstallMsgBoxDialog();
    platform::EnableSystemShutdown();
    FormKelpa::Instance().MDIForm_Load(TaskArgument(QApplication::arguments()));
    return app.exec();
}
