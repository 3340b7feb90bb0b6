// Del in the file list moves the highlighted file to the test's own trash,
// counts the list again and highlights the entry now in its place, in view;
// the file being received, the lock file, a file the program holds open and
// a file the trash refuses stay where they are, highlighted again; a name
// that would name another file is not listed.

#include "preview/DirectoryList.h"
#include "tests/preview/PreviewFixture.h"
#include "tests/support/TestMain.h"

#include <QDir>
#include <QFile>

using namespace testsupport;
using namespace KELPA;

namespace {

QString TrashFolder()
{
    return qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/Trash");
}

} // namespace

class TestPreviewTrash : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { StartOnce(); }
    void cleanup()
    {
        FormPreview::Instance().Unload();
        LastFile.clear();
    }
    void deleted_data();
    void deleted();
    void refused_data();
    void refused();
    void listedNamesOnly();
    void vanishedHighlightIsFollowed();
};

void TestPreviewTrash::deleted_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("highlighted");
    QTest::newRow("middle entry") << QStringList{"a1.txt", "b1.txt", "c1.txt"} << 1
                                  << QStringLiteral("c1.txt");
    QTest::newRow("last entry") << QStringList{"a2.txt", "b2.txt", "c2.txt"} << 2
                                << QStringLiteral("b2.txt");
    QTest::newRow("only entry") << QStringList{"only.txt"} << 0 << QString();
    QStringList many;
    for (int n = 100; n < 400; ++n)
        many.append(QStringLiteral("f%1.txt").arg(n));
    QTest::newRow("last of many") << many << 299 << QStringLiteral("f398.txt");
}

void TestPreviewTrash::deleted()
{
    QFETCH(QStringList, files);
    QFETCH(int, row);
    QList<std::pair<QString, QByteArray>> site;
    for (const QString& name : files)
        site.append({name, name.toLatin1()});
    PrepareSite(site);
    FormPreview& preview = FormPreview::Instance();
    preview.Show();
    preview.SelectFile(row);
    const QString name = files.at(row);
    const QString linuxPath = platform::ToLinuxPath(Directory + name);

    QTest::keyClick(preview.DateiListe, Qt::Key_Delete);

    QCOMPARE(ApiResult, int32_t(0));
    QVERIFY(!QFile::exists(linuxPath));
    QCOMPARE(ReadFile(TrashFolder() + "/files/" + name), name.toLatin1());
    const QByteArray info = ReadFile(TrashFolder() + "/info/" + name + ".trashinfo");
    QVERIFY2(info.contains("Path=" + QFile::encodeName(linuxPath)), info.constData());
    files.removeAt(row);
    QCOMPARE(Entries(preview), files);
    QCOMPARE(preview.Caption(),
             QStringLiteral("Preview (%1 Files, ").arg(files.size()) + Directory + ")");
    QTEST(preview.DateiListe->FileName(), "highlighted");
    QFETCH(QString, highlighted);
    QCOMPARE(PreviewImage, highlighted.isEmpty() ? Directory + name : Directory + highlighted);
    // The highlighted entry is in view.
    platform::DoEvents();
    FileList* list = preview.DateiListe;
    if (!highlighted.isEmpty())
        QVERIFY(list->viewport()->rect().contains(list->visualRect(list->currentIndex())));
}

