#pragma once
// A fake shipped set in a folder of its own, the names of both languages, and
// what a test reads back from an installation: files, modes, group entries.

#include "platform/files/Files.h"
#include "setup/Installation.h"
#include "tests/platform/files/FileTestUtil.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QString>
#include <QTest>

namespace setuptest {

inline setup::InstallNames EnglishNames()
{
    return {"README.HTM",  "KELPA(E).HT_", "KELPA(E).HTM", "LICENSE.HT_",
            "LICENSE.HTM", "Readme",       "License",      "Removes Kelpa from "};
}

inline setup::InstallNames GermanNames()
{
    return {"LIESMICH.HTM", "KELPA(D).HT_", "KELPA(D).HTM", "LIZENZ.HT_",
            "LIZENZ.HTM",   "Liesmich",     "Lizenz",       "Entfernt Kelpa aus "};
}

// Name and contents of every file of the fake set; the programs' sources are
// not executable, as on a stick that keeps no such bits.
inline QMap<QString, QByteArray> ShippedSet()
{
    QMap<QString, QByteArray> set;
    for (const char* name :
         {"SETUP1.EXE", "TOLVEX.EX_", "KELPA.AV_", "COMCT232.OC_", "README.HTM", "KELPA(E).HT_",
          "LICENSE.HT_", "LIESMICH.HTM", "KELPA(D).HT_", "LIZENZ.HT_", "KELPA.PNG"})
        set.insert(QLatin1String(name), QByteArray("contents of ") + name);
    return set;
}

inline bool WriteBytes(const QString& linuxPath, const QByteArray& bytes)
{
    return filetest::writeBytes(linuxPath, bytes);
}

inline QByteArray ReadBytes(const QString& linuxPath)
{
    return filetest::readBytes(linuxPath);
}

inline QString Home()
{
    return filetest::home();
}

inline QString Applications()
{
    return qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/applications");
}

// The folder of system files the installer may copy to.
inline QString SystemFolder()
{
    return qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/kelpa/system");
}

// Empties the home but for the test's own folders, makes the folder "shipped"
// holding the fake set (less the names in leaveOut) and enters it.
inline QString EnterShippedSet(const QStringList& leaveOut = {})
{
    const QString shipped = Home() + QStringLiteral("/shipped");
    for (const QString& name :
         QDir(Home()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
        if (!name.startsWith(QLatin1String("work-")) && name != QLatin1String("runtime"))
            QDir(Home() + QLatin1Char('/') + name).removeRecursively();
    }
    QDir().mkpath(Applications());
    QDir().mkpath(shipped);
    const QMap<QString, QByteArray> set = ShippedSet();
    for (auto it = set.cbegin(); it != set.cend(); ++it) {
        if (!leaveOut.contains(it.key()))
            WriteBytes(shipped + QLatin1Char('/') + it.key(), it.value());
    }
    QDir::setCurrent(shipped);
    return shipped;
}

inline bool IsExecutable(const QString& linuxPath)
{
    return QFileInfo(linuxPath).isExecutable();
}

// The group's entry of item as key/value lines; empty when missing.
inline QMap<QString, QString> Entry(const QString& item)
{
    QMap<QString, QString> values;
    QFile file(Applications() + QStringLiteral("/Kelpa/") + item + QStringLiteral(".desktop"));
    if (!file.open(QIODevice::ReadOnly))
        return values;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (equals > 0)
            values.insert(QString::fromUtf8(line.left(equals)),
                          QString::fromUtf8(line.mid(equals + 1)));
    }
    return values;
}

inline QStringList GroupEntries()
{
    return QDir(Applications() + QStringLiteral("/Kelpa")).entryList(QDir::Files, QDir::Name);
}

} // namespace setuptest
