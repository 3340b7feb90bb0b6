#include "preview/PreviewPace.h"

#include <QElapsedTimer>

namespace preview {

bool Pace::Take(qint64 nowMs)
{
    if (Wait(nowMs) > 0)
        return false;
    last_ = nowMs;
    return true;
}

qint64 Pace::Wait(qint64 nowMs) const
{
    if (last_ < 0 || nowMs - last_ >= interval_ || nowMs < last_)
        return 0;
    return interval_ - (nowMs - last_);
}

qint64 NowMs()
{
    static QElapsedTimer clock;
    if (!clock.isValid())
        clock.start();
    return clock.elapsed();
}

} // namespace preview
