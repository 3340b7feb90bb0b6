// The preview windows opened on a download directory: placement from the
// stored position, the list and its caption, what each kind of file shows,
// previews that overtake each other, the layout for a size and the keys and
// double clicks that open files.

#include "preview/DirectoryList.h"
#include "preview/PreviewGeometry.h"
#include "tests/preview/PngFile.h"
#include "tests/preview/PreviewFixture.h"
#include "tests/support/CaptionFit.h"
#include "tests/support/TestMain.h"
#include "texts/Sprache.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QScopeGuard>
#include <QTimer>
#include <QUrl>

#include <functional>

using namespace testsupport;
using namespace KELPA;

namespace {

PreviewWindow& Window(int which)
{
    if (which == 0)
        return FormPreview::Instance();
    return FormPreviewTop::Instance();
}

// A PNG header claiming 100000 x 100000 pixels, with no picture data.
QByteArray HugePngHeader()
{
    const QByteArray header =
        BigEndian32(100000) + BigEndian32(100000) + QByteArray("\x08\x02\x00\x00\x00", 5);
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + PngChunk("IHDR", header) + QByteArray(200, '\0');
}

// A GIF of one pixel (the base readers decode GIF but cannot write it).
QByteArray Gif()
{
    return QByteArray("GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00!\xf9\x04"
                      "\x01\x00\x00\x00\x00,\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02D\x01\x00;",
                      43);
}

QByteArray NumberedLines(int count)
{
    QByteArray bytes;
    for (int n = 1; n <= count; ++n)
        bytes += "line " + QByteArray::number(n) + "\r\n";
    return bytes;
}

// Records the local files the desktop is asked to open, while it lives.
class OpenedFiles final : public QObject {
    Q_OBJECT
public:
    OpenedFiles() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open"); }
    ~OpenedFiles() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    QStringList paths;

public Q_SLOTS:
    void open(const QUrl& url) { paths.append(url.toLocalFile()); }
};

} // namespace

class TestPreviewWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { StartOnce(); }
    void cleanup()
    {
        UnloadPreviews();
        Running = 0;
        AbortTransfer = 0;
        WindowState = 0;
    }
    void storedPosition_data();
    void storedPosition();
    void maximisedKeepsPosition();
    void missingDirectory();
    void captionCountsTheFolderShown();
    void newFolderShows_data();
    void newFolderShows();
    void longFolderNameInView();
    void hostFoldersWhole_data();
    void hostFoldersWhole();
    void lineBreakInNames();
    void firstFile_data();
    void firstFile();
    void content_data();
    void content();
    void deepPngAboveTheLimit();
    void missingFileLeavesLabel();
    void labelHoldsWidestLine_data();
    void labelHoldsWidestLine();
    void leftOverAbortWhileIdle();
    void finishedFileWithOnClick_data();
    void finishedFileWithOnClick();
    void newerPreviewEndsOlder_data();
    void newerPreviewEndsOlder();
    void reducedLayout();
    void naturalSize_data();
    void naturalSize();
    void minimumSize();
    void alignBelowTransfer_data();
    void alignBelowTransfer();
    void snapOnF6_data();
    void snapOnF6();
    void opening();
    void doubleClickOpensTheEntry();
    void f12Hides();
};

void TestPreviewWindow::storedPosition_data()
{
    QTest::addColumn<int>("window");
    QTest::addColumn<QString>("position");
    QTest::addColumn<QString>("stored");
    QTest::newRow("preview: taken")
        << 0 << QStringLiteral("150,4500,300,3000") << QStringLiteral("150,4500,300,3000");
    QTest::newRow("preview: left negative, too wide")
        << 0 << QStringLiteral("-15,99999,10,3000") << QStringLiteral("0,4600,10,3000");
    QTest::newRow("top: small height taken")
        << 1 << QStringLiteral("-15,99999,10,200") << QStringLiteral("0,4600,10,200");
    QTest::newRow("top: off the screen")
        << 1 << QStringLiteral("0,4000,99999,99999") << QStringLiteral("0,4000,0,4200");
}

