#pragma once
// The base of every control the windows are built of: a control keeps every value the
// program gives it (positions and sizes in twips, colours in the program's encoding,
// texts as Windows-1252 bytes) and gives it back unchanged; the screen is brought up to
// date from these values by the screen sync, at most once per display frame. Also the
// layer's words for fonts, mouse buttons, shift keys, key codes and mouse pointers.
#include "platform/colours.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

class QWidget;

namespace platform {

constexpr double twips_per_pixel = 15.0;

struct Font {
    std::string name = "MS Sans Serif";
    double size = 8.25;
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

namespace mouse_button {
constexpr int left = 1;
constexpr int right = 2;
constexpr int middle = 4;
} // namespace mouse_button

namespace shift_key {
constexpr int shift = 1;
constexpr int ctrl = 2;
constexpr int alt = 4;
} // namespace shift_key

namespace key_code {
constexpr int back = 8;
constexpr int tab = 9;
constexpr int enter = 13;
constexpr int pause = 19;
constexpr int escape = 27;
constexpr int space = 32;
constexpr int f1 = 112;
constexpr int f2 = 113;
constexpr int f3 = 114;
constexpr int f4 = 115;
constexpr int f10 = 121;
// The menu key (the application key of a PC keyboard).
constexpr int menu = 93;
} // namespace key_code

namespace mouse_pointer {
constexpr int standard = 0;
constexpr int arrow = 1;
constexpr int hourglass = 11;
constexpr int arrow_hourglass = 13;
} // namespace mouse_pointer

// Button, shift mask, and the pointer position in twips relative to the control.
using MouseHandler = std::function<void(int button, int shift, double x, double y)>;
using Handler = std::function<void()>;
// Key code and shift mask of a key going down.
using KeyHandler = std::function<void(int key_code, int shift)>;
// The character of a key, which the handler may change; 0 swallows the key.
using KeyPressHandler = std::function<void(int& key_ascii)>;

class Control {
public:
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control();

    double left() const { return left_; }
    double top() const { return top_; }
    double width() const { return width_; }
    double height() const { return height_; }
    void set_left(double left);
    void set_top(double top);
    void set_width(double width);
    void set_height(double height);
    void move(double left, double top, double width, double height);

    bool enabled() const { return enabled_; }
    void set_enabled(bool enabled);
    bool visible() const { return visible_; }
    void set_visible(bool visible);
    const std::string& tooltip() const { return tooltip_; }
    void set_tooltip(std::string tooltip);

    Colour back_colour() const { return back_colour_; }
    void set_back_colour(Colour colour);
    Colour fore_colour() const { return fore_colour_; }
    void set_fore_colour(Colour colour);

    const Font& font() const { return font_; }
    void set_font(const Font& font);
    void set_font_name(std::string name);
    void set_font_size(double size);
    void set_font_bold(bool bold);
    void set_font_underline(bool underline);

    // Gives the control the keyboard focus when it can take it; never fails.
    void set_focus();
    bool has_focus() const;

    // The handler of a mouse button going down on the control.
    void on_mouse_down(MouseHandler handler) { on_mouse_down_ = std::move(handler); }

    Control* parent() const { return parent_; }
    const std::vector<Control*>& children() const { return children_; }

    // The toolkit widget; for the layer's own use (and tests that send real events).
    QWidget* widget() const { return widget_; }

    // Brings every control's screen up to date at once.
    static void flush_all();

protected:
    MouseHandler on_mouse_down_;

    enum Changed : unsigned {
        geometry_changed = 1u << 0,
        enabled_changed = 1u << 1,
        visible_changed = 1u << 2,
        tooltip_changed = 1u << 3,
        colours_changed = 1u << 4,
        font_changed = 1u << 5,
        caption_changed = 1u << 6,
        content_changed = 1u << 7,
        all_changed = 0xFFu,
    };

    Control(Control* parent, QWidget* widget, double left, double top, double width,
            double height, Colour back, Colour fore);

    // Records that a value changed; the screen follows on the next flush.
    void mark_changed(unsigned what);
    // Stores a new value and records the change, unless the value is the same.
    template <typename T, typename Value>
    void change(T& field, Value&& value, unsigned what)
    {
        if (value == field) return;
        field = std::forward<Value>(value);
        mark_changed(what);
    }
    // Writes the changed values into the widget.
    virtual void push(unsigned what);
    // Runs after every change of the font.
    virtual void font_was_set() {}
    // Geometry as drawn; a control may draw outside its own box (see the arrow label).
    virtual void push_geometry();
    void push_palette(int background_role, int foreground_role);

private:
    void flush();
    void forget_widget();
    // Records a change of the font and lets the control follow it.
    void font_was_changed();

    Control* parent_;
    QWidget* widget_;
    std::vector<Control*> children_;
    double left_, top_, width_, height_;
    bool enabled_ = true;
    bool visible_ = true;
    std::string tooltip_;
    Colour back_colour_;
    Colour fore_colour_;
    Font font_;
    unsigned changed_ = 0;

    friend class ScreenSync;
    friend class Window;
};

} // namespace platform
