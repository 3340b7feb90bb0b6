#pragma once
// Helpers for tests that start the main window: a fresh program directory per
// case, files written into it, and start-up run under the test ending.

#include "main/FormKelpa.h"
#include "platform/files/Files.h"
#include "platform/pump/Pump.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QString>
#include <QTest>

namespace testsupport {

// Makes a new empty folder below the test's current directory and enters it.
inline QString EnterFreshFolder(const QString& name)
{
    static QString base = QDir::currentPath();
    const QString path = base + QLatin1Char('/') + name;
    QDir(path).removeRecursively();
    QDir().mkpath(path);
    // Through the file layer, as the program changes it: what the program
    // keeps of its lists is compared again with the files of the new folder.
    platform::ChDir(platform::FromLinuxPath(path));
    platform::DoEvents(); // the program sees outside changes from its next yield on
    return path;
}

// A fresh folder named after the running test function and data row.
inline QString EnterTestFolder()
{
    return EnterFreshFolder(
        QString::fromLatin1(QTest::currentTestFunction()) +
        QString::fromLatin1(QTest::currentDataTag()).replace(QLatin1Char(' '), QLatin1Char('_')));
}

// The words a standard button shows in every message box built now.
inline QString StandardButtonText(QMessageBox::StandardButton button)
{
    QMessageBox box;
    return box.addButton(button)->text();
}

// Writes as another process does: the program sees it after its next yield.
inline void WriteFile(const QString& name, const QByteArray& bytes)
{
    {
        QFile file(name);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(bytes);
    }
    platform::DoEvents();
}

inline QByteArray ReadFile(const QString& name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Runs start-up; true when it ended the program.
inline bool StartProgram(const QString& commandLine = QString())
{
    platform::setTestEnding(true);
    platform::clearProgramEnded();
    FormKelpa& form = FormKelpa::Instance();
    form.TimerInfo.setInterval(20); // the about window need not stay its two seconds here
    try {
        form.MDIForm_Load(commandLine);
    } catch (const platform::ProgramEnded&) {
        return true;
    }
    return false;
}

// Runs start-up once in a folder "start" with an English KELPA.INI and lets
// go of the lock file, so that later cases may work in folders of their own.
inline void StartOnce()
{
    EnterFreshFolder(QStringLiteral("start"));
    WriteFile(QStringLiteral("KELPA.INI"), "Language=english\r\n");
    QVERIFY(!StartProgram());
    // A first start offers the assistant a second later; the cases that
    // want it fire the timer themselves.
    FormKelpa::Instance().TimerAssistant.setEnabled(false);
    platform::ReleaseLockFile();
}

} // namespace testsupport