// The position is applied and what the window really got is stored back.
void TestPreviewWindow::storedPosition()
{
    QFETCH(int, window);
    QFETCH(QString, position);
    PrepareSite({});
    QFETCH(QString, stored);
    QString& position_ = window == 0 ? PositionPreview : PositionPreviewTop;
    position_ = position;
    PreviewWindow& preview = Window(window);
    preview.Load();
    // The window reads back the twips it was given, not the pixels they became.
    QCOMPARE(position_, stored);
    // The unload stores the place the window has then (raised to its
    // minimum size, if need be).
    const QString now = QStringLiteral("%1,%2,%3,%4")
                            .arg(preview.Left())
                            .arg(preview.Width())
                            .arg(preview.Top())
                            .arg(preview.Height());
    preview.Unload();
    QCOMPARE(position_, now);
}

// Maximised, the window opens without the position and leaves it alone.
void TestPreviewWindow::maximisedKeepsPosition()
{
    PrepareSite({});
    WindowState = 2;
    PositionPreview = QStringLiteral("15,3000,30,2000");
    FormPreview& preview = FormPreview::Instance();
    preview.Show();
    QCOMPARE(preview.WindowState(), 2);
    preview.Unload();
    QCOMPARE(PositionPreview, QStringLiteral("15,3000,30,2000"));
}

void TestPreviewWindow::missingDirectory()
{
    PrepareSite({});
    Directory = platform::CurDir() + QStringLiteral("\\gone\\");
    FormPreview& preview = FormPreview::Instance();
    preview.Load();
    QVERIFY(preview.DateiListe->isHidden());
    QCOMPARE(preview.Caption(), QStringLiteral("Preview (0 Files, ") + Directory + ")");
    preview.VerzListe_Click();
    QVERIFY(!preview.DateiListe->isHidden());
}

// Moving to another folder in the directory list, the caption names and
// counts that folder; back in the directory, the directory again.
void TestPreviewWindow::captionCountsTheFolderShown()
{
    PrepareSite({{"a.txt", "a"}, {"b.txt", "b"}, {"c.txt", "c"}});
    QVERIFY(QDir().mkdir(QStringLiteral("site/host")));
    WriteFile(QStringLiteral("site/host/d.txt"), "d");
    FormPreview& preview = FormPreview::Instance();
    preview.Load();
    QCOMPARE(preview.Caption(), QStringLiteral("Preview (3 Files, ") + Directory + ")");
    QCOMPARE(preview.VerzListe->SetPath(Directory + "host"), 0);
    QCOMPARE(preview.Caption(), QStringLiteral("Preview (1 Files, ") + Directory + "host\\)");
    QCOMPARE(preview.VerzListe->SetPath(Directory), 0);
    QCOMPARE(preview.Caption(), QStringLiteral("Preview (3 Files, ") + Directory + ")");
}

void TestPreviewWindow::newFolderShows_data()
{
    QTest::addColumn<int>("how");
    QTest::newRow("refresh when idle") << 0;
    QTest::newRow("refresh now") << 1;
    QTest::newRow("made while idle, nothing asked") << 2;
    QTest::newRow("window opened again") << 3;
}

// A run, or another program, makes a folder below the directory after the
// list pointed there: a refresh lists it, so does the list by itself while
// the program is idle, and so does opening the window again. While the
// window stays open, the entry the user highlighted stays.
void TestPreviewWindow::newFolderShows()
{
    QFETCH(int, how);
    PrepareSite({{"a.txt", "ay\r\n"}});
    FormPreview& preview = FormPreview::Instance();
    preview.Load();
    const QString listed = preview.VerzListe->Path();
    const int rows = preview.VerzListe->count();
    preview.VerzListe->setCurrentRow(0);
    QVERIFY(QDir().mkdir(QStringLiteral("site/127.0.0.1_8080")));
    if (how == 0) {
        preview.RefreshFileList();
    } else if (how == 1) {
        preview.RefreshFileListNow();
    } else if (how == 3) {
        preview.Unload();
        preview.Load();
        QCOMPARE(preview.VerzListe->count(), rows + 1);
    }
    QTRY_COMPARE(preview.VerzListe->count(), rows + 1);
    QCOMPARE(preview.VerzListe->item(rows)->text().trimmed(), QStringLiteral("127.0.0.1_8080"));
    QCOMPARE(preview.VerzListe->currentRow(), how == 3 ? rows - 1 : 0);
    QCOMPARE(preview.VerzListe->Path(), listed);
    QCOMPARE(preview.DateiListe->Count(), 1);
}

