// The preview windows during a run from the loopback server: the automatic
// preview shows each file once it is saved, a ticked OnClick leaves the file
// being received to a click, the saved files do not depend on the preview, the user's highlight
// survives the run's refreshes, and the window on top follows the main
// window's minimising.

#include "tests/preview/PreviewFixture.h"
#include "tests/support/TestMain.h"
#include "tests/transfer/HttpRunFixture.h"

#include <QTimer>

using namespace testsupport;
using namespace KELPA;

namespace {

constexpr QSize PictureSize(400, 300);

// index.html -> pic.png, page.html; both answers arrive in parts with pauses.
void ServePreviewSite(HttpTestServer& server, const QByteArray& picture)
{
    HttpAnswer index = HttpAnswer::page("<html><body><a href=\"page.html\">p</a>"
                                        "<img src=\"pic.png\"></body></html>");
    server.setAnswer("/index.html", index);
    HttpAnswer png = HttpAnswer::page(picture, "image/png");
    png.writes = {int(png.bytes().size() - picture.size() / 2)};
    png.pauseMs = 400;
    server.setAnswer("/pic.png", png);
    QByteArray page = "<html><body>\r\n<h1>Hello &amp; welcome</h1>\r\n";
    for (int n = 0; n < 200; ++n)
        page += "<p>line " + QByteArray::number(n) + "</p>\r\n";
    HttpAnswer html = HttpAnswer::page(page + "</body></html>\r\n");
    html.writes = {int(html.bytes().size() - page.size() / 2)};
    html.pauseMs = 400;
    server.setAnswer("/page.html", html);
}

QString StartUrl(const HttpTestServer& server)
{
    return QString::fromLatin1("http://" + server.url("/index.html"));
}

// A run from the server's index into "site", the download directory
// prepared; returns the picture served.
QByteArray PrepareSiteRun(HttpTestServer& server)
{
    const QByteArray picture = Picture(PictureSize.width(), PictureSize.height(), "PNG");
    ServePreviewSite(server, picture);
    PrepareRun(StartUrl(server), 0);
    Timeout = 10;
    FormKelpa::Instance().CacheVerzeichnis();
    return picture;
}

QMap<QString, QByteArray> SavedFiles()
{
    QMap<QString, QByteArray> files;
    for (const QString& path : SavedTree())
        files.insert(path, ReadFile(QStringLiteral("site/") + path));
    return files;
}

// Samples the window every few milliseconds while the run yields.
struct Sampler {
    explicit Sampler(std::function<void()> sample)
    {
        timer.setInterval(5);
        QObject::connect(&timer, &QTimer::timeout, sample);
        timer.start();
    }
    QTimer timer;
};

} // namespace

class TestPreviewRun : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { StartOnce(); }
    void cleanup() { UnloadPreviews(); }
    void follows_data();
    void follows();
    void onClick();
    void savedFilesAlike();
    void highlightSurvives();
    void topFollowsMinimising();
};

void TestPreviewRun::follows_data()
{
    QTest::addColumn<int>("window");
    QTest::newRow("preview") << 0;
    QTest::newRow("preview on top") << 1;
}

// Unticked OnClick: the picture and the page are shown once saved.
void TestPreviewRun::follows()
{
    QFETCH(int, window);
    HttpTestServer server;
    const QByteArray picture = PrepareSiteRun(server);
    PreviewWindow& preview = window == 0 ? static_cast<PreviewWindow&>(FormPreview::Instance())
                                         : FormPreviewTop::Instance();
    preview.Show();
    preview.CheckOnClick->setChecked(false);
    bool sawPicture = false;
    bool sawPage = false;
    // Nothing but the transfer previews during the run (no click, and the
    // list's refreshes preview nothing).
    const auto sample = [&] {
        if (PreviewImage.endsWith(QLatin1String("pic.png")) && preview.ImagePreview->HasPicture() &&
            preview.ImagePreview->Natural() == PictureSize)
            sawPicture = true;
        if (PreviewImage.endsWith(QLatin1String("page.html")) &&
            TextLines(preview).contains(QStringLiteral("Hello  welcome")))
            sawPage = true;
    };
    Sampler sampler(sample);

    QVERIFY(!StartRun());
    // The last file's final preview may follow a moment later: on a loaded
    // machine more than one paced refresh later.
    QVERIFY(QTest::qWaitFor(
        [&] {
            sample();
            return sawPicture;
        },
        5000));
    QVERIFY(sawPage);
    QCOMPARE(ReadFile(QStringLiteral("site/pic.png")), picture);
    QCOMPARE(preview.FileCount(), 3);
}

