#include "tools/ExampleTask.h"

#include "main/Settings.h"
#include "platform/files/Files.h"

namespace tools {

namespace {

QStringList Comments(bool german, const QString& host)
{
    if (german)
        return {
            QStringLiteral("Comment1=Dieser 'Beispiel-Task' lädt die komplette '") + host +
                QStringLiteral("'-Homepage (ca. 1,6 MB)."),
            QStringLiteral("Comment2=Die Seiten können anschließend 'offline' betrachtet werden "
                           "(über das Menü 'Extras'"),
            QStringLiteral("Comment3=oder einfach aus dem Windows-Explorer heraus)."),
            QStringLiteral("Comment4=Lesen Sie die 'Einstellungen', um die Arbeitsweise des "
                           "Programms kennenzulernen."),
            QStringLiteral("Comment5=Wenn eine Verbindung zum Internet besteht, brauchen Sie nur "
                           "noch auf das "),
            QStringLiteral("Comment6='Gehen'-Symbol zu klicken oder die Taste 'F5' zu drücken um "
                           "den Ladevorgang zu starten."),
        };
    return {
        QStringLiteral("Comment1=This 'Example Task' will download the complete '") + host +
            QStringLiteral("' site (appr. 1.6 MB)."),
        QStringLiteral("Comment2=After that the pages can be viewed off-line (click on the menu "
                       "'Special' or simply"),
        QStringLiteral("Comment3=use the Windows Explorer)."),
        QStringLiteral("Comment4= "),
        QStringLiteral("Comment5=Read the 'Options' to learn how the program works. When you are "
                       "connected to the Internet"),
        QStringLiteral("Comment6=you can start the Download by clicking on the 'Go' icon or "
                       "pressing the 'F5'-key."),
    };
}

} // namespace

QStringList ExampleTaskLines(const QString& language)
{
    const bool german = language == QLatin1String("deutsch");
    const QString host = QString::fromLatin1(ExampleHost);
    const QString product = QString::fromLatin1(inifile::ProductAddress);
    QStringList lines = Comments(german, host);
    lines << QStringLiteral("UseList=0") << QStringLiteral("TaskURL=http://") + host
          << QStringLiteral("AcceptMetaRefresh=0") << QStringLiteral("AcceptRelocation=1")
          << QStringLiteral("Depth=0") << QStringLiteral("Directory=Test_Task")
          << QStringLiteral("Exclude=EXE ZIP") << QStringLiteral("eMailAddresses=0")
          << QStringLiteral("Images=1")
          << (german ? QStringLiteral("Language=deutsch") : QStringLiteral("Language=english"))
          << QStringLiteral("LocalBrowsing=1") << QStringLiteral("LongFilenames=1")
          << QStringLiteral("MaxFileSize=0") << QStringLiteral("MaxkBytes=0")
          << QStringLiteral("MinFileSize=0") << QStringLiteral("NoSite=")
          << QStringLiteral("OnlySite=") + QString::fromLatin1(ExampleSiteWord)
          << QStringLiteral("Picture=") << QStringLiteral("RestHome=0")
          << QStringLiteral("SaveHTML=1") << QStringLiteral("ShowEdit=0")
          << QStringLiteral("ShowOptions=1") << QStringLiteral("ShowProtocol=1")
          << QStringLiteral("ShowToolbar=1") << QStringLiteral("SubDirectories=1")
          << QStringLiteral("Timeout=120") << QStringLiteral("TimeProcs=20 min,60 min,8.0 h")
          << QStringLiteral("UserIcon=") << QStringLiteral("UserTitle=Test")
          << QStringLiteral("Accept=image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, "
                            "image/x-jg, */*")
          << QStringLiteral("ConnectBlocking=0") << QStringLiteral("Connection=Keep-Alive")
          << QStringLiteral("GetHostByNameBlocking=1")
          << QStringLiteral("HeadLine=<!-- modified by Kelpa 5.0 (") + product +
                 QStringLiteral(") -->")
          << QStringLiteral("Host=") << QStringLiteral("IfModifiedSince=")
          << QStringLiteral("LogAllMessages=0") << QStringLiteral("RecvBlocking=0")
          << QStringLiteral("RecvBuffer=1024") << QStringLiteral("Referer=")
          << QStringLiteral("RefreshHTML=0") << QStringLiteral("SendBlocking=0")
          << QStringLiteral("UserAgent=Kelpa 5.0 (") + product + QLatin1Char(')');
    return lines;
}

int WriteExampleTask(const QString& path, const QString& language)
{
    const int number = platform::FreeFile();
    if (const int error = platform::Open(path, platform::OpenMode::Output, number))
        return error;
    int error = 0;
    for (const QString& line : ExampleTaskLines(language)) {
        if ((error = platform::PrintLine(number, line)) != 0)
            break;
    }
    const int closed = platform::Close(number);
    return error != 0 ? error : closed;
}

} // namespace tools
