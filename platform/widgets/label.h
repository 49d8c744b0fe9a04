#pragma once
#include "platform/widgets/control.h"

#include <string>

namespace platform {

class Window;

// A label of one line. Characters of the Webdings symbol font that this machine lacks
// (the two triangles) are drawn by the label itself.
class Label final : public Control {
public:
    Label(Control& parent, std::string caption, double left, double top, double width,
          double height);
    const std::string& caption() const { return caption_; }
    void set_caption(std::string caption);
    // A label that sizes itself takes the width and height of its caption in its font.
    bool auto_size() const { return auto_size_; }
    void set_auto_size(bool auto_size);
    // A transparent label shows what lies under it around its text; an opaque one fills
    // its box with its back colour, as labels do unless told otherwise.
    bool transparent() const { return transparent_; }
    void set_transparent(bool transparent);
    // The pointing hand of a link, shown while the pointer is over the label.
    bool link_cursor() const { return link_cursor_; }
    void set_link_cursor(bool link_cursor);
    // Shows the window's icon, at the label's size, in place of a caption.
    void set_picture_from(const Window& window);
    // A label that is a Tab stop takes the keyboard focus from the Tab key, as a picture
    // does, and shows it with a focus frame; a click leaves the focus where it was.
    bool tab_stop() const { return tab_stop_; }
    void set_tab_stop(bool tab_stop);

    // The handler of a left click on the label.
    void on_click(Handler handler) { on_click_ = std::move(handler); }
    // A key going down while the label has the focus; a key it is given to goes no
    // further, so the window's on_key_down does not see it again.
    void on_key_down(KeyHandler handler) { on_key_down_ = std::move(handler); }

protected:
    void push(unsigned what) override;
    void push_geometry() override;
    void font_was_set() override { fit_caption(); }

private:
    void fit_caption();

    Handler on_click_;
    KeyHandler on_key_down_;
    std::string caption_;
    bool tab_stop_ = false;
    bool auto_size_ = false;
    bool transparent_ = false;
    bool link_cursor_ = false;
};

} // namespace platform
