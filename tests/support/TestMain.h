#pragma once
// Entry point of every test executable: a clean home of the test's own (the
// folders named by HOME, XDG_DATA_HOME and XDG_RUNTIME_DIR, emptied first), a
// temporary current directory, the offscreen application, then the QtTest run.

#include <QApplication>
#include <QTest>

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
        QApplication app(argc, argv);                                                              \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
