// Every caption of the options window fits its control, and every control in
// a frame stands clear of the frame's border and caption and of the other
// frames, at the window's minimum size and at the height it opens with, in
// English and in German.

#include "main/Kelpa.h"
#include "settings/FormOptions.h"
#include "tests/main/StartupFixture.h"
#include "tests/support/CaptionFit.h"
#include "tests/support/TestMain.h"
#include "texts/Sprache.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

using namespace testsupport;

namespace {

// The width a caption needs: its text, and for a check box the box and
// the gap before the text; for a frame a margin either side.
int Needed(const QWidget* control, const QString& text)
{
    const int advance = control->fontMetrics().horizontalAdvance(QString(text).remove('&'));
    if (qobject_cast<const QCheckBox*>(control)) {
        const QStyle* style = control->style();
        return advance + style->pixelMetric(QStyle::PM_IndicatorWidth) +
               style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing) + 2;
    }
    if (qobject_cast<const QGroupBox*>(control))
        return advance + 16;
    if (qobject_cast<const QPushButton*>(control))
        return advance + 6;
    return advance;
}

QStringList Clipped(const FormOptions& window)
{
    QStringList clipped;
    for (const QWidget* control : window.findChildren<QWidget*>()) {
        QString text;
        if (auto* label = qobject_cast<const QLabel*>(control))
            text = label->text();
        else if (auto* button = qobject_cast<const QAbstractButton*>(control))
            text = button->text();
        else if (auto* frame = qobject_cast<const QGroupBox*>(control))
            text = frame->title();
        if (text.isEmpty())
            continue;
        const int needed = Needed(control, text);
        if (needed > control->width())
            clipped.append(QStringLiteral("%1 \"%2\": %3 > %4")
                               .arg(control->objectName(), text)
                               .arg(needed)
                               .arg(control->width()));
    }
    return clipped;
}

// Controls on a frame's border or caption or on another frame.
QStringList Misplaced(const FormOptions& window)
{
    QStringList misplaced;
    const QList<QGroupBox*> frames = window.findChildren<QGroupBox*>();
    for (const QGroupBox* frame : frames) {
        for (const QWidget* control : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (!control->isHidden())
                misplaced << testsupport::PlaceProblem(control);
        for (const QGroupBox* other : frames)
            if (other != frame && other->geometry().intersects(frame->geometry()))
                misplaced << frame->objectName() + QLatin1String(" covers ") + other->objectName();
    }
    misplaced.removeAll(QString());
    return misplaced;
}

} // namespace

class TestOptionsCaptions : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        EnterFreshFolder(QStringLiteral("captions"));
        FormOptions::Instance().OptionsFirstShown = 1;
    }

    void captionsFit_data()
    {
        QTest::addColumn<bool>("german");
        QTest::addColumn<double>("height");
        QTest::newRow("English, minimum") << false << 3000.0;
        QTest::newRow("English, as opened") << false << 4330.0;
        QTest::newRow("German, minimum") << true << 3000.0;
        QTest::newRow("German, as opened") << true << 4330.0;
    }
    void captionsFit()
    {
        QFETCH(bool, german);
        QFETCH(double, height);
        german ? TexteDeutsch() : TexteEnglisch();
        FormOptions& window = FormOptions::Instance();
        window.Load();
        window.CheckRestHome->setChecked(true); // shows the home-site box
        window.MoveTo(0, 0, 8000, height);
        window.Form_Resize();
        const QStringList clipped = Clipped(window) + Misplaced(window);
        window.Unload();
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1String("; "))));
    }
};

KELPA_TEST_MAIN(TestOptionsCaptions)
#include "test_options_captions.moc"
