#include "platform/forms/Paced.h"

#include "platform/pump/Frames.h"

#include <algorithm>
#include <utility>

namespace platform {

Paced::Paced(std::function<void()> update, QObject* parent)
    : QObject(parent), update_(std::move(update))
{
    due_.setSingleShot(true);
    connect(&due_, &QTimer::timeout, this, [this] { UpdateNow(); });
}

void Paced::Changed()
{
    const qint64 wait = updated_.isValid() ? FrameIntervalMs - updated_.elapsed() : 0;
    if (wait <= 0 && !waiting_) {
        Update();
        return;
    }
    waiting_ = true;
    if (!due_.isActive())
        due_.start(int(std::max<qint64>(wait, 0)));
}

void Paced::UpdateNow()
{
    if (waiting_)
        Update();
}

void Paced::Drop()
{
    waiting_ = false;
    due_.stop();
}

void Paced::Update()
{
    Drop();
    updated_.start();
    update_();
}

PacedText::PacedText(std::function<void(const QString&)> show)
    : show_(std::move(show)), paced_([this] {
          const QString text = std::exchange(held_, QString());
          show_(text);
      })
{
}

void PacedText::Set(const QString& text)
{
    held_ = text;
    paced_.Changed();
}

void PacedText::SetNow(const QString& text)
{
    held_ = text;
    paced_.Changed();
    paced_.UpdateNow();
}

} // namespace platform