// A name holding "\\" is not listed: joined to its folder it would name
// another file (here the victim two folders up). Del on every listed entry
// leaves both of them.
void TestPreviewTrash::listedNamesOnly()
{
    PrepareSite({{"victim.txt", "victim"}});
    QDir().mkpath(QStringLiteral("site/sub/deeper"));
    WriteFile(QStringLiteral("site/sub/x.txt"), "x");
    WriteFile(QStringLiteral("site/sub/a\\..\\..\\victim.txt"), "odd");
    QVERIFY(QDir().mkpath(QStringLiteral("site/sub/up\\..\\..")));
    FormPreview& preview = FormPreview::Instance();
    preview.Show();
    QCOMPARE(preview.VerzListe->SetPath(Directory + "sub"), 0);
    QStringList folders;
    for (int row = 0; row < preview.VerzListe->count(); ++row)
        folders.append(preview.VerzListe->item(row)->text().trimmed());
    QCOMPARE(folders.mid(folders.indexOf("sub") + 1), QStringList{"deeper"});
    while (preview.DateiListe->Count() > 0) {
        preview.SelectFile(0);
        QVERIFY(!PreviewImage.endsWith(QLatin1String("..\\victim.txt")));
        QTest::keyClick(preview.DateiListe, Qt::Key_Delete);
        QCOMPARE(ApiResult, int32_t(0));
    }
    QCOMPARE(ReadFile(QStringLiteral("site/victim.txt")), QByteArray("victim"));
    QCOMPARE(ReadFile(QStringLiteral("site/sub/a\\..\\..\\victim.txt")), QByteArray("odd"));
}

// Another program removes the highlighted file: the entry now in its row is
// highlighted and shown, so that Del takes nothing the user has not seen.
void TestPreviewTrash::vanishedHighlightIsFollowed()
{
    PrepareSite({{"a.txt", "a"}, {"b.txt", "b"}, {"c.txt", "c"}});
    FormPreview& preview = FormPreview::Instance();
    preview.Show();
    preview.SelectFile(1);
    QVERIFY(QFile::remove(QStringLiteral("site/b.txt")));
    preview.RefreshFileListNow();
    QCOMPARE(preview.DateiListe->FileName(), QStringLiteral("c.txt"));
    QCOMPARE(PreviewImage, Directory + "c.txt");
}

void TestPreviewTrash::refused_data()
{
    QTest::addColumn<QString>("why");
    QTest::newRow("the trash refuses") << QStringLiteral("hook");
    QTest::newRow("the file being received") << QStringLiteral("received");
    QTest::newRow("the lock file") << QStringLiteral("lock");
    QTest::newRow("a file held open") << QStringLiteral("open");
}

void TestPreviewTrash::refused()
{
    QFETCH(QString, why);
    PrepareSite({{"a.txt", "a"}, {"b.txt", "b"}, {"c.txt", "c"}});
    QString name = QStringLiteral("b.txt");
    int openNumber = 0;
    platform::FileOperationHook old;
    if (why == QLatin1String("hook")) {
        old = platform::SetFileOperationHook(
            [](int, const QString&, int) { return int(platform::FileOperationRefused); });
    } else if (why == QLatin1String("received")) {
        LastFile = Directory + name;
    } else if (why == QLatin1String("lock")) {
        // The program's own folder listed: its lock file is one entry.
        WriteFile(QStringLiteral("KELPA.TMP"), "");
        WriteFile(QStringLiteral("a.txt"), "");
        Directory = platform::CurDir() + QLatin1Char('\\');
        name = QStringLiteral("KELPA.TMP");
    } else {
        openNumber = platform::FreeFile();
        QCOMPARE(platform::Open(Directory + name, platform::OpenMode::Append, openNumber), 0);
    }
    FormPreview& preview = FormPreview::Instance();
    preview.Show();
    const int row = int(Entries(preview).indexOf(name));
    QVERIFY(row >= 0);
    preview.SelectFile(row);
    const QStringList before = Entries(preview);

    QTest::keyClick(preview.DateiListe, Qt::Key_Delete);

    if (why == QLatin1String("hook"))
        platform::SetFileOperationHook(old);
    if (openNumber != 0)
        platform::Close(openNumber);
    QVERIFY(ApiResult != 0);
    QVERIFY(platform::FileExists(Directory + name));
    QCOMPARE(Entries(preview), before);
    QCOMPARE(preview.DateiListe->FileName(), name);
    QCOMPARE(PreviewImage, Directory + name);
}

KELPA_TEST_MAIN(TestPreviewTrash)
#include "test_preview_trash.moc"
