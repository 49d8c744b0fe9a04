#include "platform/widgets/mouse_relay.h"

#include "platform/widgets/app_state.h"
#include "platform/widgets/qt_bridge.h"

#include <QMouseEvent>
#include <QWidget>

namespace platform {

MouseRelay::MouseRelay(QWidget* widget, MouseHandler& handler, bool consume)
    : QObject(widget), widget_(widget), handler_(handler), consume_(consume)
{
    widget->installEventFilter(this);
}

bool MouseRelay::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != widget_) return false;
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonDblClick) return false;
    auto* press = static_cast<QMouseEvent*>(event);
    const int button = qt::mouse_button(press->button());
    const int shift = qt::shift_mask(press->modifiers());
    const QPointF at = press->position();
    if (handler_ && button != 0) {
        dispatch_event([&] { handler_(button, shift, qt::to_twips(at.x()), qt::to_twips(at.y())); });
        Control::flush_all();
    }
    return consume_;
}

} // namespace platform
