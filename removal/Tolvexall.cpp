#include "removal/Tolvexall.h"

#include "platform/files/Files.h"
#include "platform/msgbox/MsgBox.h"
#include "platform/pump/Pump.h"
#include "platform/pump/Timer.h"
#include "platform/shell/ProgramGroup.h"
#include "setup/Installation.h"
#include "setup/ProgramGroupLink.h"

#include <QFileInfo>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace removal {

namespace {

const QString CrLf = QStringLiteral("\r\n");
const QString LockFile = QStringLiteral("KELPA.TMP");
const QString Program = QStringLiteral("KELPA.EXE");

// The flock on a kelpa's lock file, taken without emptying or creating it.
class HeldLock final {
public:
    explicit HeldLock(const QString& path)
    {
        const QString linuxPath = platform::ToLinuxPath(path);
        if (linuxPath.isEmpty())
            return;
        fd_ = ::open(QFile::encodeName(linuxPath).constData(), O_RDONLY | O_CLOEXEC);
        if (fd_ >= 0 && ::flock(fd_, LOCK_EX | LOCK_NB) != 0)
            heldByOther_ = errno == EWOULDBLOCK;
    }
    ~HeldLock()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    HeldLock(const HeldLock&) = delete;
    HeldLock& operator=(const HeldLock&) = delete;

    bool HeldByOther() const { return heldByOther_; }

private:
    int fd_ = -1;
    bool heldByOther_ = false;
};

bool Confirmed()
{
    if (platform::MsgBox(QStringLiteral("Welcome to the tolvexall program for Velkaro!") + CrLf +
                             CrLf + QStringLiteral("Do you want to continue?"),
                         4 + 256, Title) != platform::vbYes)
        return false;
    return platform::MsgBox(
               QStringLiteral("The tolvexall programm will remove Velkaro from your system!") +
                   CrLf + CrLf +
                   QStringLiteral("Press the OK button to perform the tolvexall. Press the Cancel "
                                  "button to exit the tolvexall."),
               1 + 48 + 256, Title) == platform::vbOK;
}

void Wait(int ms)
{
    platform::Timer timer;
    bool ticked = false;
    timer.setHandler([&ticked] { ticked = true; });
    timer.setInterval(ms);
    timer.setEnabled(true);
    while (!ticked)
        platform::WaitEvents(ms);
}

// Deletes the listed files; returns those that existed and are still there.
QStringList DeleteFiles(const QString& folder)
{
    const HeldLock lock(folder + QLatin1Char('\\') + LockFile);
    QStringList left;
    for (const QString& name : RemovedFiles()) {
        const QString path = folder + QLatin1Char('\\') + name;
        if (!platform::FileExists(path))
            continue;
        if (!lock.HeldByOther() || (name != LockFile && name != Program))
            platform::Kill(path);
        if (platform::FileExists(path))
            left.append(name);
    }
    return left;
}

void DeleteGroup()
{
    setup::ProgramGroupLink link;
    setup::OpenGroupLink(link);
    for (const char* command :
         {"[ReplaceItem(Kelpa)]", "[ReplaceItem(Readme)]", "[ReplaceItem(Liesmich)]",
          "[ReplaceItem(Help)]", "[ReplaceItem(Hilfe)]", "[ReplaceItem(Tolvexall)]",
          "[DeleteGroup(Kelpa)]"})
        link.LinkExecute(QLatin1String(command));
    setup::CloseGroupLink(link);
}

QString FinalPrompt(const QString& folder, const QStringList& left)
{
    if (left.isEmpty())
        return QStringLiteral("The program was successfully removed from your system.") + CrLf +
               CrLf + QStringLiteral("The directory '") + folder +
               QStringLiteral("' could not be deleted automatically. You can now delete it "
                              "manually.");
    return QStringLiteral("The program could not be removed completely. Still there: ") +
           left.join(QStringLiteral(", ")) + QLatin1Char('.') + CrLf + CrLf +
           QStringLiteral("Close Kelpa if it runs there and start the removal again.");
}

} // namespace

const QStringList& RemovedFiles()
{
    static const QStringList files = {
        "KELPA.EXE",  "README.HTM",   "LIESMICH.HTM", "KELPA(E).HTM", "KELPA(D).HTM", "LICENSE.HTM",
        "LIZENZ.HTM", "TEST.TSK",     "LINKS0.INP",   "LINKS1.INP",   "KELPA.LOG",    "KELPA.GOT",
        "KELPA.INP",  "COMPLETE.ENP", "KELPA.NOT",    "KELPA.BAK",    "KELPA.TMP",    "KELPA.INI"};
    return files;
}

void Tolvexall(const QString& folder, int waitMs)
{
    if (!Confirmed())
        return;
    Wait(waitMs);
    QStringList left = DeleteFiles(folder);
    DeleteGroup();
    const QString group = platform::ProgramGroupFolder(setup::GroupName);
    if (QFileInfo(group).isDir())
        left.append(platform::FromLinuxPath(group));
    platform::MsgBox(FinalPrompt(folder, left), 0, Title);
}

} // namespace removal
