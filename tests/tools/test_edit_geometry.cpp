// The list editor's place: restored from PositionEdit, never smaller than its
// minimum, and fitted into the main window by the align command for each
// combination of the main window's bars.

#include "tests/support/TestMain.h"
#include "tests/tools/EditFixture.h"
#include "transfer/FormHTTP.h"

#include <QFrame>
#include <QTest>

#include <algorithm>

using namespace testsupport;
using namespace KELPA;

namespace {

// Twips read back from pixels differ by less than a pixel.
bool Near(double a, double b)
{
    return qAbs(a - b) < 15;
}

} // namespace

class TestEditGeometry : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        StartOnce();
        FormKelpa::Instance().show();
    }

    void placeRestoredFromPositionEdit()
    {
        EnterTestFolder();
        if (EditOpen == 1)
            QVERIFY(Editor().Unload());
        KELPA::WindowState = 0;
        PositionEdit = QStringLiteral("-100,999999,20,300");
        Editor().Load();
        QCOMPARE(PositionEdit, QStringLiteral("0,7910,20,300"));
        QVERIFY(Near(Editor().Left(), 0));
        QVERIFY(Near(Editor().Top(), 20));
        QVERIFY(Near(Editor().Width(), 7910));
        QVERIFY(Near(Editor().Height(), 3270)); // raised by the first resize
    }

    void neverSmallerThanItsMinimum()
    {
        if (EditOpen == 0)
            Editor().Load();
        Editor().MoveTo(0, 0, 4000, 1500);
        QTRY_VERIFY(Near(Editor().Width(), 7910) && Near(Editor().Height(), 3270));
        Editor().MoveTo(0, 0, 9000, 6000);
        QTRY_VERIFY(Near(Editor().Height(), 6000));
        // The list and the lower frame follow the client area.
        QVERIFY(Editor().FrameNOT->geometry().bottom() < Editor().height());
        QVERIFY(Editor().ListRead->geometry().bottom() < Editor().FrameNOT->geometry().top());
    }

    void alignFitsTheMainWindow_data()
    {
        QTest::addColumn<bool>("list");
        QTest::addColumn<bool>("buttons");
        QTest::addColumn<double>("reserve");
        QTest::newRow("no bars") << false << false << 1675.0;
        QTest::newRow("button bar") << false << true << 2095.0;
        QTest::newRow("list area") << true << false << 3675.0;
        QTest::newRow("both bars") << true << true << 4095.0;
    }
    void alignFitsTheMainWindow()
    {
        QFETCH(bool, list);
        QFETCH(bool, buttons);
        QFETCH(double, reserve);
        FormKelpa& main = FormKelpa::Instance();
        if (EditOpen == 0)
            Editor().Load();
        main.resize(900, 700);
        main.PictureList->setHidden(!list);
        main.PictureButtons->setHidden(!buttons);
        Editor().MoveTo(300, 300, 8000, 4000);
        Editor().AlignForm();
        const double transfer = FormHTTP::Instance().Height();
        QVERIFY(Near(Editor().Left(), 0));
        QVERIFY(Near(Editor().Top(), transfer));
        QVERIFY(Near(Editor().Width(), main.Width() - 175));
        QVERIFY2(Near(Editor().Height(), std::max(main.Height() - reserve - transfer, 3270.0)),
                 qPrintable(QString::number(Editor().Height())));
        main.PictureList->setHidden(false);
        main.PictureButtons->setHidden(false);
    }
};

KELPA_TEST_MAIN(TestEditGeometry)
#include "test_edit_geometry.moc"
