#pragma once
// Window painting at a bounded frame rate. A run yields to the event loop
// after every step, and every yield would paint what changed since the last
// one; the limiter lets a window paint at most once per frame interval and
// paints what was held back as soon as the interval is over, so the window
// keeps showing the run without painting for every step of it.

namespace platform {

// Milliseconds between two paints of one window: twenty frames a second
// show a busy run smoothly, and a frame of the main window during a run costs
// a few milliseconds of the run's own time.
constexpr int FrameIntervalMs = 50;

// Installs the limiter on the application (once; later calls do nothing).
// DoEvents() and WaitEvents() call it.
void LimitFrames();

} // namespace platform
