#pragma once
// Helpers for tests of the list editor: the program started once, a fresh
// folder per case with the editor open over an idle main window, and what the
// editor shows.

#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "main/LitLamp.h"
#include "tests/main/StartupFixture.h"
#include "tools/FormEdit.h"
#include "tools/ListLines.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>

namespace testsupport {

inline FormEdit& Editor()
{
    return FormEdit::Instance();
}

// A fresh folder, an idle main window whose start controls are enabled, and
// the editor opened anew.
inline void OpenEditorIdle()
{
    EnterTestFolder();
    FormKelpa& main = FormKelpa::Instance();
    KELPA::Running = 0;
    KELPA::UseRecycleBin = 0;
    KELPA::InputFile = QStringLiteral("KELPA.INP");
    main.CheckStart->setChecked(false);
    main.CommandStart->setEnabled(true);
    main.MenuEntry("MenuStart")->setEnabled(true);
    main.IndiLED(QString());
    if (KELPA::EditOpen == 1)
        QVERIFY(Editor().Unload());
    Editor().Load();
    QCOMPARE(KELPA::EditOpen, int16_t(1));
}

// Every line the editor lists, whole.
inline QStringList Listed()
{
    QStringList lines;
    for (qsizetype row = 0; row < Editor().Lines->Count(); ++row)
        lines.append(Editor().Lines->Line(row));
    return lines;
}

inline QString SelectedLine()
{
    return Editor().Lines->Line(Editor().ListRead->currentIndex().row());
}

inline bool StartEnabled()
{
    FormKelpa& main = FormKelpa::Instance();
    return main.CommandStart->isEnabled() && main.MenuEntry("MenuStart")->isEnabled();
}

inline bool WaitLampLit()
{
    return FormKelpa::Instance().PictureWaitOn->Lit();
}

// The enabled flags of LINKS0.INP's, LINKS1.INP's and COMPLETE.ENP's buttons
// ("111" all enabled).
inline QString RunListButtons()
{
    QString flags;
    for (const QPushButton* b :
         {Editor().CommandLinks0, Editor().CommandLinks1, Editor().CommandComplete})
        flags += b->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
    return flags;
}

} // namespace testsupport
