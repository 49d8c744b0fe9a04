#pragma once
#include "platform/widgets/control.h"

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Option buttons with the same parent form one group: selecting one clears the others.
// The group is one stop of the focus order, its selected option; the arrow keys move the
// focus through the group and select the option they reach.
class OptionButton final : public Control {
public:
    OptionButton(Control& parent, std::string caption, double left, double top, double width,
                 double height);
    const std::string& caption() const { return caption_; }
    void set_caption(std::string caption);
    // How far from the button's left edge the button draws its circle and this caption,
    // in its font, in twips (rounded up to a whole pixel).
    double caption_end(std::string_view caption) const;
    bool value() const { return value_; }
    // Selecting by program raises on_click, as a click by the user does.
    void set_value(bool value);

    void on_click(Handler handler) { on_click_ = std::move(handler); }

protected:
    void push(unsigned what) override;

private:
    // The option buttons of this one's parent, this one among them, in the order made.
    std::vector<OptionButton*> group() const;
    // The next enabled, visible option of the group in the step's direction, wrapping
    // round; none where this is the only one.
    OptionButton* neighbour(int step) const;
    bool is_tab_stop() const;
    void clicked_by_user();

    Handler on_click_;
    std::string caption_;
    bool value_ = false;

    friend class OptionWidget;
};

} // namespace platform
