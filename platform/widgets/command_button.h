#pragma once
// A push button with a caption and its own keys.
#include "platform/widgets/control.h"

#include <string>

namespace platform {

class CommandButton final : public Control {
public:
    CommandButton(Control& parent, std::string caption, double left, double top, double width,
                  double height);
    const std::string& caption() const { return caption_; }
    void set_caption(std::string caption);

    void on_click(Handler handler) { on_click_ = std::move(handler); }
    // A key going down while the button has the focus; a key it is given to goes no
    // further, so the window's on_key_down does not see it again.
    void on_key_down(KeyHandler handler) { on_key_down_ = std::move(handler); }

protected:
    void push(unsigned what) override;

private:
    // Runs the click handler, on a click of the button.
    void click() const;

    Handler on_click_;
    KeyHandler on_key_down_;
    std::string caption_;
};

} // namespace platform
