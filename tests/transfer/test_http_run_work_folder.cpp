// A working folder that takes no more writes during a run: the lists, the
// log or the whole folder full. The run ends and says why, what the lists
// hold stays whole, and a completion once there is room again makes the
// site whole.

#include "tests/support/MsgBoxScript.h"
#include "tests/support/TestMain.h"
#include "tests/transfer/HttpRunFixture.h"

#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

using namespace testsupport;
using namespace KELPA;

namespace {

const SitePages WorkSite{{"/index.html", "<a href=\"a.html\">a</a> <a href=\"b.html\">b</a> "
                                         "<a href=\"c.html\">c</a>"},
                         {"/a.html", "<a href=\"d.html\">d</a>"},
                         {"/b.html", "<a href=\"x.html\">x</a> <a href=\"e.html\">e</a>"},
                         {"/c.html", "<a href=\"f.html\">f</a>"},
                         {"/d.html", "d"},
                         {"/e.html", "e"},
                         {"/f.html", "f"},
                         {"/x.html", "x"}};

// Set by a case: once the transfer of spoiledAt is under way, writes to the
// files named in full fail, or (full empty) the file system of the working
// folder is filled.
QString spoiledAt;
QStringList full;

void FillFileSystem()
{
    QFile filler(QStringLiteral("filler"));
    if (!filler.open(QIODevice::WriteOnly))
        return;
    const QByteArray block(4096, 'f');
    while (filler.write(block) == block.size() && filler.flush()) {
    }
}

bool SpoilWhenDue()
{
    if (spoiledAt.isEmpty() || !SavedLink.endsWith(spoiledAt))
        return false;
    spoiledAt.clear();
    if (full.isEmpty())
        FillFileSystem();
    else
        platform::FailWritesTo(full);
    return false;
}

// A small tmpfs mounted on folder for the life of the object, in a mount
// namespace of the test's own thread; empty why() when it could be had.
class SmallFileSystem final {
public:
    explicit SmallFileSystem(const QString& folder) : folder_(QFile::encodeName(folder))
    {
        static bool ownNamespace =
            ::unshare(CLONE_NEWNS) == 0 &&
            ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
        if (!ownNamespace)
            why_ = QStringLiteral("no mount namespace of its own (needs CAP_SYS_ADMIN): ") +
                   QString::fromLocal8Bit(std::strerror(errno));
        else if (::mount("tmpfs", folder_.constData(), "tmpfs", 0, "size=256k") != 0)
            why_ = QStringLiteral("tmpfs cannot be mounted: ") +
                   QString::fromLocal8Bit(std::strerror(errno));
        mounted_ = why_.isEmpty();
    }
    ~SmallFileSystem()
    {
        if (mounted_)
            ::umount2(folder_.constData(), MNT_DETACH);
    }
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;
    const QString& why() const { return why_; }

private:
    QByteArray folder_;
    QString why_;
    bool mounted_ = false;
};

// What the program writes to standard error while the object lives.
class StandardErrorCapture final {
public:
    StandardErrorCapture()
    {
        if (!file_.open())
            return;
        std::fflush(stderr);
        saved_ = ::dup(2);
        ::dup2(file_.handle(), 2);
    }
    ~StandardErrorCapture() { Text(); }
    StandardErrorCapture(const StandardErrorCapture&) = delete;
    StandardErrorCapture& operator=(const StandardErrorCapture&) = delete;
    QByteArray Text()
    {
        if (saved_ >= 0) {
            std::fflush(stderr);
            ::dup2(saved_, 2);
            ::close(saved_);
            saved_ = -1;
        }
        file_.seek(0);
        return file_.readAll();
    }

private:
    QTemporaryFile file_;
    int saved_ = -1;
};

// The URL lines of a work list; empty when the list is not whole records
// (a last line cut short, a URL without its name).
std::optional<QStringList> WholeRecords(const QString& name)
{
    const QByteArray bytes = ReadFile(name);
    if (bytes.isEmpty())
        return QStringList();
    const QList<QByteArray> lines = bytes.chopped(2).split('\n');
    if (!bytes.endsWith("\r\n") || lines.size() % 2 != 0)
        return std::nullopt;
    QStringList urls;
    for (qsizetype i = 0; i < lines.size(); i += 2)
        urls.append(QString::fromUtf8(lines.at(i)).trimmed());
    return urls;
}

// The pages of KELPA.GOT's records, sorted.
QStringList LoadedPages()
{
    QStringList pages;
    for (const QString& url : WholeRecords(QStringLiteral("KELPA.GOT")).value_or(QStringList()))
        pages.append(url.section(QLatin1Char('/'), -1));
    pages.sort();
    return pages;
}

} // namespace

