// kelpa: downloads web sites and single files for off-line use.

#include "main/FormKelpa.h"
#include "platform/msgbox/MsgBoxDialog.h"
#include "platform/shell/System.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kelpa"));
    QApplication::setQuitOnLastWindowClosed(false);
    platform::InstallMsgBoxDialog();
    platform::EnableSystemShutdown();
    FormKelpa::Instance().MDIForm_Load();
    return app.exec();
}
