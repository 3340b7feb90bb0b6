#pragma once
// What changes many times a second during a run (a window's caption after
// every block received, the link box after every link, the log list after
// every line) is brought up to date on the screen at most once a frame:
// laying it out costs more than everything else done for it, and nobody
// reads faster than the window paints.

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

namespace platform {

class Paced : public QObject {
public:
    // update brings the display up to date.
    explicit Paced(std::function<void()> update, QObject* parent = nullptr);

    // The display is to change: updated at once when the last update is a
    // frame old, otherwise when the frame is over.
    void Changed();
    // Updates at once when a change is waiting.
    void UpdateNow();
    // Forgets a waiting change.
    void Drop();
    bool Waiting() const { return waiting_; }

private:
    void Update();

    std::function<void()> update_;
    bool waiting_ = false;
    QElapsedTimer updated_;
    QTimer due_;
};

// A text shown through Paced: the last text set is the one shown.
class PacedText {
public:
    // show puts a text on the screen.
    explicit PacedText(std::function<void(const QString&)> show);

    void Set(const QString& text);
    // Shows text at once, dropping what was held.
    void SetNow(const QString& text);

    // The text last set: the one held, else shown, the text on the screen.
    QString Last(const QString& shown) const { return paced_.Waiting() ? held_ : shown; }

private:
    std::function<void(const QString&)> show_;
    QString held_;
    Paced paced_;
};

} // namespace platform
