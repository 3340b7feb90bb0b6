// tolvex: removes a kelpa installation from the folder it was started from.

#include "platform/files/Files.h"
#include "platform/msgbox/MsgBoxDialog.h"
#include "removal/Tolvexall.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tolvex"));
    platform::InstallMsgBoxDialog();
    removal::Tolvexall(platform::FromLinuxPath(QApplication::applicationDirPath()));
    return 0;
}
