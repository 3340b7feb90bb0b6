#include "main/FormKelpa.h"

#include "main/Kelpa.h"
#include "main/StartupLanguage.h"
#include "texts/Sprache.h"

void FormKelpa::MDIForm_Load(const QString&)
{
    KELPA::Language = ReadLanguageLine(QStringLiteral("KELPA.INI"));
    TexteLaden(KELPA::Language);
    SetCaptions();
    setWindowTitle(DirectoryCaption(QString()));
    show();
}
