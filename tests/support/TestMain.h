#pragma once
// Entry point of every test executable: a clean home of the test's own (the
// folders named by HOME, XDG_DATA_HOME and XDG_RUNTIME_DIR, emptied first), a
// temporary current directory, the application, then the QtTest run. A test
// linked with Widgets gets the offscreen QApplication; a test of rules
// without widgets, linked against Qt Core alone, a QCoreApplication.

#include <QTest>

#ifdef QT_WIDGETS_LIB
#include <QApplication>
#define KELPA_TEST_APPLICATION QApplication
#else
#include <QCoreApplication>
#define KELPA_TEST_APPLICATION QCoreApplication
#endif

namespace testsupport {

// Prepares the folders and enters a fresh current directory; returns false
// when the environment points at something that is not a test home.
bool prepareTestHome();

} // namespace testsupport

#define KELPA_TEST_MAIN(TestClass)                                                                 \
    int main(int argc, char** argv)                                                                \
    {                                                                                              \
        if (!testsupport::prepareTestHome())                                                       \
            return 2;                                                                              \
        KELPA_TEST_APPLICATION app(argc, argv);                                                    \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
