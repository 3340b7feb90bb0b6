// The real message box: buttons, icon, default and escape from the style
// number, the answer codes, and the prompt shown as plain text.

#include "platform/msgbox/MsgBox.h"
#include "platform/msgbox/MsgBoxDialog.h"
#include "tests/support/TestMain.h"

#include <QAbstractButton>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>

#include <algorithm>
#include <functional>

using namespace platform;
using Button = QMessageBox::StandardButton;
using Buttons = QList<Button>;

Q_DECLARE_METATYPE(QMessageBox::Icon)
Q_DECLARE_METATYPE(QMessageBox::StandardButton)

namespace {

struct Seen {
    bool shown = false;
    QString title;
    QString text;
    Qt::TextFormat format = Qt::AutoText;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    Buttons buttons;
    Button defaultButton = QMessageBox::NoButton;
    bool closedByEscape = false;
    bool closedByCloseButton = false;
};

// Shows a box through MsgBox(); once it is up, records what it shows and lets
// act answer it. A box still open after five seconds is ended, so that a
// fault never hangs the test.
int showBox(const QString& prompt, int style, const QString& title, Seen& seen,
            const std::function<void(QMessageBox*)>& act)
{
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr)
            return;
        poll.stop();
        seen.shown = true;
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.format = box->textFormat();
        seen.icon = box->icon();
        for (QAbstractButton* b : box->buttons())
            seen.buttons.append(box->standardButton(b));
        seen.defaultButton = box->standardButton(box->defaultButton());
        act(box);
    });
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->done(0);
    });
    poll.start();
    guard.start(5000);
    return MsgBox(prompt, style, title);
}

// Presses Escape, then the close button, then, if the box is still up, its
// first button.
void escapeThenFirst(QMessageBox* box, Seen& seen)
{
    QTest::keyClick(box, Qt::Key_Escape);
    seen.closedByEscape = !box->isVisible();
    if (!seen.closedByEscape) {
        box->close();
        seen.closedByCloseButton = !box->isVisible();
    }
    if (box->isVisible())
        box->button(seen.buttons.first())->click();
}

} // namespace

