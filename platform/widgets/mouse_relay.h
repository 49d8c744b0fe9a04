#pragma once
// Hands a mouse-button press on a widget to its control's handler, in twips relative
// to the control. A control that consumes its presses keeps them from its own widget;
// the others (an option, a button) still react to them as usual.
#include "platform/widgets/control.h"

#include <QObject>

class QWidget;

namespace platform {

class MouseRelay final : public QObject {
public:
    // Lives as long as the widget, which owns it.
    MouseRelay(QWidget* widget, MouseHandler& handler, bool consume);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* widget_;
    MouseHandler& handler_;
    bool consume_;
};

} // namespace platform
