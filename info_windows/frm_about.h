#pragma once
// The About box: the program's name, version, maker and links printed over a background
// of light-grey random digits, sized to its widest line and placed beside the main
// window, shown modally while its opening sound plays; its keys, its three links and its
// closing sound. A box lives from one opening to its close; the next opening starts from
// a new one.
#include "platform/services.h"
#include "platform/widgets/controls.h"

#include <functional>
#include <string>

namespace zentrel {

// The box's controls in their designed state; the composer sets the labels' texts, fonts,
// colours and positions, the OK button's position and the icon's picture.
// The focus goes from control to control in the order they are made: OK first, so that
// it has the focus as the box opens, then the icon.
struct AboutBoxControls {
    // The client area the box is designed with; the composer gives it its final size.
    platform::Window frm{"About", 14565, 7650};
    platform::CommandButton com_OK{frm, "&OK", 0, 0, 975, 375};
    // The main window's icon. The layer has no picture box: a label of 32 x 32 pixels
    // shows the picture and, as a Tab stop, takes the focus after OK.
    platform::Label pic_AppIcon{frm, "", 120, 120, 480, 480};
    platform::Label lab_URL_link{frm, "", 0, 0, 0, 0};
    platform::Label lab_EMail_link{frm, "", 0, 0, 0, 0};
    platform::Label lab_HelpInfo{frm, "", 0, 0, 0, 0};
};

class frm_About final {
public:
    // help_command is the main window's help command, which the help link runs once the
    // box has closed.
    frm_About(const platform::Services& services, std::function<void()> help_command);

    // Composes the box, places it beside the main window, starts the opening sound and
    // shows the box modally, owned by the main window; returns once the box has closed.
    void show_about(platform::Window& main_window);

    AboutBoxControls& ui() { return ui_; }
    const AboutBoxControls& ui() const { return ui_; }

private:
    // Events. The window and the icon pass their keys on to the OK button's handler, so a
    // key acts the same wherever the focus is: Pause and Esc close the box, A, H and I
    // act as the help link, with any shift state.
    void Form_KeyDown(int key_code, int shift);
    void Form_Unload();
    void com_OK_Click();
    void com_OK_KeyDown(int key_code, int shift);
    void pic_AppIcon_KeyDown(int key_code, int shift);
    void lab_URL_link_Click();
    void lab_EMail_link_Click();
    void lab_HelpInfo_Click();

    const platform::Services& services_;
    std::function<void()> help_command_;
    AboutBoxControls ui_;
};

// The position of the box on the screen: 128 twips right of and 256 below the main
// window's corner, then moved left and up so that it ends at the screen's right and
// bottom edges, then right and down so that it starts at the screen's origin at the
// earliest; the last two rules win.
struct ScreenPosition {
    double left;
    double top;
};
ScreenPosition about_box_position(double main_left, double main_top, double width, double height,
                                  double screen_width, double screen_height);

} // namespace zentrel
