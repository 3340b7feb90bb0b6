// The transfer window's face: its layout by width and state, its clicks and
// double clicks, the Enter key and the opening of the source and the target.

#include "platform/forms/Twips.h"
#include "platform/shell/Desktop.h"
#include "tests/main/RunFixture.h"
#include "tests/support/TestMain.h"
#include "texts/Sprache.h"

#include <QMdiSubWindow>

using namespace testsupport;
using namespace KELPA;

namespace {

// Twips are kept in whole pixels: 15 twips either way.
bool Near(double actual, double expected)
{
    return std::abs(actual - expected) <= platform::TwipsPerPixel;
}

// Records what the desktop is asked to open.
class OpenedFiles final {
public:
    OpenedFiles()
    {
        previous_ = platform::SetShellExecuteHook([this](const QString& file, const QString&) {
            files.append(file);
            return int(platform::SE_STARTED);
        });
    }
    ~OpenedFiles() { platform::SetShellExecuteHook(previous_); }
    OpenedFiles(const OpenedFiles&) = delete;
    OpenedFiles& operator=(const OpenedFiles&) = delete;

    QStringList files;

private:
    platform::ShellExecuteHook previous_;
};

} // namespace

class TestHttpWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { StartOnce(); }
    void loaded();
    void labelsFit_data();
    void labelsFit();
    void layout_data();
    void layout();
    void maximised();
    void formClick_data();
    void formClick();
    void doubleClicks();
    void openTarget_data();
    void openTarget();
    void openSource_data();
    void openSource();
    void enterStarts_data();
    void enterStarts();
};

void TestHttpWindow::loaded()
{
    FormHTTP& http = FormHTTP::Instance();
    QVERIFY(http.Loaded());
    QCOMPARE(http.Label1->text(), QStringLiteral("Link:"));
    QCOMPARE(http.Label2->text(), QStringLiteral("Target:"));
    QCOMPARE(http.Label2->toolTip(), QStringLiteral("Double click to Open File..."));
    QCOMPARE(http.Label4->text(), QStringLiteral("Source:"));
    QCOMPARE(http.Label4->toolTip(), QStringLiteral("Double click to copy or open URL..."));
    QCOMPARE(http.CommandPaste->toolTip(), QStringLiteral("Paste..."));
    QVERIFY(Near(http.Width(), FormKelpa::Instance().Width() - 175));
    QVERIFY(Near(http.Left(), 0));
    QVERIFY(Near(http.Top(), 0));
}

void TestHttpWindow::labelsFit_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("textNumber"); // 0: the fixed caption "Link:"
    for (const char* language : {"english", "deutsch"}) {
        QTest::addRow("%s source", language) << language << "Label4" << 104;
        QTest::addRow("%s target", language) << language << "Label2" << 102;
        QTest::addRow("%s link", language) << language << "Label1" << 0;
    }
}

// The captions beside the boxes show whole, in each language.
void TestHttpWindow::labelsFit()
{
    QFETCH(QString, language);
    QFETCH(QString, label);
    QFETCH(int, textNumber);
    TexteLaden(language);
    const QString text =
        textNumber == 0 ? QStringLiteral("Link:") : KELPA::LanguageText[textNumber];
    TexteLaden(QStringLiteral("english"));
    const auto* caption = FormHTTP::Instance().findChild<QLabel*>(label);
    const int needed = caption->fontMetrics().horizontalAdvance(text);
    const int shown = caption->contentsRect().width();
    QVERIFY2(needed <= shown,
             qPrintable(QStringLiteral("%1 needs %2 px of %3").arg(text).arg(needed).arg(shown)));
}

void TestHttpWindow::layout_data()
{
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("text1");
    QTest::addColumn<double>("textLinks");
    QTest::newRow("wide") << 12000.0 << 12000.0 - 1025 << 12000.0 - 5750;
    QTest::newRow("just over 7000") << 7020.0 << 7020.0 - 1025 << 7020.0 - 5750;
    // Narrow windows keep the link box as the width of 9000 before left it.
    QTest::newRow("narrow") << 4500.0 << 4500.0 - 1025 << 9000.0 - 5750;
}

void TestHttpWindow::layout()
{
    QFETCH(double, width);
    QFETCH(double, text1);
    QFETCH(double, textLinks);
    FormHTTP& http = FormHTTP::Instance();
    http.MoveTo(300, 300, 9000, 3000);
    http.SetWidth(width);

    QVERIFY(Near(http.Width(), width));
    QVERIFY(Near(http.Height(), 1300));
    QVERIFY(Near(http.Left(), 0));
    QVERIFY(Near(http.Top(), 0));
    QCOMPARE(KELPA::WindowState, int16_t(0));
    QVERIFY(Near(platform::Place(http.Text1).Width, text1));
    QVERIFY(Near(platform::Place(http.TextLinks).Width, textLinks));
    QVERIFY(Near(platform::Place(http.CommandChooseFile).Left, width - 495));
    QVERIFY(Near(platform::Place(http.CommandPaste).Left, width - 495 - 260));
    QCOMPARE(http.ResizeGuard, int16_t(0));
}

void TestHttpWindow::maximised()
{
    FormHTTP& http = FormHTTP::Instance();
    http.SetWindowState(2);
    platform::DoEvents();
    QCOMPARE(KELPA::WindowState, int16_t(2));
    QVERIFY(Near(platform::Place(http.PictureHTTP).Width, http.Width()));
    QVERIFY(Near(platform::Place(http.CommandChooseFile).Left, http.Width() - 495));
    http.SetWindowState(0);
    platform::DoEvents();
    QCOMPARE(KELPA::WindowState, int16_t(0));
    QVERIFY(Near(http.Height(), 1300));
}

