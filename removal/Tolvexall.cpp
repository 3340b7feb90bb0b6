#include "removal/Tolvexall.h"

#include "platform/files/Files.h"
#include "platform/msgbox/MsgBox.h"
#include "platform/pump/Pump.h"
#include "platform/pump/Timer.h"
#include "platform/shell/ProgramGroup.h"
#include "setup/Installation.h"
#include "setup/ProgramGroupLink.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

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
                         platform::vbYesNo | platform::vbDefaultButton2, Title) != platform::vbYes)
        return false;
    return platform::MsgBox(
               QStringLiteral("The tolvexall programm will remove Velkaro from your system!") +
                   CrLf + CrLf +
                   QStringLiteral("Press the OK button to perform the tolvexall. Press the Cancel "
                                  "button to exit the tolvexall."),
               platform::vbOKCancel | platform::vbExclamation | platform::vbDefaultButton2,
               Title) == platform::vbOK;
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
QList<Leftover> DeleteFiles(const QString& folder)
{
    const HeldLock lock(folder + QLatin1Char('\\') + LockFile);
    QList<Leftover> left;
    for (const QString& name : RemovedFiles()) {
        const QString path = folder + QLatin1Char('\\') + name;
        if (!platform::FileExists(path))
            continue;
        const bool inUse = lock.HeldByOther() && (name == LockFile || name == Program);
        const int error = inUse ? InUse : platform::Kill(path);
        if (platform::FileExists(path))
            left.append(
                {name, error ? setup::VolumeError(path, error) : platform::ErrPathFileAccess});
    }
    return left;
}

// The group's entries that the removal deletes, each with the file it starts.
struct GroupEntry {
    const char* item;
    const char* file;
};
constexpr GroupEntry Entries[] = {{"Kelpa", "KELPA.EXE"},       {"Readme", "README.HTM"},
                                  {"Liesmich", "LIESMICH.HTM"}, {"Help", "KELPA(E).HTM"},
                                  {"Hilfe", "KELPA(D).HTM"},    {"License", "LICENSE.HTM"},
                                  {"Lizenz", "LIZENZ.HTM"}};

QString SamePathForm(const QString& linuxPath)
{
    const QString canonical = QFileInfo(linuxPath).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(linuxPath) : canonical;
}

// An entry that starts a program in another folder than folder belongs to
// another installation of the program, which shares the group.
bool OfAnotherInstallation(const QString& item, const QString& folder)
{
    const QString start = platform::ProgramItemFolder(setup::GroupName, item);
    return !start.isEmpty() && SamePathForm(start) != SamePathForm(platform::ToLinuxPath(folder));
}

// Deletes this installation's entries whose file is gone; with nothing left,
// Tolvexall's entry too, and the group when no other installation's entries
// are in it. True when an entry it would have deleted belongs to another
// installation, which then keeps the group. The item commands act on the
// group that the conversation names first.
bool DeleteGroup(const QString& folder, const QList<Leftover>& left)
{
    const auto isLeft = [&left](const QString& name) {
        return std::any_of(left.cbegin(), left.cend(),
                           [&name](const Leftover& file) { return file.Name == name; });
    };
    bool others = false;
    setup::ProgramGroupLink link;
    setup::OpenGroupLink(link);
    // Deletes item unless another installation made it.
    const auto deleteItem = [&](const QString& item) {
        if (OfAnotherInstallation(item, folder))
            others = true;
        else
            link.LinkExecute(QStringLiteral("[ReplaceItem(%1)]").arg(item));
    };
    link.LinkExecute(QStringLiteral("[ShowGroup(") + setup::GroupName + QStringLiteral(", 1)]"));
    for (const GroupEntry& entry : Entries) {
        if (!isLeft(QLatin1String(entry.file)))
            deleteItem(QLatin1String(entry.item));
    }
    if (left.isEmpty()) {
        deleteItem(QStringLiteral("Tolvexall"));
        if (!others)
            link.LinkExecute(QStringLiteral("[DeleteGroup(") + setup::GroupName +
                             QStringLiteral(")]"));
    }
    setup::CloseGroupLink(link);
    return others;
}

QString Cause(int error)
{
    switch (error) {
    case InUse:
        return QStringLiteral("In use by the Kelpa running there");
    case platform::ErrPermissionDenied:
        return QStringLiteral("No permission to delete");
    default:
        return QStringLiteral("Not deleted (error %1)").arg(error);
    }
}

} // namespace

QString FinalPrompt(const QString& folder, const QList<Leftover>& left, const QString& group)
{
    if (left.isEmpty() && group.isEmpty())
        return QStringLiteral("The program was successfully removed from your system.") + CrLf +
               CrLf + QStringLiteral("The directory '") + folder +
               QStringLiteral("' could not be deleted automatically. You can now delete it "
                              "manually.");
    QStringList causes;
    QList<QStringList> names;
    bool inUse = false;
    for (const Leftover& file : left) {
        const QString cause = Cause(file.Error);
        if (!causes.contains(cause)) {
            causes.append(cause);
            names.append(QStringList());
        }
        names[causes.indexOf(cause)].append(file.Name);
        inUse = inUse || file.Error == InUse;
    }
    QString prompt = QStringLiteral("The program could not be removed completely.") + CrLf;
    for (qsizetype i = 0; i < causes.size(); ++i)
        prompt += CrLf + causes.at(i) + QStringLiteral(": ") +
                  names.at(i).join(QStringLiteral(", ")) + QLatin1Char('.');
    if (!group.isEmpty())
        prompt += CrLf + QStringLiteral("Could not be deleted: ") + group + QLatin1Char('.');
    return prompt + CrLf + CrLf +
           (inUse ? QStringLiteral("Close Kelpa, then start the removal again.")
                  : QStringLiteral("Start the removal again once they can be deleted."));
}

const QStringList& RemovedFiles()
{
    static const QStringList files = {
        "KELPA.EXE",   "README.HTM", "LIESMICH.HTM", "KELPA(E).HTM", "KELPA(D).HTM",
        "LICENSE.HTM", "LIZENZ.HTM", "TEST.TSK",     "LINKS0.INP",   "LINKS1.INP",
        "KELPA.LOG",   "KELPA.GOT",  "KELPA.INP",    "COMPLETE.ENP", "KELPA.NOT",
        "KELPA.BAK",   "KELPA.TMP",  "KELPA.INI",    "KELPA.PNG"};
    return files;
}

void Tolvexall(const QString& folder, int waitMs)
{
    if (!Confirmed())
        return;
    Wait(waitMs);
    const QList<Leftover> left = DeleteFiles(folder);
    const bool othersInGroup = DeleteGroup(folder, left);
    const QString group = platform::ProgramGroupFolder(setup::GroupName);
    const bool groupLeft = left.isEmpty() && !othersInGroup && QFileInfo(group).isDir();
    platform::MsgBox(
        FinalPrompt(folder, left, groupLeft ? platform::FromLinuxPath(group) : QString()),
        platform::vbOKOnly, Title);
}

} // namespace removal
