#pragma once
// What the scripts of expected windows share (the message-box script, the
// chooser script): the list of expected entries and how far it got, the
// failures met, the check at the end and its report.

#include <QList>
#include <QString>
#include <QStringList>
#include <QTest>

namespace testsupport {

// Derived names the script's class, which gives describeExpected(const Expected&).
template <typename Derived, typename Expected> class ExpectedScript {
public:
    // One line per failure, in order.
    const QStringList& failures() const { return failures_; }
    // Expected entries not met yet.
    qsizetype pending() const { return script_.size() - next_; }

    // True when every expected entry was met and nothing failed; report()
    // says why not.
    bool verify()
    {
        verified_ = true;
        return failures_.isEmpty() && pending() == 0;
    }
    QString report() const
    {
        QStringList lines = failures_;
        for (qsizetype i = next_; i < script_.size(); ++i)
            lines.append(notShown_ + Derived::describeExpected(script_[i]));
        return lines.join(QLatin1Char('\n'));
    }

    // On (the default), a failure fails the running test at once through
    // QTest. Off, it is only recorded in failures().
    void setFailTest(bool on) { failTest_ = on; }

protected:
    explicit ExpectedScript(const QString& notShown) : notShown_(notShown) {}
    ~ExpectedScript() = default;

    void fail(const QString& failure)
    {
        failures_.append(failure);
        if (failTest_)
            QTest::qFail(qPrintable(failure), __FILE__, __LINE__);
    }
    // For the destructor: fails the test for expected entries never met,
    // unless verify() was asked or the test has failed already.
    void failUnmet() const
    {
        if (!verified_ && failTest_ && pending() > 0 && !QTest::currentTestFailed())
            QTest::qFail(qPrintable(report()), __FILE__, __LINE__);
    }

    QList<Expected> script_;
    qsizetype next_ = 0;

private:
    QString notShown_;
    QStringList failures_;
    bool failTest_ = true;
    bool verified_ = false;
};

} // namespace testsupport
