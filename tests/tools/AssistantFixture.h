#pragma once
// Helpers for tests that drive the task assistant as a user does: the step
// shown, Continue's caption, the closing box of a finish, an options window
// with every box ticked or none, and one walk through the steps of a kind.

#include "main/Kelpa.h"
#include "platform/msgbox/MsgBox.h"
#include "settings/FormOptions.h"
#include "tests/main/RunFixture.h"
#include "tests/support/MsgBoxScript.h"
#include "tools/FormAssistant.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace testsupport {

inline FormAssistant& A()
{
    return FormAssistant::Instance();
}

inline int Step()
{
    for (int n = 1; n <= 6; ++n)
        if (A().Frame[n]->isVisible())
            return n;
    return 0;
}

inline QString ContinueText()
{
    return A().CommandContinue->text();
}

// A fresh folder and a plain run's settings, no run going on, no delayed
// start armed, and no comments left from an earlier task (a task keeps
// those unless it brings its own).
inline void PrepareAssistant()
{
    PrepareRun(QString(), 0);
    KELPA::Running = 0;
    KELPA::AbortTransfer = 0;
    KELPA::AssistantStartSet = 0;
    for (QString& line : KELPA::Comment)
        line.clear();
}

// The closing box of a finish.
inline void ExpectClosing(MsgBoxScript& boxes)
{
    boxes.expect(KELPA::LanguageText[35], platform::vbOK, MsgBoxScript::Match::Contains)
        .withStyle(0)
        .withTitle(KELPA::LanguageText[1]);
}

// Every box of the options window that the hand-over writes, ticked or not.
inline void SetAllOptionBoxes(bool on)
{
    FormOptions& o = FormOptions::Instance();
    o.Load();
    for (QCheckBox* box :
         {o.CheckRestHome, o.CheckSaveHTML, o.CheckImages, o.CheckJavaApplets, o.CheckCGI,
          o.CheckDLL, o.CheckEXE, o.CheckGIF, o.CheckJPG, o.CheckMAP, o.CheckTXT, o.CheckZIP,
          o.CheckMovies, o.CheckSounds, o.CheckLocalBrowsing, o.CheckSubDirectories,
          o.CheckMetaRefresh, o.CheckRelocation})
        box->setChecked(on);
    o.TextOnlySite->setText(on ? QStringLiteral("old") : QString());
    o.TextNoSite->setText(on ? QStringLiteral("bad") : QString());
    o.TextTimeout->setText(QStringLiteral("30"));
    o.TextDepth->setText(QStringLiteral("5"));
}

// From step 1 with the design choices to step 3 with a start URL typed and
// the automatic start chosen.
inline void ToAutomaticStart()
{
    FormAssistant& a = A();
    a.CommandContinue->click();
    a.TextURL->setText(QStringLiteral("http://h/"));
    a.CommandContinue->click();
    a.Option6->click();
}

// Walks one path: kind 1 to 4, the start URL typed, Continue to the end.
// Checks the frames, captions, labels and Continue's state on the way and
// goes Back one step from each step and forward again.
inline void Walk(QRadioButton* kind, int steps)
{
    FormAssistant& a = A();
    QCOMPARE(Step(), 1);
    QCOMPARE(a.CommandBack->text(), KELPA::LanguageText[4]);
    kind->click();
    QVERIFY(a.CommandContinue->isEnabled());
    a.CommandContinue->click();
    QCOMPARE(Step(), 2);
    QCOMPARE(a.CommandBack->text(), KELPA::LanguageText[6]);
    QVERIFY(!a.CommandContinue->isEnabled()); // no URL yet
    a.CommandBack->click();
    QCOMPARE(Step(), 1);
    QCOMPARE(a.CommandBack->text(), KELPA::LanguageText[4]);
    a.CommandContinue->click();
    a.TextURL->setText(QStringLiteral("http://127.0.0.1:8/docs/index.html"));
    QVERIFY(a.CommandContinue->isEnabled());
    a.CommandContinue->click();
    QCOMPARE(Step(), 3);
    const bool single = kind == a.Option4;
    QCOMPARE(a.Label7->isVisible(), single);
    QCOMPARE(ContinueText(), KELPA::LanguageText[single ? 7 : 5]);
    a.CommandBack->click();
    QCOMPARE(Step(), 2);
    QVERIFY(a.CommandContinue->isEnabled()); // the URL is still there
    a.CommandContinue->click();
    QCOMPARE(ContinueText(), KELPA::LanguageText[single ? 7 : 5]);
    if (steps == 3)
        return;
    a.CommandContinue->click();
    QCOMPARE(Step(), 4);
    a.CommandBack->click();
    QCOMPARE(Step(), 3);
    a.CommandContinue->click();
    a.CommandContinue->click();
    QCOMPARE(Step(), 5);
    QCOMPARE(a.TextOnlySite->text(), QStringLiteral("/docs/"));
    QCOMPARE(a.Label14->isVisible(), steps == 5);
    QCOMPARE(ContinueText(), KELPA::LanguageText[steps == 5 ? 7 : 5]);
    QVERIFY(a.CommandContinue->isEnabled() && a.CommandBack->isEnabled());
    a.CommandBack->click();
    QCOMPARE(Step(), 4);
    QCOMPARE(ContinueText(), KELPA::LanguageText[5]);
    a.CommandContinue->click();
    if (steps == 5)
        return;
    a.CommandContinue->click();
    QCOMPARE(Step(), 6);
    QCOMPARE(ContinueText(), KELPA::LanguageText[7]);
    a.CommandBack->click();
    QCOMPARE(Step(), 5);
    QCOMPARE(ContinueText(), KELPA::LanguageText[5]);
    a.CommandContinue->click();
}

inline QRadioButton* Kind(int kind)
{
    QRadioButton* kinds[] = {A().Option1, A().Option2, A().Option3, A().Option4};
    return kinds[kind - 1];
}

inline int StepsOf(int kind)
{
    return kind == 4 ? 3 : kind == 3 ? 6 : 5;
}

} // namespace testsupport
