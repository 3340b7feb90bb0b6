#include "tests/support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtGlobal>

#include <cstdio>

namespace testsupport {

namespace {

bool makeFolder(const QString& path, bool privateOnly)
{
    if (path.isEmpty() || !QDir().mkpath(path))
        return false;
    if (privateOnly)
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return true;
}

} // namespace

bool prepareTestHome()
{
    const QString home = qEnvironmentVariable("HOME");
    // Only a home inside a build tree's testhome folder may be emptied.
    if (!home.contains(QLatin1String("/testhome/"))) {
        std::fprintf(stderr, "HOME is not a test home; run the tests through ctest\n");
        return false;
    }
    QDir(home).removeRecursively();
    if (!makeFolder(home, false) || !makeFolder(qEnvironmentVariable("XDG_DATA_HOME"), false) ||
        !makeFolder(qEnvironmentVariable("XDG_RUNTIME_DIR"), true))
        return false;
    // Kept for the life of the process; removed with the home on the next run.
    static QTemporaryDir work(home + QLatin1String("/work-XXXXXX"));
    return work.isValid() && QDir::setCurrent(work.path());
}

} // namespace testsupport