// Ticked OnClick: nothing is shown while a file arrives but on a click,
// which shows the file being received.
void TestPreviewRun::onClick()
{
    HttpTestServer server;
    const QByteArray picture = PrepareSiteRun(server);
    FormPreview& preview = FormPreview::Instance();
    preview.Show();
    QVERIFY(preview.CheckOnClick->isChecked());
    bool shownUnasked = false;
    bool clicked = false;
    QString shownOnClick;
    Sampler sampler([&] {
        const bool arriving =
            !LastFile.isEmpty() && BytesReceived > 0 &&
            BytesReceived < (LastFile.endsWith(QLatin1String("pic.png")) ? picture.size() : 1000);
        if (!arriving || !LastFile.endsWith(QLatin1String("pic.png")))
            return;
        if (!clicked && PreviewImage == LastFile)
            shownUnasked = true;
        if (!clicked) {
            clicked = true;
            QTest::mouseClick(preview.ImagePreview, Qt::LeftButton);
            shownOnClick = PreviewImage;
        }
    });

    QVERIFY(!StartRun());

    QVERIFY(clicked);
    QVERIFY(!shownUnasked);
    QCOMPARE(shownOnClick, Directory + "pic.png");
}

// The same run with the preview open and closed saves the same bytes.
void TestPreviewRun::savedFilesAlike()
{
    QMap<QString, QByteArray> saved[2];
    for (int open = 0; open < 2; ++open) {
        HttpTestServer server;
        ServePreviewSite(server, Picture(300, 200, "PNG"));
        PrepareRun(StartUrl(server), 0);
        Timeout = 10;
        if (open == 1) {
            FormKelpa::Instance().CacheVerzeichnis();
            FormPreview::Instance().Show();
            FormPreview::Instance().CheckOnClick->setChecked(false);
        }
        QVERIFY(!StartRun());
        saved[open] = SavedFiles();
        FormPreview::Instance().Unload();
    }
    QCOMPARE(saved[0].keys(), (QStringList{"index.html", "page.html", "pic.png"}));
    QVERIFY(saved[0] == saved[1]);
}

// The run refreshes the list after every file; the entry the user
// highlighted stays highlighted and is not previewed anew.
void TestPreviewRun::highlightSurvives()
{
    HttpTestServer server;
    ServePreviewSite(server, Picture(60, 40, "PNG"));
    PrepareRun(StartUrl(server), 0);
    Timeout = 10;
    FormKelpa::Instance().CacheVerzeichnis();
    for (const char* name : {"aaa.txt", "zzz.txt"})
        WriteFile(QStringLiteral("site/") + QLatin1String(name), "x");
    FormPreview& preview = FormPreview::Instance();
    preview.Show();
    preview.SelectFile(1);
    QCOMPARE(preview.DateiListe->FileName(), QStringLiteral("zzz.txt"));
    int reselected = 0;
    QObject::connect(preview.DateiListe, &FileList::Click, [&] { ++reselected; });

    QVERIFY(!StartRun());
    platform::WaitEvents(1100); // a refresh put off during the run follows
    platform::DoEvents();

    QCOMPARE(preview.FileCount(), 5);
    QCOMPARE(preview.DateiListe->FileName(), QStringLiteral("zzz.txt"));
    QCOMPARE(reselected, 0);
}

// Minimised, the main window leaves the window on top reduced, under the
// user's title; restored, the normal layout and the list caption return.
void TestPreviewRun::topFollowsMinimising()
{
    PrepareSite({{"a.txt", "a"}});
    UserTitle = QStringLiteral("My sites");
    FormKelpa& main = FormKelpa::Instance();
    main.show();
    FormPreviewTop& preview = FormPreviewTop::Instance();
    preview.Show();
    main.setWindowState(Qt::WindowMinimized);
    platform::DoEvents();
    QVERIFY(preview.Frame1->isHidden());
    QVERIFY(preview.DateiListe->isHidden());
    QCOMPARE(preview.Caption(), UserTitle);
    QCOMPARE(PreviewTopOpen, int16_t(1));
    main.setWindowState(Qt::WindowNoState);
    platform::DoEvents();
    QVERIFY(!preview.Frame1->isHidden());
    QVERIFY(!preview.DateiListe->isHidden());
    QCOMPARE(preview.Caption(), preview.ListCaption());
    UserTitle.clear();
}

KELPA_TEST_MAIN(TestPreviewRun)
#include "test_preview_run.moc"