// A folder name wider than the list takes no scroll bar from its small
// height: the directory's one subfolder, the last row, is in view.
void TestPreviewWindow::longFolderNameInView()
{
    PrepareSite({});
    QVERIFY(QDir().mkdir(QStringLiteral("site/www.example.com_a_name_wider_than_the_list")));
    FormPreview& preview = FormPreview::Instance();
    preview.Show();
    platform::DoEvents();
    DirectoryList* folders = preview.VerzListe;
    const QRect last = folders->visualRect(folders->model()->index(folders->count() - 1, 0));
    QVERIFY2(last.top() >= 0 && last.bottom() < folders->viewport()->height(),
             qPrintable(
                 QStringLiteral("%1 of %2").arg(last.bottom()).arg(folders->viewport()->height())));
}

void TestPreviewWindow::hostFoldersWhole_data()
{
    LanguageRows();
}

// At the default size, host folders below the directory show their names
// whole in the folder list, and the captions are whole too.
void TestPreviewWindow::hostFoldersWhole()
{
    QFETCH(QString, language);
    TexteLaden(language);
    const auto english = qScopeGuard([] { TexteLaden(QStringLiteral("english")); });
    PrepareSite({{"a.png", Picture(900, 700, "PNG")}});
    for (const char* host :
         {"127.0.0.1_34567", "www.example.org", "192.168.1.20_8080", "www.example.net"})
        QVERIFY(QDir().mkdir(QStringLiteral("site/") + host));
    PositionPreview = QStringLiteral("0,5900,0,4200");
    FormPreview& preview = FormPreview::Instance();
    preview.Show();
    platform::DoEvents();
    DirectoryList* folders = preview.VerzListe;
    QCOMPARE(folders->count() - folders->currentRow() - 1, 4);
    for (int row = folders->currentRow() + 1; row < folders->count(); ++row) {
        const int needed = folders->sizeHintForIndex(folders->model()->index(row, 0)).width();
        QVERIFY2(needed <= folders->viewport()->width(),
                 qPrintable(QStringLiteral("\"%1\" needs %2 px, has %3")
                                .arg(folders->item(row)->text())
                                .arg(needed)
                                .arg(folders->viewport()->width())));
    }
    QCOMPARE(ClippedCaptions(&preview), QStringList());
    // The picture keeps to the left of the lists.
    QVERIFY(preview.ImagePreview->geometry().right() < folders->geometry().left());
}

// A line break in a name shows as a mark in both lists; the file is still
// the one of that name.
void TestPreviewWindow::lineBreakInNames()
{
    PrepareSite({{"new\nfile.txt", "text\r\n"}});
    QVERIFY(QDir().mkdir(QStringLiteral("site/new\r\nsite")));
    FormPreview& preview = FormPreview::Instance();
    preview.Load();
    QCOMPARE(Entries(preview), QStringList{QStringLiteral("new\u21b5file.txt")});
    QCOMPARE(PreviewImage, Directory + "new\nfile.txt");
    QCOMPARE(TextLines(preview), QStringList{QStringLiteral("text")});
    const QListWidgetItem* folder = preview.VerzListe->item(preview.VerzListe->count() - 1);
    QCOMPARE(folder->text().trimmed(), QStringLiteral("new\u21b5site"));
}

void TestPreviewWindow::firstFile_data()
{
    QTest::addColumn<int>("window");
    QTest::addColumn<int16_t>("running");
    QTest::newRow("preview, idle") << 0 << int16_t(0);
    QTest::newRow("preview, running") << 0 << int16_t(1);
    QTest::newRow("top, idle") << 1 << int16_t(0);
    QTest::newRow("top, running") << 1 << int16_t(1);
}

