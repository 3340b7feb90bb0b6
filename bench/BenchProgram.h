#pragma once
// What every benchmark program does before it measures.

#include "main/FormKelpa.h"
#include "platform/msgbox/MsgBox.h"

#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QTemporaryDir>

#include <functional>

namespace bench {

// The sizes the command line gives (switches, "--...", are the program's
// own), else the defaults.
inline QList<int> Sizes(int argc, char** argv, const QList<int>& defaults)
{
    QList<int> sizes;
    for (int i = 1; i < argc; ++i) {
        if (!QByteArray(argv[i]).startsWith("--"))
            sizes.append(QString::fromLocal8Bit(argv[i]).toInt());
    }
    return sizes.isEmpty() ? defaults : sizes;
}

struct Setup {
    QList<int> sizes;      // used when the command line gives none
    int answer;            // the answer every message box gets
    QByteArray extraLines; // settings lines after "Language=english"
};

// Runs a benchmark: a temporary home of its own (HOME, XDG_DATA_HOME,
// XDG_RUNTIME_DIR), offscreen, the main window started in it with an English
// KELPA.INI, then measure(home folder, sizes). Returns the exit code.
inline int Run(int argc, char** argv, const Setup& setup,
               const std::function<void(const QString&, const QList<int>&)>& measure)
{
    QTemporaryDir home;
    if (!home.isValid())
        return 2;
    const QString runtime = home.path() + QStringLiteral("/runtime");
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/.local/share")).toUtf8());
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", runtime.toUtf8());
    QApplication app(argc, argv);

    const QList<int> sizes = Sizes(argc, argv, setup.sizes);

    // No question may wait for an answer.
    platform::SetMsgBoxHandler(
        [answer = setup.answer](const QString&, int, const QString&) { return answer; });
    QDir::setCurrent(home.path());
    QFile ini(QStringLiteral("KELPA.INI"));
    if (!ini.open(QIODevice::WriteOnly) || ini.write("Language=english\r\n" + setup.extraLines) < 0)
        return 2;
    ini.close();
    FormKelpa& form = FormKelpa::Instance();
    form.TimerInfo.setInterval(20);
    form.MDIForm_Load();
    measure(home.path(), sizes);
    return 0;
}

} // namespace bench
