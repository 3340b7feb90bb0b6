// The notes window: what it keeps in MemoText, the round trip of the notes
// through KELPA.INI, and the window staying on top.

#include "main/FormKelpa.h"
#include "main/FormMemo.h"
#include "main/Kelpa.h"
#include "tests/main/RunFixture.h"
#include "tests/support/TestMain.h"

#include <QAction>
#include <QPlainTextEdit>

using namespace testsupport;
using namespace KELPA;

class TestMemo : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { StartOnce(); }

    void typedNotes_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("one line") << "note"
                                  << "note";
        QTest::newRow("outer blanks dropped") << "  note  "
                                              << "note";
        QTest::newRow("inner line breaks kept") << " first\nsecond\n\nthird "
                                                << "first\r\nsecond\r\n\r\nthird";
        QTest::newRow("only blanks") << "   "
                                     << "";
    }
    void typedNotes()
    {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        EnterTestFolder();
        FormMemo& memo = FormMemo::Instance();
        FormKelpa::Instance().MenuEntry("MenuMemo")->trigger();
        QVERIFY(memo.Loaded());
        QCOMPARE(memo.Caption(), QStringLiteral("Kelpa - Memo"));
        QVERIFY(memo.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        memo.Text1->setPlainText(typed);
        QCOMPARE(MemoText, kept);

        FormKelpa::Instance().inischreiben(QStringLiteral("KELPA.INI"));
        MemoText = QStringLiteral("changed");
        FormKelpa::Instance().inilesen(QStringLiteral("KELPA.INI"));
        QCOMPARE(MemoText, kept);

        memo.Unload();
        QCOMPARE(MemoText, kept);
        memo.Show();
        QCOMPARE(memo.Text1->toPlainText(),
                 QString(kept).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        memo.Unload();
    }
};

KELPA_TEST_MAIN(TestMemo)
#include "test_memo.moc"