// Idle, the first file is shown at once; during a run nothing until asked.
void TestPreviewWindow::firstFile()
{
    QFETCH(int, window);
    QFETCH(int16_t, running);
    PrepareSite({{"b.txt", "bee\r\n"}, {"a.txt", "ay\r\n"}, {"c.gif", Gif()}});
    Running = running;
    PreviewImage.clear();
    PreviewWindow& preview = Window(window);
    preview.Load();
    QCOMPARE(preview.Caption(), QStringLiteral("Preview (3 Files, ") + Directory + ")");
    QCOMPARE(Entries(preview), (QStringList{"a.txt", "b.txt", "c.gif"}));
    if (running == 0) {
        QCOMPARE(PreviewImage, Directory + "a.txt");
        QCOMPARE(TextLines(preview), QStringList{QStringLiteral("ay")});
    } else {
        QVERIFY(PreviewImage.isEmpty());
        QCOMPARE(preview.DateiListe->ListIndex(), -1);
    }
}

void TestPreviewWindow::content_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("label"); // a regular expression; "#" stands for the size
    QTest::addColumn<int>("shown");     // 0 picture, 1 text lines, 2 help list, 3 nothing
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("small PNG") << "small.png" << Picture(30, 20, "PNG") << "^ # bytes$" << 0
                               << QStringList();
    QTest::newRow("large PNG") << "large.png" << Picture(1500, 600, "PNG")
                               << "^ [1-9][0-9]?% \\(# bytes\\)$" << 0 << QStringList();
    QTest::newRow("large JPEG") << "photo.jpg" << Picture(900, 1800, "JPEG")
                                << "^ [1-9][0-9]?% \\(# bytes\\)$" << 0 << QStringList();
    QTest::newRow("GIF by content") << "picture" << Gif() << "^ # bytes$" << 0 << QStringList();
    QTest::newRow("text") << "notes.txt" << QByteArray("one\r\n\r\n<b>two</b>\r\n") << "^ # bytes$"
                          << 1 << QStringList{"one", "", "<b>two</b>"};
    QTest::newRow("HTML") << "page.HTM"
                          << QByteArray("<html><body>\r\n<p>Hello &amp; welcome</p>\r\n"
                                        "<td></td>\r\n</body></html>\r\n")
                          << "^ # bytes$" << 1 << QStringList{"Hello  welcome"};
    // Nothing to show of an empty file: the help list stays.
    QTest::newRow("empty") << "empty.gif" << QByteArray() << "^ 0 Bytes$" << 2 << QStringList();
    QTest::newRow("corrupt picture")
        << "bad.gif" << QByteArray(1234, 'x') << "^Error! \\( 1234 bytes\\)$" << 3 << QStringList();
    // Beyond what the picture reader may decode whole: read at the box's size
    // (a zoom below 1% shows the size only).
    QTest::newRow("PNG above the allocation limit")
        << "vast.png" << PngFile(20000, 20000, 1, 0, false, QByteArray(20000 * 2501, '\0'))
        << "^ [1-9][0-9]?% \\(# bytes\\)$|^ # bytes$" << 0 << QStringList();
    QTest::newRow("oversized header")
        << "huge.png" << HugePngHeader() << "^Error! \\( # bytes\\)$" << 3 << QStringList();
    QTest::newRow("other file") << "setup.exe" << QByteArray("MZ\x90\0\3", 5) << "^ # bytes$" << 2
                                << QStringList();
}

