#pragma once
// A text box of one line; what the user types reaches the program as Windows-1252 text.
#include "platform/widgets/control.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace platform {

class TextBox final : public Control {
public:
    TextBox(Control& parent, std::string text, double left, double top, double width,
            double height);
    const std::string& text() const { return text_; }
    // Raises on_change when the text differs from the old one.
    void set_text(std::string text);
    void select_all();
    // Where the text holds "?" for a typed character that Windows-1252 lacks; the box
    // still shows that character. Empty for a text the program set.
    const std::vector<std::size_t>& foreign_characters() const { return foreign_; }

    void on_change(Handler handler) { on_change_ = std::move(handler); }
    // Key code and shift mask of a key going down.
    void on_key_down(KeyHandler handler) { on_key_down_ = std::move(handler); }
    // The character of a key; setting it to 0 swallows the key.
    void on_key_press(KeyPressHandler handler) { on_key_press_ = std::move(handler); }

protected:
    void push(unsigned what) override;

private:
    void edited_by_user(std::string text, std::vector<std::size_t> foreign);

    Handler on_change_;
    KeyHandler on_key_down_;
    KeyPressHandler on_key_press_;
    std::string text_;
    std::vector<std::size_t> foreign_;
    bool select_all_pending_ = false;

    friend class TextBoxWidget;
};

} // namespace platform
