#pragma once
// Scripted answers to the program's message boxes. While a script lives it is
// the handler of platform::MsgBox(): each box must be the next one expected;
// it gets the scripted answer at once and is recorded. A box that is not the
// next expected one (wrong prompt, style or title, or the script is used up)
// fails the running test and gets Cancel (2); no box ever waits for a user.
//
//     MsgBoxScript boxes;
//     boxes.expect("Exit the program?", platform::vbYes).withStyle(68).withTitle("Kelpa");
//     boxes.expect("File not found!", platform::vbOK, MsgBoxScript::Match::Contains);
//     ...run the code...
//     KELPA_VERIFY_MSGBOXES(boxes);   // every expected box was shown, none other

#include "platform/msgbox/MsgBox.h"

#include <QList>
#include <QRegularExpression>
#include <QString>

#include <optional>

namespace testsupport {

class MsgBoxScript final {
public:
    enum class Match { Exact, Contains, Pattern };

    struct Expected {
        QString prompt;
        Match match = Match::Exact;
        int answer = platform::vbOK;
        std::optional<int> style;
        std::optional<QString> title;
    };

    struct Shown {
        QString prompt;
        int style;
        QString title;
    };

    // Installs the script as the handler; the destructor puts the previous
    // handler back and fails the test for expected boxes that never came,
    // unless verify() was asked or the test has failed already.
    MsgBoxScript();
    ~MsgBoxScript();
    MsgBoxScript(const MsgBoxScript&) = delete;
    MsgBoxScript& operator=(const MsgBoxScript&) = delete;

    // Appends an expected box and its answer. The prompt is compared exactly
    // (CR LF as given), as a substring or as a regular expression.
    MsgBoxScript& expect(const QString& prompt, int answer, Match match = Match::Exact);
    // The last expected box must also have this style, or this title.
    MsgBoxScript& withStyle(int style);
    MsgBoxScript& withTitle(const QString& title);

    // Every box shown while the script lived, expected or not, in order.
    const QList<Shown>& shown() const { return shown_; }
    // One line per unexpected box, in order.
    const QStringList& failures() const { return failures_; }
    // Expected boxes not shown yet.
    qsizetype pending() const { return script_.size() - next_; }

    // True when every expected box was shown and no other; report() says why not.
    bool verify();
    QString report() const;

    // On (the default), an unexpected box fails the running test at once
    // through QTest. Off, it is only recorded in failures().
    void setFailTest(bool on) { failTest_ = on; }

private:
    int answer(const QString& prompt, int style, const QString& title);
    static bool matches(const Expected& e, const QString& prompt, int style, const QString& title);

    QList<Expected> script_;
    qsizetype next_ = 0;
    QList<Shown> shown_;
    QStringList failures_;
    bool failTest_ = true;
    bool verified_ = false;
    platform::MsgBoxHandler previous_;
};

} // namespace testsupport

#define KELPA_VERIFY_MSGBOXES(script) QVERIFY2((script).verify(), qPrintable((script).report()))