void TestPreviewWindow::content()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, label);
    QFETCH(int, shown);
    PrepareSite({{name, bytes}});
    FormPreview& preview = FormPreview::Instance();
    preview.Load();
    QCOMPARE(PreviewImage, Directory + name);
    label.replace(QLatin1Char('#'), QString::number(bytes.size()));
    QVERIFY2(QRegularExpression(label).match(preview.LabelInfo->text()).hasMatch(),
             qPrintable(preview.LabelInfo->text()));
    QCOMPARE(preview.ImagePreview->HasPicture(), shown == 0);
    QCOMPARE(!preview.ListPreview->isHidden(), shown == 1);
    QCOMPARE(!preview.ListNoPreview->isHidden(), shown == 2);
    QTEST(TextLines(preview), "lines");
    QCOMPARE(PreviewError != 0, label.startsWith(QLatin1String("^Error")));
    if (shown == 0) {
        // The picture lies within the preview area, its aspect kept.
        const QRect box = preview.ImagePreview->geometry();
        const QSize natural = preview.ImagePreview->Natural();
        const preview::Box area =
            preview::PreviewBox(preview::Layout::Child, preview.Width(), preview.Height());
        QVERIFY2(box.width() <= platform::ToPixels(area.width) + 1,
                 qPrintable(QStringLiteral("%1 in %2").arg(box.width()).arg(preview.Width())));
        QVERIFY(qAbs(box.width() * natural.height() - box.height() * natural.width()) <=
                qMax(natural.width(), natural.height()));
    }
}

// A PNG of 16 bits a sample, which the picture reader would decode at
// 8 bytes a pixel, beyond its allocation limit: read at the box's size.
void TestPreviewWindow::deepPngAboveTheLimit()
{
    const int limit = QImageReader::allocationLimit();
    QImageReader::setAllocationLimit(10); // megabytes; the picture takes 16 decoded
    PrepareSite(
        {{"deep.png", PngFile(2000, 1000, 16, 2, false, QByteArray(1000 * (1 + 2000 * 6), '\0'))}});
    FormPreview& preview = FormPreview::Instance();
    preview.Load();
    QImageReader::setAllocationLimit(limit);
    QCOMPARE(PreviewError, 0);
    QVERIFY(preview.ImagePreview->HasPicture());
    QCOMPARE(preview.ImagePreview->Natural(), QSize(2000, 1000));
}

void TestPreviewWindow::labelHoldsWidestLine_data()
{
    QTest::addColumn<int>("window");
    QTest::addColumn<QString>("line");
    QTest::newRow("preview: zoom of a large picture") << 0 << " 45% (20971520 bytes)";
    QTest::newRow("preview: ten digits") << 0 << " 99% (2147483647 Bytes)";
    QTest::newRow("preview: error") << 0 << "Error! ( 2147483647 Bytes)";
    QTest::newRow("top: zoom of a large picture") << 1 << " 45% (20971520 Bytes)";
    QTest::newRow("top: error") << 1 << "Error! ( 2147483647 bytes)";
    QTest::newRow("preview: too large for 100%") << 0 << " Too large for 100%";
    QTest::newRow("top: too large for 100%, German") << 1 << " Zu groß für 100%";
}

// The size line is shown whole, inside the frame, and the frame inside the
// window at its first size.
void TestPreviewWindow::labelHoldsWidestLine()
{
    QFETCH(int, window);
    QFETCH(QString, line);
    PrepareSite({});
    PreviewWindow& preview = Window(window);
    preview.Load();
    preview.LabelInfo->setText(line);
    const QRect label = preview.LabelInfo->geometry();
    QVERIFY2(preview.LabelInfo->fontMetrics().horizontalAdvance(line) <= label.width(),
             qPrintable(QStringLiteral("%1 px wide").arg(label.width())));
    QVERIFY(preview.Frame1->rect().contains(label));
    QVERIFY(preview.rect().contains(preview.Frame1->geometry()));
}

// A file that is not there clears the picture and leaves the label.
void TestPreviewWindow::missingFileLeavesLabel()
{
    PrepareSite({{"a.png", Picture(10, 10, "PNG")}});
    FormPreview& preview = FormPreview::Instance();
    preview.Load();
    QVERIFY(preview.ImagePreview->HasPicture());
    const QString label = preview.LabelInfo->text();
    PreviewFile = Directory + "later.png";
    preview.Preview();
    QVERIFY(!preview.ImagePreview->HasPicture());
    QCOMPARE(preview.LabelInfo->text(), label);
    QCOMPARE(PreviewImage, Directory + "later.png");
}