class TestMsgBoxDialog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { InstallMsgBoxDialog(); }

    void styleMakesTheBox_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<Buttons>("buttons");
        QTest::addColumn<QMessageBox::Icon>("icon");
        QTest::addColumn<Button>("defaultButton");
        QTest::addColumn<int>("escapeAnswer"); // 0: Escape and close do nothing

        const auto ok = QMessageBox::Ok, cancel = QMessageBox::Cancel, yes = QMessageBox::Yes,
                   no = QMessageBox::No, abort = QMessageBox::Abort, retry = QMessageBox::Retry,
                   ignore = QMessageBox::Ignore;
        QTest::newRow("0 OK") << 0 << Buttons{ok} << QMessageBox::NoIcon << ok << int(vbOK);
        QTest::newRow("16 OK, critical") << 16 << Buttons{ok} << QMessageBox::Critical << ok << 1;
        QTest::newRow("48 OK, exclamation") << 48 << Buttons{ok} << QMessageBox::Warning << ok << 1;
        QTest::newRow("64 OK, information")
            << 64 << Buttons{ok} << QMessageBox::Information << ok << 1;
        QTest::newRow("1 OK/Cancel") << 1 << Buttons{ok, cancel} << QMessageBox::NoIcon << ok << 2;
        QTest::newRow("305 OK/Cancel, exclamation, Cancel default")
            << 305 << Buttons{ok, cancel} << QMessageBox::Warning << cancel << 2;
        QTest::newRow("2 Abort/Retry/Ignore")
            << 2 << Buttons{abort, retry, ignore} << QMessageBox::NoIcon << abort << 0;
        QTest::newRow("530 Abort/Retry/Ignore, Ignore default")
            << 530 << Buttons{abort, retry, ignore} << QMessageBox::Critical << ignore << 0;
        QTest::newRow("35 Yes/No/Cancel, question")
            << 35 << Buttons{yes, no, cancel} << QMessageBox::Question << yes << 2;
        QTest::newRow("547 Yes/No/Cancel, Cancel default")
            << 547 << Buttons{yes, no, cancel} << QMessageBox::Question << cancel << 2;
        QTest::newRow("68 Yes/No, information")
            << 68 << Buttons{yes, no} << QMessageBox::Information << yes << 0;
        QTest::newRow("292 Yes/No, question, No default")
            << 292 << Buttons{yes, no} << QMessageBox::Question << no << 0;
        QTest::newRow("516 Yes/No, third default falls back to the first")
            << 516 << Buttons{yes, no} << QMessageBox::NoIcon << yes << 0;
        QTest::newRow("5 Retry/Cancel")
            << 5 << Buttons{retry, cancel} << QMessageBox::NoIcon << retry << 2;
        QTest::newRow("4100 system modal Yes/No")
            << 4100 << Buttons{yes, no} << QMessageBox::NoIcon << yes << 0;
    }

    void styleMakesTheBox()
    {
        QFETCH(int, style);
        QFETCH(Buttons, buttons);
        QFETCH(QMessageBox::Icon, icon);
        QFETCH(Button, defaultButton);
        QFETCH(int, escapeAnswer);

        Seen seen;
        const int answer = showBox(QStringLiteral("Question"), style, QStringLiteral("Kelpa"), seen,
                                   [&](QMessageBox* box) { escapeThenFirst(box, seen); });
        QVERIFY(seen.shown);
        // The platform's button layout decides the order on screen.
        std::sort(seen.buttons.begin(), seen.buttons.end());
        std::sort(buttons.begin(), buttons.end());
        QCOMPARE(seen.buttons, buttons);
        QCOMPARE(seen.icon, icon);
        QCOMPARE(seen.defaultButton, defaultButton);
        if (escapeAnswer != 0) {
            QVERIFY(seen.closedByEscape);
            QCOMPARE(answer, escapeAnswer);
        } else {
            QVERIFY(!seen.closedByEscape);
            QVERIFY(!seen.closedByCloseButton);
        }
    }

    void buttonGivesItsAnswer_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<Button>("click");
        QTest::addColumn<int>("answer");
        QTest::newRow("OK") << 1 << QMessageBox::Ok << 1;
        QTest::newRow("Cancel") << 1 << QMessageBox::Cancel << 2;
        QTest::newRow("Abort") << 2 << QMessageBox::Abort << 3;
        QTest::newRow("Retry") << 2 << QMessageBox::Retry << 4;
        QTest::newRow("Ignore") << 2 << QMessageBox::Ignore << 5;
        QTest::newRow("Yes") << 3 << QMessageBox::Yes << 6;
        QTest::newRow("No") << 3 << QMessageBox::No << 7;
        QTest::newRow("Cancel of Yes/No/Cancel") << 3 << QMessageBox::Cancel << 2;
        QTest::newRow("Retry of Retry/Cancel") << 5 << QMessageBox::Retry << 4;
    }

    void buttonGivesItsAnswer()
    {
        QFETCH(int, style);
        QFETCH(Button, click);
        QFETCH(int, answer);
        Seen seen;
        const int got = showBox(QStringLiteral("Question"), style, QStringLiteral("Kelpa"), seen,
                                [&](QMessageBox* box) { box->button(click)->click(); });
        QCOMPARE(got, answer);
    }

    void promptIsPlainTextWithLineBreaks_data()
    {
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QString>("shown");
        QTest::newRow("CR LF") << QStringLiteral("a\r\n\r\nb") << QStringLiteral("a\n\nb");
        QTest::newRow("LF") << QStringLiteral("a\nb") << QStringLiteral("a\nb");
        QTest::newRow("lone CR") << QStringLiteral("a\rb") << QStringLiteral("a\nb");
        QTest::newRow("markup stays text")
            << QStringLiteral("<b>x</b> &amp;") << QStringLiteral("<b>x</b> &amp;");
    }

    void promptIsPlainTextWithLineBreaks()
    {
        QFETCH(QString, prompt);
        QFETCH(QString, shown);
        Seen seen;
        showBox(prompt, 0, QStringLiteral("Kelpa [TEST.TSK]"), seen,
                [](QMessageBox* box) { box->button(QMessageBox::Ok)->click(); });
        QCOMPARE(seen.text, shown);
        QCOMPARE(seen.format, Qt::PlainText);
        QCOMPARE(seen.title, QStringLiteral("Kelpa [TEST.TSK]"));
    }

    // A name too long for one line of the box is broken after its
    // separators, so that the box shows it whole; nothing of the prompt but
    // blanks at the breaks is lost, and short lines stay as they are.
    void longNamesWrap_data()
    {
        QTest::addColumn<QString>("prompt");
        const QString folder = QStringLiteral("FolderWithAVeryLongNameThatGoesOnAndOn");
        const QString path = QStringLiteral("C:\\") + QStringList(6, folder).join('\\');
        QTest::newRow("folder with its cause")
            << path + QStringLiteral("\\: Not a folder (a file is in the way)!");
        QTest::newRow("two folders") << path + QStringLiteral("\\a: No permission!\r\n") + path +
                                            QStringLiteral("\\b: Disk full!");
        QTest::newRow("forward slashes") << QStringLiteral("/") + QStringList(6, folder).join('/');
        QTest::newRow("short lines")
            << QStringLiteral("C:\\Kelpa\\: Disk full!\r\nKELPA.INI: Done.");
    }
    void longNamesWrap()
    {
        QFETCH(QString, prompt);
        Seen seen;
        int labelWidth = 0;
        int needed = 0;
        showBox(prompt, 16, QStringLiteral("Kelpa"), seen, [&](QMessageBox* box) {
            const auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
            labelWidth = label->width();
            needed = label->minimumSizeHint().width();
            box->button(QMessageBox::Ok)->click();
        });
        QVERIFY2(needed <= labelWidth,
                 qPrintable(QStringLiteral("%1 > %2").arg(needed).arg(labelWidth)));
        // Broken at a blank, a line loses the blank.
        const QRegularExpression blanks(QStringLiteral("\\s"));
        QCOMPARE(QString(seen.text).remove(blanks), QString(prompt).remove(blanks));
        if (prompt.size() < 60)
            QCOMPARE(seen.text,
                     QString(prompt).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    }

    void emptyTitleShowsTheApplicationName()
    {
        QGuiApplication::setApplicationDisplayName(QStringLiteral("Tolvex"));
        Seen seen;
        showBox(QStringLiteral("Done."), 0, QString(), seen,
                [](QMessageBox* box) { box->button(QMessageBox::Ok)->click(); });
        QCOMPARE(seen.title, QStringLiteral("Tolvex"));
    }

    // A notice returns at once, leaving a box with OK alone that OK closes.
    void aNoticeDoesNotWait()
    {
        MsgBoxNotice(QStringLiteral("Restored.\r\nCheck the settings."), 48 + 4,
                     QStringLiteral("Kelpa"));
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        QMessageBox* shown = nullptr;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible())
                shown = box;
        }
        QVERIFY(shown != nullptr);
        QCOMPARE(shown->text(), QStringLiteral("Restored.\nCheck the settings."));
        QCOMPARE(shown->icon(), QMessageBox::Warning);
        QCOMPARE(shown->buttons().size(), 1);
        QPointer<QMessageBox> box(shown);
        box->button(QMessageBox::Ok)->click();
        QTRY_VERIFY(box.isNull());
    }

    // A box asked while a notice is the active window outlives the notice,
    // which closes by itself meanwhile, and still gives its answer.
    void aBoxOutlivesTheNoticeBelowIt()
    {
        MsgBoxNotice(QStringLiteral("Restored."), 48, QStringLiteral("Kelpa"));
        QPointer<QWidget> notice;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (qobject_cast<QMessageBox*>(widget) && widget->isVisible())
                notice = widget;
        }
        QVERIFY(notice);
        QApplication::setActiveWindow(notice);
        Seen seen;
        const int answer =
            showBox(QStringLiteral("Go on?"), 4, QString(), seen, [&notice](QMessageBox* box) {
                notice->close();
                QTRY_VERIFY(notice.isNull());
                box->button(QMessageBox::Yes)->click();
            });
        QCOMPARE(answer, int(vbYes));
    }
};

KELPA_TEST_MAIN(TestMsgBoxDialog)
#include "test_msgbox_dialog.moc"
