#pragma once
// Scripted answers to the program's file and directory chooser. While a
// script lives, each chooser shown modally must be the next one expected: the
// script types the planned path into its text box and clicks OK, so that the
// chooser's own checks run (a save name, the overwrite question, which a
// MsgBoxScript answers, a directory name), or it clicks Cancel. A chooser
// that is not the next expected one (wrong title or filter, or the script is
// used up) fails the running test and is cancelled; none ever waits for a user.
//
//     ChooseScript choosers;
//     choosers.expectPath("C:\\x\\job.tsk").withTitle(KELPA::LanguageText[57]);
//     choosers.expectCancel();
//     ...run the code...
//     KELPA_VERIFY_CHOOSERS(choosers);   // every expected chooser came, none other
//
// A chooser that should refuse a path and stay open takes further steps:
//     choosers.expectPath("C:\\a|b").thenPath("C:\\ab");   // the first is refused
//     choosers.expectPath("C:\\old.tsk").thenCancel();      // answered No, then left

#include "platform/forms/Form.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace testsupport {

class ChooseScript final {
public:
    // One step on an open chooser: a path typed and OK clicked, Cancel, or
    // a test's own action on the window.
    struct Step {
        enum class Kind { Path, Cancel, Action } kind = Kind::Path;
        QString path;
        std::function<void(platform::Form&)> action;
    };

    struct Expected {
        QList<Step> steps;
        std::optional<QString> title;
        std::optional<QString> filter;
    };

    struct Shown {
        QString title;  // the chooser's caption
        QString filter; // ChooseFilter when it showed
    };

    // Installs the script as the modal hook for the chooser; the destructor
    // puts the previous hook back and fails the test for expected choosers
    // that never came, unless verify() was asked or the test has failed already.
    ChooseScript();
    ~ChooseScript();
    ChooseScript(const ChooseScript&) = delete;
    ChooseScript& operator=(const ChooseScript&) = delete;

    // Appends an expected chooser answered with path and OK, or with Cancel.
    ChooseScript& expectPath(const QString& path);
    ChooseScript& expectCancel();
    // Appends an expected chooser that the test handles itself; the chooser
    // must be closed when the action returns.
    ChooseScript& expectAction(std::function<void(platform::Form&)> action);
    // Further steps on the last expected chooser: each earlier step must
    // leave it open, the last must close it.
    ChooseScript& thenPath(const QString& path);
    ChooseScript& thenCancel();
    ChooseScript& thenAction(std::function<void(platform::Form&)> action);
    // The last expected chooser must also have this caption, or this filter.
    ChooseScript& withTitle(const QString& title);
    ChooseScript& withFilter(const QString& filter);

    const QList<Shown>& shown() const { return shown_; }
    const QStringList& failures() const { return failures_; }
    qsizetype pending() const { return script_.size() - next_; }

    // True when every expected chooser came and did as planned, and no other.
    bool verify();
    QString report() const;

    // On (the default), a failure fails the running test at once through
    // QTest. Off, it is only recorded in failures().
    void setFailTest(bool on) { failTest_ = on; }

    // Types a path into an open chooser and clicks OK; clicks Cancel.
    static void typeAndOk(platform::Form& chooser, const QString& path);
    static void cancel(platform::Form& chooser);

private:
    bool answer(platform::Form& form);
    void fail(const QString& failure);

    QList<Expected> script_;
    qsizetype next_ = 0;
    QList<Shown> shown_;
    QStringList failures_;
    bool failTest_ = true;
    bool verified_ = false;
    platform::Form::ModalHook previous_;
};

} // namespace testsupport

#define KELPA_VERIFY_CHOOSERS(script) QVERIFY2((script).verify(), qPrintable((script).report()))