void TestHttpWindow::formClick_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("cleared");
    QTest::newRow("after a run") << LanguageText[119] << true;
    QTest::newRow("ready and more") << LanguageText[119] + QStringLiteral("    Repeats") << true;
    QTest::newRow("during a transfer") << LanguageText[145] << false;
}

void TestHttpWindow::formClick()
{
    QFETCH(QString, caption);
    QFETCH(bool, cleared);
    FormHTTP& http = FormHTTP::Instance();
    http.SetCaption(caption);
    http.Text2->setText(QStringLiteral("page.html"));
    QTest::mouseClick(http.PictureHTTP, Qt::LeftButton, {}, QPoint(1, 1));
    QCOMPARE(http.Caption(), cleared ? QStringLiteral(" ") : caption);
    QCOMPARE(http.Text2->text(), cleared ? QString() : QStringLiteral("page.html"));
}

void TestHttpWindow::doubleClicks()
{
    FormHTTP& http = FormHTTP::Instance();
    http.Text1->setEnabled(true);
    http.Text2->setEnabled(true);
    http.Text1->setText(QStringLiteral("http://h/a b/c.html"));
    http.Text2->setText(QStringLiteral("c.html"));
    QTest::mouseDClick(http.Text2, Qt::LeftButton);
    QCOMPARE(http.Text2->selectedText(), QStringLiteral("c.html"));
    QTest::mouseDClick(http.Text1, Qt::LeftButton);
    QCOMPARE(http.Text1->selectedText(), QStringLiteral("http://h/a b/c.html"));
    QVERIFY(http.Text2->text().isEmpty());
}

void TestHttpWindow::openTarget_data()
{
    QTest::addColumn<QString>("lastFile");
    QTest::addColumn<QString>("localFileName");
    QTest::addColumn<int>("bytes");
    QTest::addColumn<int>("evaluationComplete");
    QTest::addColumn<QStringList>("opened");
    QTest::newRow("file being received")
        << "C:\\s\\a.html"
        << "C:\\s\\b.html" << 10 << 1 << QStringList{"C:\\s\\a.html"};
    QTest::newRow("file saved") << ""
                                << "C:\\s\\b.html" << 10 << 1 << QStringList{"C:\\s\\b.html"};
    QTest::newRow("page still searched")
        << ""
        << "C:\\s\\b.html" << 0 << 0 << QStringList{"C:\\s\\b.html"};
    QTest::newRow("nothing arrived") << ""
                                     << "C:\\s\\b.html" << 0 << 1 << QStringList{};
    QTest::newRow("no file") << ""
                             << "" << 10 << 1 << QStringList{};
}

void TestHttpWindow::openTarget()
{
    QFETCH(QString, lastFile);
    QFETCH(QString, localFileName);
    QFETCH(int, bytes);
    QFETCH(int, evaluationComplete);
    QFETCH(QStringList, opened);
    OpenedFiles desktop;
    LastFile = lastFile;
    LocalFileName = localFileName;
    BytesReceived = bytes;
    EvaluationComplete = int16_t(evaluationComplete);
    QTest::mouseDClick(FormHTTP::Instance().Label2, Qt::LeftButton);
    LastFile.clear();
    EvaluationComplete = 1;
    QCOMPARE(desktop.files, opened);
}

void TestHttpWindow::openSource_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<bool>("opened");
    QTest::newRow("http") << "http://h/index.html" << true;
    QTest::newRow("file") << "file://C:\\s\\index.html" << true;
    QTest::newRow("upper-case scheme") << "HTTP://h/index.html" << false;
    QTest::newRow("bare host") << "h/index.html" << false;
    QTest::newRow("local path") << "C:\\s\\index.html" << false;
}

void TestHttpWindow::openSource()
{
    QFETCH(QString, source);
    QFETCH(bool, opened);
    OpenedFiles desktop;
    FormHTTP& http = FormHTTP::Instance();
    http.Text1->setText(source);
    QTest::mouseDClick(http.Label4, Qt::LeftButton);
    QCOMPARE(desktop.files, opened ? QStringList{source} : QStringList{});
}

void TestHttpWindow::enterStarts_data()
{
    QTest::addColumn<bool>("inTarget");
    QTest::addColumn<bool>("startEnabled");
    QTest::addColumn<int>("transfers");
    QTest::newRow("source, start enabled") << false << true << 1;
    QTest::newRow("target, start enabled") << true << true << 1;
    QTest::newRow("source, start disabled") << false << false << 0;
}

void TestHttpWindow::enterStarts()
{
    QFETCH(bool, inTarget);
    QFETCH(bool, startEnabled);
    QFETCH(int, transfers);
    TransferDouble site(LevelSite());
    PrepareRun(Url(QStringLiteral("d.html")), 1);
    FormHTTP& http = FormHTTP::Instance();
    FormKelpa::Instance().CommandStart->setEnabled(startEnabled);
    QTest::keyClick(inTarget ? http.Text2 : http.Text1, Qt::Key_Return);
    QCOMPARE(site.fetched.size(), transfers);
}

KELPA_TEST_MAIN(TestHttpWindow)
#include "test_http_window.moc"
