#pragma once
#include "platform/widgets/control.h"

#include <string>

namespace platform {

// Option buttons with the same parent form one group: selecting one clears the others.
class OptionButton final : public Control {
public:
    OptionButton(Control& parent, std::string caption, double left, double top, double width,
                 double height);
    const std::string& caption() const { return caption_; }
    void set_caption(std::string caption);
    bool value() const { return value_; }
    // Selecting by program raises on_click, as a click by the user does.
    void set_value(bool value);

    void on_click(Handler handler) { on_click_ = std::move(handler); }

protected:
    void push(unsigned what) override;

private:
    void clicked_by_user();

    Handler on_click_;
    std::string caption_;
    bool value_ = false;
};

} // namespace platform
