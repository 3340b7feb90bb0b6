#include "platform/msgbox/StandardTexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace platform {

void SetStandardTextsGerman(bool german)
{
    if (!QCoreApplication::instance())
        return;
    // Loaded once and kept: the program switches at most from English to
    // German (the installer's choice), the tests back and forth.
    static QTranslator* translator = [] {
        auto* loaded = new QTranslator(QCoreApplication::instance());
        if (!loaded->load(QStringLiteral("qtbase_de"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            qWarning("Qt's German texts (qtbase_de.qm) are missing: standard buttons stay English");
        return loaded;
    }();
    QCoreApplication::removeTranslator(translator);
    if (german)
        QCoreApplication::installTranslator(translator);
}

} // namespace platform
