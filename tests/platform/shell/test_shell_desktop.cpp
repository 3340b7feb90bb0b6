// Opening documents, pages and the text editor, and keeping a window on top.
// Under the offscreen platform the desktop opens nothing: every opening that
// reaches it reports "no associated program" (31), which lets the tests check
// how a target is resolved without starting anything.

#include "platform/files/Files.h"
#include "platform/shell/Desktop.h"
#include "tests/support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QWidget>

using namespace platform;

class TestShellDesktop : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(QGuiApplication::platformName() == QLatin1String("offscreen"),
                 "these tests must run under the offscreen platform");
        QVERIFY(QDir().mkpath(QStringLiteral("site/My Pages")));
        QFile page(QStringLiteral("site/My Pages/index.htm"));
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.write("<html></html>");
    }

    void targetIsResolved_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("directory");
        QTest::addColumn<int>("result");

        const QString cur = CurDir();
        QTest::newRow("relative to the directory")
            << QStringLiteral("index.htm") << cur + QStringLiteral("\\site\\My Pages\\") << 31;
        QTest::newRow("directory without backslash")
            << QStringLiteral("INDEX.HTM") << cur + QStringLiteral("\\site\\my pages") << 31;
        QTest::newRow("relative to the current directory")
            << QStringLiteral("site\\My Pages\\index.htm") << QString() << 31;
        QTest::newRow("absolute, directory ignored")
            << cur + QStringLiteral("\\site\\My Pages\\index.htm") << QStringLiteral("C:\\nowhere")
            << 31;
        QTest::newRow("missing file") << QStringLiteral("gone.htm") << cur << 2;
        QTest::newRow("missing folder") << QStringLiteral("C:\\nowhere\\x.htm") << QString() << 2;
        QTest::newRow("empty") << QString() << cur << 2;
        QTest::newRow("no such drive") << QStringLiteral("Q:\\x.htm") << QString() << 2;

        QString url = cur;
        url.replace(QLatin1Char('\\'), QLatin1Char('/')).replace(1, 1, QLatin1Char('|'));
        QTest::newRow("file URL, program form")
            << QStringLiteral("file:///") + url + QStringLiteral("/site/My%20Pages/index.htm")
            << QString() << 31;
        QTest::newRow("file URL, drive and backslashes")
            << QStringLiteral("file://") + cur + QStringLiteral("\\site\\My Pages\\index.htm")
            << QString() << 31;
        QTest::newRow("file URL, missing")
            << QStringLiteral("file:///") + url + QStringLiteral("/gone.htm") << QString() << 2;
        QTest::newRow("file URL, Linux path")
            << QUrl::fromLocalFile(QDir::currentPath() + QStringLiteral("/site/My Pages/index.htm"))
                   .toString()
            << QString() << 31;
        QTest::newRow("web page") << QStringLiteral("http://127.0.0.1/") << QString() << 31;
        QTest::newRow("mail address")
            << QStringLiteral("mailto:someone@example.org") << QString() << 31;
    }

    void targetIsResolved()
    {
        QFETCH(QString, file);
        QFETCH(QString, directory);
        QFETCH(int, result);
        if (result == SE_ERR_NOASSOC)
            QTest::ignoreMessage(QtWarningMsg,
                                 QRegularExpression(QStringLiteral("does not support")));
        QCOMPARE(ShellExecuteA(file, directory), result);
    }

    void hooksTakeTheCalls()
    {
        QStringList calls;
        const ShellExecuteHook oldShell =
            SetShellExecuteHook([&](const QString& file, const QString& directory) {
                calls << file + QLatin1Char('|') + directory;
                return 42;
            });
        const TextEditorHook oldEditor = SetTextEditorHook([&](const QString& path) {
            calls << QStringLiteral("editor ") + path;
            return true;
        });

        QCOMPARE(ShellExecuteA(QStringLiteral("gone.htm"), QStringLiteral("C:\\x\\")), 42);
        QVERIFY(OpenInTextEditor(QStringLiteral("KELPA.LOG")));
        QCOMPARE(calls, QStringList({QStringLiteral("gone.htm|C:\\x\\"),
                                     QStringLiteral("editor KELPA.LOG")}));

        SetShellExecuteHook(oldShell);
        SetTextEditorHook(oldEditor);
    }

    void textEditorNeedsAFile()
    {
        QVERIFY(!OpenInTextEditor(QStringLiteral("KELPA.LOG")));
        QVERIFY(!OpenInTextEditor(QStringLiteral("site")));
    }

    void windowStaysOnTop()
    {
        QWidget window;
        window.show();
        QCOMPARE(SetWindowPos(&window, HWND_TOPMOST), 1);
        QVERIFY(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(!window.isHidden());
        QCOMPARE(SetWindowPos(&window, HWND_NOTOPMOST), 1);
        QVERIFY(!window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(!window.isHidden());

        QWidget hidden;
        QCOMPARE(SetWindowPos(&hidden, HWND_TOPMOST), 1);
        QVERIFY(hidden.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(hidden.isHidden());

        QWidget child(&window);
        QCOMPARE(SetWindowPos(&child, HWND_TOPMOST), 0);
        QCOMPARE(SetWindowPos(nullptr, HWND_TOPMOST), 0);
    }
};

KELPA_TEST_MAIN(TestShellDesktop)
#include "test_shell_desktop.moc"
