#include "platform/widgets/command_button.h"

#include "platform/widgets/control_events.h"
#include "platform/widgets/mouse_relay.h"
#include "platform/widgets/qt_bridge.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <qdrawutil.h>

namespace platform {

namespace {

// A push button whose keys go to the button's key handler first; a key that the button
// has a handler for is taken, so it does not travel on to the window. Enter presses the
// focused button, as Space does, as desktop buttons answer it. It is drawn as the classic
// raised button, its face in the button's back colour.
class ButtonWidget final : public QPushButton {
public:
    ButtonWidget(QWidget* parent, KeyHandler& on_key_down) : QPushButton(parent), on_key_down_(on_key_down) {}

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        const bool handled = run_key_handler(on_key_down_, *event);
        if (is_enter(*event) && isEnabled() && isVisible()) {
            click();
            event->accept();
            return;
        }
        QPushButton::keyPressEvent(event);
        if (handled) event->accept();
    }

    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const QBrush face = palette().brush(QPalette::Button);
        qDrawWinButton(&painter, rect(), palette(), isDown(), &face);
        const QRect caption_box = rect().adjusted(2, 2, -2, -2).translated(isDown() ? QPoint(1, 1) : QPoint());
        style()->drawItemText(&painter, caption_box, Qt::AlignCenter | Qt::TextShowMnemonic, palette(), isEnabled(),
                              text(), QPalette::ButtonText);
        if (hasFocus()) {
            QStyleOptionFocusRect focus;
            focus.initFrom(this);
            focus.rect = rect().adjusted(4, 4, -4, -4);
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
        }
    }

private:
    // Enter or Return, on the keypad or not, with no other key held.
    static bool is_enter(const QKeyEvent& event)
    {
        const bool enter = event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
        return enter && (event.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    }

    KeyHandler& on_key_down_;
};

} // namespace

CommandButton::CommandButton(Control& parent, std::string caption, double left, double top, double width,
                             double height)
    : Control(&parent, new ButtonWidget(parent.widget(), on_key_down_), left, top, width, height,
              system_button_face, system_button_text),
      caption_(std::move(caption))
{
    auto* button = static_cast<QPushButton*>(widget());
    QObject::connect(button, &QPushButton::clicked, [this] { click(); });
    new MouseRelay(widget(), on_mouse_down_, false);
}

void CommandButton::click() const { run_handler(on_click_); }

void CommandButton::set_caption(std::string caption) { change(caption_, std::move(caption), caption_changed); }

void CommandButton::push(unsigned what)
{
    Control::push(what);
    if (what & caption_changed) static_cast<QPushButton*>(widget())->setText(qt::to_shown_qstring(caption_));
    if (what & colours_changed) push_palette(QPalette::Button, QPalette::ButtonText);
}

} // namespace platform
