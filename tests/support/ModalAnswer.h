#pragma once
// Answers a named modal window in place of a user: while an answer lives,
// each time that window is shown modally the action runs on it (clicks, typed
// text, checks); a window the action leaves open is then unloaded, so no
// test waits on it. Other windows go to the hook that was installed before.
//
//     ModalAnswer assistant("FormAssistant", [](platform::Form& f) { ... });
//     ...run the code...
//     QCOMPARE(assistant.shown(), 1);
//     QVERIFY(!assistant.leftOpen());   // the action closed it itself

#include "platform/forms/Form.h"

#include <functional>
#include <utility>

namespace testsupport {

class ModalAnswer {
public:
    ModalAnswer(const char* name, std::function<void(platform::Form&)> action)
        : name_(QLatin1String(name)), action_(std::move(action))
    {
        previous_ = platform::Form::SetModalHook([this](platform::Form& form) {
            if (form.objectName() != name_)
                return previous_ ? previous_(form) : false;
            ++shown_;
            action_(form);
            if (form.Loaded()) {
                leftOpen_ = true;
                form.Unload();
            }
            return true;
        });
    }
    ~ModalAnswer() { platform::Form::SetModalHook(std::move(previous_)); }
    ModalAnswer(const ModalAnswer&) = delete;
    ModalAnswer& operator=(const ModalAnswer&) = delete;

    int shown() const { return shown_; }
    bool leftOpen() const { return leftOpen_; }

private:
    QString name_;
    std::function<void(platform::Form&)> action_;
    platform::Form::ModalHook previous_;
    int shown_ = 0;
    bool leftOpen_ = false;
};

} // namespace testsupport
