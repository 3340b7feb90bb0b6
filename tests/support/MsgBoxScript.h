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
#include "tests/support/ExpectedScript.h"

#include <QList>
#include <QRegularExpression>
#include <QString>

#include <optional>

namespace testsupport {

// An expected message box and its answer.
struct ExpectedBox {
    enum class Match { Exact, Contains, Pattern };
    QString prompt;
    Match match = Match::Exact;
    int answer = platform::vbOK;
    std::optional<int> style;
    std::optional<QString> title;
};

class MsgBoxScript final : public ExpectedScript<MsgBoxScript, ExpectedBox> {
public:
    using Match = ExpectedBox::Match;
    using Expected = ExpectedBox;

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

    static QString describeExpected(const Expected& e);

private:
    int answer(const QString& prompt, int style, const QString& title);
    static bool matches(const Expected& e, const QString& prompt, int style, const QString& title);

    QList<Shown> shown_;
    platform::MsgBoxHandler previous_;
};

} // namespace testsupport

#define KELPA_VERIFY_MSGBOXES(script) QVERIFY2((script).verify(), qPrintable((script).report()))
