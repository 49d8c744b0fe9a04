#pragma once
// Mouse buttons pressed and released on a real widget, as the window system delivers them.
#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>

namespace testing_support {

inline void send_button(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button,
                        Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, at, widget->mapToGlobal(at), button, held, modifiers);
    QCoreApplication::sendEvent(widget, &event);
}

inline void left_click(QWidget* widget, QPoint at)
{
    send_button(widget, QEvent::MouseButtonPress, at, Qt::LeftButton);
    send_button(widget, QEvent::MouseButtonRelease, at, Qt::LeftButton);
}

} // namespace testing_support
