#pragma once
// A window: its caption, its sizes inside and out, its place on the screen, its mouse
// pointer, and the surface that text is printed on line by line.
#include "platform/widgets/control.h"

#include <string>
#include <string_view>
#include <vector>

namespace platform {

class MenuItem;

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
    // The smallest inner area the user can give the window, in twips (rounded up to whole
    // pixels): the desktop stops the window's borders there, and a smaller size set by
    // the program gives this one. Minimised, the window still has an inner area of 0 x 0.
    void set_minimum_size(double width, double height);
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

    // The control of the window that has the keyboard focus; none when the focus is
    // elsewhere.
    Control* active_control() const;

    // The shortcuts that the items of a menu and its submenus show act while the menu is
    // closed, whenever the window is active: the handler is given the item whose
    // shortcut was pressed. A text box with the focus keeps the keys it edits with
    // (select all, copy, cut).
    void on_menu_shortcut(MenuItem& menu, std::function<void(MenuItem& item)> handler);

    void on_resize(Handler handler) { on_resize_ = std::move(handler); }
    void on_activate(Handler handler) { on_activate_ = std::move(handler); }
    void on_unload(Handler handler) { on_unload_ = std::move(handler); }
    // Key code and shift mask of a key going down that no control of the window took.
    void on_key_down(KeyHandler handler) { on_key_down_ = std::move(handler); }

protected:
    void push(unsigned what) override;
    void push_geometry() override;

private:
    Handler on_resize_;
    Handler on_activate_;
    Handler on_unload_;
    KeyHandler on_key_down_;
    std::function<void(MenuItem& item)> on_menu_shortcut_;
    std::string caption_;
    int mouse_pointer_ = mouse_pointer::standard;
    std::vector<PrintedText> printed_;
    double current_x_ = 0;
    double current_y_ = 0;

    friend class WindowWidget;
};

} // namespace platform
