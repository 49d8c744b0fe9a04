#pragma once
// The controls that the windows are built of: a window, frames, a drop-down list,
// option buttons, labels, a text box and a command button. Each control keeps every
// value the program gives it (positions and sizes in twips, colours in the program's
// encoding, texts as Windows-1252 bytes) and gives it back unchanged; the screen is
// brought up to date from these values, at most once per display frame.
#include "platform/colours.h"

#include <functional>
#include <string>
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
constexpr int f1 = 112;
constexpr int f2 = 113;
constexpr int f3 = 114;
constexpr int f4 = 115;
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

    MouseHandler on_mouse_down;

    Control* parent() const { return parent_; }
    const std::vector<Control*>& children() const { return children_; }

    // The toolkit widget; for the layer's own use (and tests that send real events).
    QWidget* widget() const { return widget_; }

    // Brings every control's screen up to date at once.
    static void flush_all();

protected:
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

// Text printed onto a window's surface, kept so that the surface can be drawn again
// whenever it is uncovered, shown or moved.
struct PrintedText {
    std::string text;
    double x;
    double y;
    Font font;
    Colour colour;
};

class Window final : public Control {
public:
    Window(std::string caption, double client_width, double client_height);
    ~Window() override;

    const std::string& caption() const { return caption_; }
    void set_caption(std::string caption);
    // The inner area in twips as the window has it now; 0 x 0 while minimised.
    double client_width() const;
    double client_height() const;
    // The outer size and the position on the screen, borders and caption bar included,
    // as the window has them now (in whole pixels). Setting an outer size keeps the
    // borders the window has and gives the rest to the inner area.
    double outer_width() const;
    double outer_height() const;
    void set_outer_width(double width);
    void set_outer_height(double height);
    double outer_left() const;
    double outer_top() const;
    void set_outer_position(double left, double top);
    int mouse_pointer() const { return mouse_pointer_; }
    void set_mouse_pointer(int pointer);

    void show();
    void hide();
    // Raises a shown window above the others and activates it.
    void bring_to_front();
    // Closes the window as its close box does, running on_unload.
    void close();
    bool is_shown() const;

    static double screen_width();
    static double screen_height();

    // The drawing surface: text is printed in the window's font and fore colour at the
    // print position, which moves to the end of what was printed; a line end moves it
    // to the start of the next line. What is printed stays until cls().
    void cls();
    void print(std::string_view text);
    void print_line(std::string_view text = {});
    double current_x() const { return current_x_; }
    double current_y() const { return current_y_; }
    void set_current_x(double x) { current_x_ = x; }
    void set_current_y(double y) { current_y_ = y; }
    double text_width(std::string_view text) const;
    double text_height() const;
    const std::vector<PrintedText>& printed() const { return printed_; }

    // Takes the other window's icon as its own.
    void set_icon_from(const Window& other);
    // Sets the window's icon from a picture in the XPM format.
    void set_icon_xpm(const char* const* xpm);

    Handler on_resize;
    Handler on_activate;
    Handler on_unload;
    // Key code and shift mask of a key going down that no control of the window took.
    KeyHandler on_key_down;

protected:
    void push(unsigned what) override;
    void push_geometry() override;

private:
    std::string caption_;
    int mouse_pointer_ = mouse_pointer::standard;
    std::vector<PrintedText> printed_;
    double current_x_ = 0;
    double current_y_ = 0;

    friend class WindowWidget;
};

class Frame final : public Control {
public:
    Frame(Control& parent, std::string caption, double left, double top, double width,
          double height);
    const std::string& caption() const { return caption_; }
    void set_caption(std::string caption);

protected:
    void push(unsigned what) override;

private:
    std::string caption_;
};

// A drop-down list from which the user only picks; its text is the picked entry's.
class ComboBox final : public Control {
public:
    ComboBox(Control& parent, double left, double top, double width, double height);
    void clear();
    void add_item(std::string item);
    int list_count() const { return static_cast<int>(items_.size()); }
    const std::string& list(int index) const { return items_.at(static_cast<std::size_t>(index)); }
    int list_index() const { return list_index_; }
    // Picking an entry by program raises on_click, as a pick by the user does.
    void set_list_index(int index);
    std::string text() const;

    Handler on_click;

protected:
    void push(unsigned what) override;

private:
    void picked_by_user(int index);

    std::vector<std::string> items_;
    int list_index_ = -1;
};

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

    Handler on_click;

protected:
    void push(unsigned what) override;

private:
    void clicked_by_user();

    std::string caption_;
    bool value_ = false;
};

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

    Handler on_click;

protected:
    void push(unsigned what) override;
    void push_geometry() override;
    void font_was_set() override { fit_caption(); }

private:
    void fit_caption();

    std::string caption_;
    bool auto_size_ = false;
    bool transparent_ = false;
    bool link_cursor_ = false;
};

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

    Handler on_change;
    // Key code and shift mask of a key going down.
    std::function<void(int key_code, int shift)> on_key_down;
    // The character of a key; setting it to 0 swallows the key.
    std::function<void(int& key_ascii)> on_key_press;

protected:
    void push(unsigned what) override;

private:
    void edited_by_user(std::string text, std::vector<std::size_t> foreign);

    std::string text_;
    std::vector<std::size_t> foreign_;
    bool select_all_pending_ = false;

    friend class TextBoxWidget;
};

class CommandButton final : public Control {
public:
    CommandButton(Control& parent, std::string caption, double left, double top, double width,
                  double height);
    const std::string& caption() const { return caption_; }
    void set_caption(std::string caption);

    Handler on_click;
    // A key going down while the button has the focus; a key it is given to goes no
    // further, so the window's on_key_down does not see it again.
    KeyHandler on_key_down;

protected:
    void push(unsigned what) override;

private:
    std::string caption_;
};

} // namespace platform
