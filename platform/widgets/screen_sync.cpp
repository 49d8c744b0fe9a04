#include "platform/widgets/screen_sync.h"

#include "platform/widgets/app_state.h"
#include "platform/widgets/control.h"

#include <QApplication>
#include <QTimer>

#include <algorithm>

namespace platform {

ScreenSync& ScreenSync::instance()
{
    static ScreenSync sync;
    return sync;
}

void ScreenSync::changed(Control* control)
{
    pending_.push_back(control);
    if (timer_ == nullptr) {
        timer_ = new QTimer(QApplication::instance());
        timer_->setSingleShot(true);
        QObject::connect(timer_, &QTimer::timeout, [this] { flush(); });
    }
    if (timer_->isActive()) return;
    const auto since = std::chrono::steady_clock::now() - last_flush_;
    const auto wait = std::max(std::chrono::steady_clock::duration::zero(), display_frame - since);
    timer_->start(std::chrono::duration_cast<std::chrono::milliseconds>(wait));
}

void ScreenSync::forget(Control* control)
{
    pending_.erase(std::remove(pending_.begin(), pending_.end(), control), pending_.end());
}

void ScreenSync::flush()
{
    last_flush_ = std::chrono::steady_clock::now();
    if (timer_ != nullptr) timer_->stop();
    // In the order the controls were noted. A control is noted first as it is made, after
    // its parent, so the first flush places parents before their children; later the order
    // does not matter, as a control's place is given in its parent's terms and the grid
    // places itself again when its frame is resized.
    std::vector<Control*> controls;
    controls.swap(pending_);
    for (Control* control : controls) control->flush();
}

} // namespace platform