// An abort left over while no run is on does not cut a text short.
void TestPreviewWindow::leftOverAbortWhileIdle()
{
    PrepareSite({{"long.txt", NumberedLines(300)}});
    AbortTransfer = 1;
    FormPreview& preview = FormPreview::Instance();
    preview.Load();
    QCOMPARE(TextLines(preview).size(), 102);
    Running = 1;
    preview.DateiListe_Click();
    QCOMPARE(TextLines(preview), QStringList{QStringLiteral("line 1")});
}

void TestPreviewWindow::newerPreviewEndsOlder_data()
{
    QTest::addColumn<bool>("unload");
    QTest::newRow("a newer preview") << false;
    QTest::newRow("an unload") << true;
}

// A preview that arrives while an older one reads its text, or an unload
// meanwhile, ends the older one: the list holds one file's lines only, and
// an unloaded window gets none.
void TestPreviewWindow::finishedFileWithOnClick_data()
{
    QTest::addColumn<int>("window");
    QTest::newRow("preview") << 0;
    QTest::newRow("top") << 1;
}

// With OnClick ticked, a file's final preview that has to wait for its turn
// shows that file, though the next one's blocks have named theirs since.
void TestPreviewWindow::finishedFileWithOnClick()
{
    QFETCH(int, window);
    PrepareSite({{"x.png", Picture(10, 10, "PNG")},
                 {"a.png", Picture(12, 12, "PNG")},
                 {"b.png", Picture(14, 14, "PNG").left(60)}});
    Running = 1;
    PreviewWindow& preview = Window(window);
    preview.Load();
    QVERIFY(preview.CheckOnClick->isChecked());
    PreviewFile = Directory + "x.png";
    preview.FollowReception(true);
    QTRY_COMPARE(PreviewImage, Directory + "x.png");
    PreviewFile = Directory + "a.png";
    preview.FollowReception(true); // too soon after x.png: it waits
    PreviewFile = Directory + "b.png";
    QTRY_VERIFY(PreviewImage != Directory + "x.png");
    QCOMPARE(PreviewImage, Directory + "a.png");
    QVERIFY(preview.ImagePreview->HasPicture());
}

void TestPreviewWindow::newerPreviewEndsOlder()
{
    QFETCH(bool, unload);
    PrepareSite({{"first.txt", NumberedLines(300)}, {"second.txt", "only\r\n"}});
    FormPreview& preview = FormPreview::Instance();
    Running = 1; // nothing previewed at load
    preview.Load();
    // Posted calls run at every yield: the twentieth comes while the reader
    // is in the middle of the first file.
    int ticks = 0;
    std::function<void()> tick = [&] {
        if (++ticks != 20) {
            QMetaObject::invokeMethod(&preview, tick, Qt::QueuedConnection);
            return;
        }
        if (unload) {
            preview.Unload();
        } else {
            PreviewFile = Directory + "second.txt";
            preview.Preview();
        }
    };
    QMetaObject::invokeMethod(&preview, tick, Qt::QueuedConnection);
    PreviewFile = Directory + "first.txt";
    preview.Preview();
    QVERIFY(ticks >= 20);
    if (unload)
        QCOMPARE(preview.ListPreview->count(), 0);
    else
        QCOMPARE(TextLines(preview), QStringList{QStringLiteral("only")});
}

// Reduced, the window on top shows the picture only, over its whole width,
// and leaves LabelInfo alone.
void TestPreviewWindow::reducedLayout()
{
    PrepareSite({{"p.png", Picture(2000, 1000, "PNG")}});
    PositionPreviewTop = QStringLiteral("0,6000,0,4000");
    FormPreviewTop& preview = FormPreviewTop::Instance();
    preview.Show();
    const QString label = preview.LabelInfo->text();
    preview.MinimalVorschau();
    QVERIFY(preview.DateiListe->isHidden());
    QVERIFY(preview.Frame1->isHidden());
    QCOMPARE(preview.ListPreview->width(), platform::ToPixels(preview.Width() - 105));
    const QRect box = preview.ImagePreview->geometry();
    QCOMPARE(box.width(), platform::ToPixels(preview.Width() - 115));
    QCOMPARE(preview.LabelInfo->text(), label);
    preview.NormalVorschau();
    QVERIFY(!preview.Frame1->isHidden());
    QVERIFY(preview.ImagePreview->geometry().width() <= platform::ToPixels(preview.Width() - 2065));
}