class TestHttpRunWorkFolder : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        StartOnce();
        platform::AddYieldHook(SpoilWhenDue);
    }

    // A case that failed leaves no full disk behind.
    void cleanup()
    {
        platform::FailWritesTo({});
        spoiledAt.clear();
        CommandLine.clear();
        FormKelpa::Instance().CheckDauer->setChecked(false);
    }

    void aWorkingFolderThatTakesNoMoreEndsTheRun_data()
    {
        QTest::addColumn<QStringList>("fullFiles"); // none: the whole file system
        QTest::addColumn<QString>("at"); // the page under way when it fills (none: from the start)
        QTest::addColumn<QString>("told");       // the file the run names
        QTest::addColumn<QStringList>("loaded"); // KELPA.GOT after the run
        QTest::addColumn<bool>("fromTask");      // with a duration: the program ends
        const QStringList twoPages{"a.html", "index.html"};
        const QStringList fivePages{"a.html", "b.html", "c.html", "d.html", "index.html"};
        QTest::newRow("the log full") << QStringList{"KELPA.LOG"} << "b.html"
                                      << "KELPA.LOG" << twoPages << false;
        QTest::newRow("KELPA.GOT full") << QStringList{"KELPA.GOT"} << "b.html"
                                        << "KELPA.GOT" << twoPages << false;
        QTest::newRow("a level list full") << QStringList{"LINKS0.INP", "LINKS1.INP"} << "b.html"
                                           << "LINKS1.INP" << twoPages << false;
        QTest::newRow("the first level list full")
            << QStringList{"LINKS0.INP"} << QString() << "LINKS0.INP" << QStringList() << false;
        QTest::newRow("KELPA.NOT full") << QStringList{"KELPA.NOT"} << "b.html"
                                        << "KELPA.NOT" << fivePages << false;
        QTest::newRow("a task with the log full") << QStringList{"KELPA.LOG"} << "b.html"
                                                  << "KELPA.LOG" << twoPages << true;
        QTest::newRow("a full file system") << QStringList() << "d.html"
                                            << "KELPA.NOT" << fivePages << false;
    }

    // The run ends after the transfer under way and says why: in a box, or
    // on standard error with a failing exit status for a task. The lists hold
    // whole records, KELPA.GOT only files whose links are listed; the totals
    // count what reached the disk. With room again, a completion fetches
    // exactly what is missing.
    void aWorkingFolderThatTakesNoMoreEndsTheRun()
    {
        QFETCH(QStringList, fullFiles);
        QFETCH(QString, at);
        QFETCH(QString, told);
        QFETCH(QStringList, loaded);
        QFETCH(bool, fromTask);
        HttpTestServer server;
        ServeSite(server, WorkSite);
        server.setAnswer("/x.html", HttpAnswer::error("HTTP/1.0 500 Error", "<html>later"));
        PrepareRun(QString::fromLatin1("http://" + server.url("/index.html")), 0);
        const QString base = QDir::currentPath();
        const QString site = base + QStringLiteral("/site");
        Directory = platform::FromLinuxPath(site);
        QDir().mkdir(QStringLiteral("work"));
        std::optional<SmallFileSystem> small;
        if (fullFiles.isEmpty()) {
            small.emplace(base + QStringLiteral("/work"));
            if (!small->why().isEmpty())
                QSKIP(qPrintable(small->why()));
        }
        platform::ChDir(platform::FromLinuxPath(base + QStringLiteral("/work")));
        FormKelpa& form = FormKelpa::Instance();
        form.CheckDauer->setChecked(fromTask);
        if (fromTask)
            CommandLine = QStringLiteral("night.tsk");
        spoiledAt = at;
        full = fullFiles;
        if (at.isEmpty())
            platform::FailWritesTo(full);

        const QStringList problem{LanguageText[472], platform::CurDir() + '\\',
                                  told + QStringLiteral(": ") + LanguageText[447]};
        MsgBoxScript boxes;
        if (!fromTask)
            boxes.expect(problem.join("\r\n") + "\r\n\r\n" + LanguageText[471], platform::vbOK)
                .withStyle(platform::vbCritical)
                .withTitle(QStringLiteral("Kelpa"));
        int exitStatus = -1;
        QByteArray standardErrorText;
        {
            StandardErrorCapture standardError;
            platform::clearProgramEnded();
            try {
                form.CommandStart_Click();
            } catch (const platform::ProgramEnded& ended) {
                exitStatus = ended.exitCode;
            }
            standardErrorText = standardError.Text();
        }
        CommandLine.clear();
        form.CheckDauer->setChecked(false);
        KELPA_VERIFY_MSGBOXES(boxes);
        QCOMPARE(exitStatus, fromTask ? 1 : -1);
        QCOMPARE(standardErrorText.contains(problem.join(' ').toUtf8()), fromTask);
        if (!fromTask)
            QCOMPARE(FormHTTP::Instance().Caption(), problem.join(' '));

        for (const char* list : {"KELPA.GOT", "KELPA.NOT", "LINKS0.INP", "LINKS1.INP"})
            QVERIFY2(WholeRecords(QLatin1String(list)), list);
        QVERIFY(Log().isEmpty() || Log().endsWith("\r\n"));
        QCOMPARE(LoadedPages(), loaded);
        QCOMPARE(BytesKept, SavedBytes(site));
        QVERIFY(form.OptionContinue->isChecked());

        // Room again: the completion fetches the rest, nothing twice. After
        // a task the program has ended: its next start is told to complete.
        platform::FailWritesTo({});
        QFile::remove(QStringLiteral("filler"));
        if (fromTask) {
            form.OptionNew->setChecked(true);
            form.OptionContinue->setChecked(true);
        }
        const qsizetype before = Targets(server).size();
        server.setAnswer("/x.html", HttpAnswer::page("x"));
        MsgBoxScript none;
        QVERIFY(!StartRun());
        KELPA_VERIFY_MSGBOXES(none);
        QStringList fetched;
        for (const QByteArray& target : Targets(server).mid(before))
            fetched.append(QString::fromLatin1(target.mid(1)));
        fetched.sort();
        QStringList missing;
        for (const auto& [path, body] : WorkSite)
            if (!loaded.contains(QString::fromLatin1(path.mid(1))))
                missing.append(QString::fromLatin1(path.mid(1)));
        missing.sort();
        QCOMPARE(fetched, missing);
        for (const auto& [path, body] : WorkSite)
            QVERIFY2(ReadFile(site + QString::fromLatin1(path)) == body, path.constData());
        QCOMPARE(LoadedPages().size(), WorkSite.size());
        QCOMPARE(ReadFile(QStringLiteral("KELPA.NOT")), QByteArray());
        platform::ChDir(platform::FromLinuxPath(base));
    }
};

KELPA_TEST_MAIN(TestHttpRunWorkFolder)
#include "test_http_run_work_folder.moc"
