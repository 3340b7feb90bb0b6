#include "tests/support/MsgBoxScript.h"

#include <QTest>

namespace testsupport {

namespace {

QString describe(const QString& prompt, int style, const QString& title)
{
    return QStringLiteral("\"%1\" (style %2, title \"%3\")").arg(prompt).arg(style).arg(title);
}

} // namespace

QString MsgBoxScript::describeExpected(const Expected& e)
{
    return QStringLiteral("\"%1\" (style %2, title %3)")
        .arg(e.prompt, e.style ? QString::number(*e.style) : QStringLiteral("any"),
             e.title ? QLatin1Char('"') + *e.title + QLatin1Char('"') : QStringLiteral("any"));
}

MsgBoxScript::MsgBoxScript() : ExpectedScript(QStringLiteral("expected message box not shown: "))
{
    previous_ =
        platform::SetMsgBoxHandler([this](const QString& prompt, int style, const QString& title) {
            return answer(prompt, style, title);
        });
}

MsgBoxScript::~MsgBoxScript()
{
    platform::SetMsgBoxHandler(std::move(previous_));
    failUnmet();
}

MsgBoxScript& MsgBoxScript::expect(const QString& prompt, int answer, Match match)
{
    script_.append(Expected{prompt, match, answer, std::nullopt, std::nullopt});
    return *this;
}

MsgBoxScript& MsgBoxScript::withStyle(int style)
{
    Q_ASSERT(!script_.isEmpty());
    script_.last().style = style;
    return *this;
}

MsgBoxScript& MsgBoxScript::withTitle(const QString& title)
{
    Q_ASSERT(!script_.isEmpty());
    script_.last().title = title;
    return *this;
}

bool MsgBoxScript::matches(const Expected& e, const QString& prompt, int style,
                           const QString& title)
{
    if (e.style && *e.style != style)
        return false;
    if (e.title && *e.title != title)
        return false;
    switch (e.match) {
    case Match::Contains:
        return prompt.contains(e.prompt);
    case Match::Pattern:
        return QRegularExpression(e.prompt).match(prompt).hasMatch();
    case Match::Exact:
        break;
    }
    return prompt == e.prompt;
}

int MsgBoxScript::answer(const QString& prompt, int style, const QString& title)
{
    shown_.append(Shown{prompt, style, title});
    if (next_ < script_.size() && matches(script_[next_], prompt, style, title))
        return script_[next_++].answer;

    QString failure = QStringLiteral("unexpected message box ") + describe(prompt, style, title);
    if (next_ < script_.size()) {
        failure += QStringLiteral("; expected ") + describeExpected(script_[next_]);
    } else {
        failure += QStringLiteral("; the script is used up");
    }
    fail(failure);
    return platform::vbCancel;
}

} // namespace testsupport