void TestPreviewWindow::naturalSize_data()
{
    QTest::addColumn<QByteArray>("png");
    QTest::addColumn<bool>("whole"); // within the allocation limit
    QTest::newRow("held whole") << Picture(900, 700, "PNG") << true;
    QTest::newRow("above the allocation limit")
        << PngFile(2000, 1000, 16, 2, false, QByteArray(1000 * (1 + 2000 * 6), '\0')) << false;
}

// Check100 shows the natural size at the corner, also of a picture previewed
// while it is ticked, and resizing does not fit it again until it is
// unticked. A picture too large to hold whole stays fitted, and the label
// says why; unticked, it is fitted again.
void TestPreviewWindow::naturalSize()
{
    QFETCH(QByteArray, png);
    QFETCH(bool, whole);
    const int limit = QImageReader::allocationLimit();
    QImageReader::setAllocationLimit(10); // megabytes; the 16-bit picture takes 16 decoded
    const auto restore = qScopeGuard([limit] { QImageReader::setAllocationLimit(limit); });
    PrepareSite({{"p.png", png}, {"q.png", Picture(600, 500, "PNG")}});
    FormPreview& preview = FormPreview::Instance();
    preview.Show();
    const QSize natural = preview.ImagePreview->Natural();
    const QRect fitted = preview.ImagePreview->geometry();
    QVERIFY(fitted.width() < natural.width());
    preview.Check100->setChecked(true);
    const QRect ticked = whole ? QRect(QPoint(0, 0), natural) : fitted;
    for (const int row : {0, 1, 0}) {
        if (preview.DateiListe->ListIndex() != row)
            preview.SelectFile(row);
        QVERIFY(preview.ImagePreview->HasPicture());
        QCOMPARE(preview.ImagePreview->geometry(), row == 1 ? QRect(0, 0, 600, 500) : ticked);
        if (row == 0 && !whole)
            QCOMPARE(preview.LabelInfo->text(), " " + LanguageText[231]);
    }
    preview.SetWidth(preview.Width() + 600);
    platform::DoEvents();
    QCOMPARE(preview.ImagePreview->geometry(), ticked);
    preview.Check100->setChecked(false);
    QVERIFY(preview.ImagePreview->HasPicture());
    QVERIFY(preview.ImagePreview->geometry().width() < natural.width());
    QVERIFY(preview.ImagePreview->geometry().width() > fitted.width());
    QVERIFY2(preview.LabelInfo->text().contains(QLatin1Char('%')),
             qPrintable(preview.LabelInfo->text()));
}

void TestPreviewWindow::minimumSize()
{
    PrepareSite({{"p.gif", Gif()}});
    FormPreview& preview = FormPreview::Instance();
    preview.Show();
    preview.SetHeight(900);
    platform::DoEvents();
    preview.Scaling();
    QCOMPARE(preview.Height(), 1425.);
}

void TestPreviewWindow::alignBelowTransfer_data()
{
    QTest::addColumn<bool>("toolbar");
    QTest::addColumn<bool>("log");
    QTest::addColumn<double>("reserve");
    QTest::newRow("both shown") << true << true << 5405.;
    QTest::newRow("tool bar only") << true << false << 3405.;
    QTest::newRow("log panel only") << false << true << 4985.;
    QTest::newRow("neither") << false << false << 2985.;
}

void TestPreviewWindow::alignBelowTransfer()
{
    QFETCH(bool, toolbar);
    QFETCH(bool, log);
    QFETCH(double, reserve);
    PrepareSite({});
    FormKelpa& main = FormKelpa::Instance();
    main.show();
    main.resize(900, 700);
    main.PictureButtons->setVisible(toolbar);
    main.PictureList->setVisible(log);
    FormPreview& preview = FormPreview::Instance();
    preview.Show();
    preview.AlignForm();
    QCOMPARE(preview.Top(), FormHTTP::Instance().Height());
    QCOMPARE(preview.Left(), 0.);
    QCOMPARE(preview.Width(), main.Width() - 175);
    QCOMPARE(preview.Height(), main.Height() - reserve);
    main.PictureButtons->setVisible(true);
    main.PictureList->setVisible(true);
}

