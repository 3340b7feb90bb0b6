#include "tests/support/ChooseScript.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace testsupport {

namespace {

const QLatin1String ChooserName("FormChoose");

QString describe(const ChooseScript::Shown& s)
{
    return QStringLiteral("\"%1\" (filter \"%2\")").arg(s.title, s.filter);
}

QString describe(const ChooseScript::Expected& e)
{
    return QStringLiteral("%1 (filter %2)")
        .arg(e.title ? QLatin1Char('"') + *e.title + QLatin1Char('"') : QStringLiteral("any"),
             e.filter ? QLatin1Char('"') + *e.filter + QLatin1Char('"') : QStringLiteral("any"));
}

QString describe(const ChooseScript::Step& step)
{
    switch (step.kind) {
    case ChooseScript::Step::Kind::Path:
        return QStringLiteral("path \"%1\" and OK").arg(step.path);
    case ChooseScript::Step::Kind::Cancel:
        return QStringLiteral("Cancel");
    case ChooseScript::Step::Kind::Action:
        break;
    }
    return QStringLiteral("the test's action");
}

template <typename T> T* child(platform::Form& form, const char* name)
{
    return form.findChild<T*>(QLatin1String(name));
}

} // namespace

ChooseScript::ChooseScript()
{
    previous_ = platform::Form::SetModalHook([this](platform::Form& form) {
        if (form.objectName() == ChooserName)
            return answer(form);
        return previous_ ? previous_(form) : false;
    });
}

ChooseScript::~ChooseScript()
{
    platform::Form::SetModalHook(std::move(previous_));
    if (!verified_ && failTest_ && pending() > 0 && !QTest::currentTestFailed())
        QTest::qFail(qPrintable(report()), __FILE__, __LINE__);
}

ChooseScript& ChooseScript::expectPath(const QString& path)
{
    script_.append(Expected{});
    return thenPath(path);
}

ChooseScript& ChooseScript::expectCancel()
{
    script_.append(Expected{});
    return thenCancel();
}

ChooseScript& ChooseScript::expectAction(std::function<void(platform::Form&)> action)
{
    script_.append(Expected{});
    return thenAction(std::move(action));
}

ChooseScript& ChooseScript::thenPath(const QString& path)
{
    Q_ASSERT(!script_.isEmpty());
    script_.last().steps.append(Step{Step::Kind::Path, path, {}});
    return *this;
}

ChooseScript& ChooseScript::thenCancel()
{
    Q_ASSERT(!script_.isEmpty());
    script_.last().steps.append(Step{Step::Kind::Cancel, {}, {}});
    return *this;
}

ChooseScript& ChooseScript::thenAction(std::function<void(platform::Form&)> action)
{
    Q_ASSERT(!script_.isEmpty());
    script_.last().steps.append(Step{Step::Kind::Action, {}, std::move(action)});
    return *this;
}

ChooseScript& ChooseScript::withTitle(const QString& title)
{
    Q_ASSERT(!script_.isEmpty());
    script_.last().title = title;
    return *this;
}

ChooseScript& ChooseScript::withFilter(const QString& filter)
{
    Q_ASSERT(!script_.isEmpty());
    script_.last().filter = filter;
    return *this;
}

void ChooseScript::typeAndOk(platform::Form& chooser, const QString& path)
{
    QLineEdit* text = child<QLineEdit>(chooser, "TextSearch");
    QPushButton* ok = child<QPushButton>(chooser, "CommandSearchOK");
    if (text == nullptr || ok == nullptr)
        return;
    text->setText(path);
    ok->click();
}

void ChooseScript::cancel(platform::Form& chooser)
{
    if (QPushButton* button = child<QPushButton>(chooser, "CommandSearchCancel"))
        button->click();
}

void ChooseScript::fail(const QString& failure)
{
    failures_.append(failure);
    if (failTest_)
        QTest::qFail(qPrintable(failure), __FILE__, __LINE__);
}

bool ChooseScript::answer(platform::Form& form)
{
    const QComboBox* patterns = child<QComboBox>(form, "ComboSearch");
    const Shown shown{form.Caption(),
                      patterns && patterns->count() > 0 ? patterns->itemText(0) : QString()};
    shown_.append(shown);
    const bool planned = next_ < script_.size() &&
                         (!script_[next_].title || *script_[next_].title == shown.title) &&
                         (!script_[next_].filter || *script_[next_].filter == shown.filter);
    if (!planned) {
        QString failure = QStringLiteral("unexpected chooser ") + describe(shown);
        failure += next_ < script_.size() ? QStringLiteral("; expected ") + describe(script_[next_])
                                          : QStringLiteral("; the script is used up");
        fail(failure);
        cancel(form);
        if (form.Loaded())
            form.Unload();
        return true;
    }
    const Expected& expected = script_[next_++];
    for (qsizetype i = 0; i < expected.steps.size(); ++i) {
        const Step& step = expected.steps[i];
        if (!form.Loaded()) {
            fail(QStringLiteral("chooser ") + describe(shown) + QStringLiteral(" closed before ") +
                 describe(step));
            return true;
        }
        switch (step.kind) {
        case Step::Kind::Path:
            typeAndOk(form, step.path);
            break;
        case Step::Kind::Cancel:
            cancel(form);
            break;
        case Step::Kind::Action:
            step.action(form);
            break;
        }
    }
    if (form.Loaded()) {
        fail(QStringLiteral("chooser ") + describe(shown) + QStringLiteral(" stayed open after ") +
             describe(expected.steps.last()));
        cancel(form);
        if (form.Loaded())
            form.Unload();
    }
    return true;
}

bool ChooseScript::verify()
{
    verified_ = true;
    return failures_.isEmpty() && pending() == 0;
}

QString ChooseScript::report() const
{
    QStringList lines = failures_;
    for (qsizetype i = next_; i < script_.size(); ++i)
        lines.append(QStringLiteral("expected chooser not shown: ") + describe(script_[i]));
    return lines.join(QLatin1Char('\n'));
}

} // namespace testsupport