void TestPreviewWindow::snapOnF6_data()
{
    QTest::addColumn<double>("left");
    QTest::addColumn<double>("snapped");
    QTest::newRow("900 twips from the edge") << 900. << 0.;
    QTest::newRow("1000 twips from the edge") << 1000. << 1000.;
}

// F6 in the window on top snaps it to the screen edge it lies near.
void TestPreviewWindow::snapOnF6()
{
    QFETCH(double, left);
    PrepareSite({{"a.txt", "a"}});
    FormPreviewTop& preview = FormPreviewTop::Instance();
    preview.Show();
    preview.MoveTo(left, 3000, 4000, 3000);
    platform::DoEvents();
    QTest::keyClick(preview.DateiListe, Qt::Key_F6);
    QTEST(preview.Left(), "snapped");
    QCOMPARE(preview.Top(), 3000.);
    // F6 does nothing in the child window.
    preview.Unload();
    FormPreview& child = FormPreview::Instance();
    child.Show();
    child.MoveTo(left, 600, 4500, 3000);
    platform::DoEvents();
    const double before = child.Left();
    QTest::keyClick(child.DateiListe, Qt::Key_F6);
    QCOMPARE(child.Left(), before);
}

// Enter opens the highlighted file by its full path, also after the
// directory list moved the list; a double click on an entry opens it from
// its folder; one on the picture opens the file shown.
void TestPreviewWindow::opening()
{
    PrepareSite({{"a.png", Picture(10, 10, "PNG")}});
    QDir().mkpath(QStringLiteral("site/sub"));
    WriteFile(QStringLiteral("site/sub/inner.txt"), "x");
    FormPreview& preview = FormPreview::Instance();
    preview.Show();
    ShellRecorder shell;
    QTest::mouseDClick(preview.ImagePreview, Qt::LeftButton);
    preview.VerzListe->SetPath(Directory + "sub");
    preview.SelectFile(0);
    QTest::keyClick(preview.DateiListe, Qt::Key_Return);
    platform::DoEvents();
    const QRect entry = preview.DateiListe->visualRect(preview.DateiListe->model()->index(0, 0));
    QTest::mouseClick(preview.DateiListe->viewport(), Qt::LeftButton, {}, entry.center());
    QTest::mouseDClick(preview.DateiListe->viewport(), Qt::LeftButton, {}, entry.center());
    QCOMPARE(shell.calls, (QStringList{Directory + "a.png | " + Directory,
                                       Directory + "sub\\inner.txt | " + Directory,
                                       Directory + "sub\\inner.txt | " + Directory + "sub\\"}));
}

// A double click opens the entry itself, whatever its name: "C:x.txt" is
// not the file x.txt of the current folder.
void TestPreviewWindow::doubleClickOpensTheEntry()
{
    PrepareSite({{"C:x.txt", "entry"}});
    WriteFile(QStringLiteral("x.txt"), "other");
    FormPreview& preview = FormPreview::Instance();
    preview.Show();
    OpenedFiles opened;
    preview.SelectFile(0);
    preview.DateiListe_DblClick();
    QCOMPARE(opened.paths.size(), 1);
    QCOMPARE(QFileInfo(opened.paths.at(0)).canonicalFilePath(),
             QFileInfo(QStringLiteral("site/C:x.txt")).canonicalFilePath());
}

// F12 runs the main window's hide command, which closes the preview.
void TestPreviewWindow::f12Hides()
{
    PrepareSite({{"a.txt", "a"}});
    FormPreview& preview = FormPreview::Instance();
    preview.Show();
    QTest::keyClick(preview.DateiListe, Qt::Key_F12);
    QCOMPARE(PreviewOpen, int16_t(0));
    FormKelpa& main = FormKelpa::Instance();
    QVERIFY(main.TimerHide.Enabled());
    main.TimerHide.setEnabled(false);
    main.setWindowState(Qt::WindowNoState);
    main.show();
}

KELPA_TEST_MAIN(TestPreviewWindow)
#include "test_preview_window.moc"
