#pragma once
// The About box window. Besides the box itself it holds the two helpers that every
// window reaches through it: opening a file, folder or address with the desktop's
// handler (the About window is the owner of that call, so the first call creates it,
// hidden), and the size of a file.
//
// The box's content is printed onto it by the main window's menu_AboutApp_Click
// (about_box.cpp); this class holds the controls and the box's own event handlers: the
// keys, the three links and the closing sound. The box lives from one opening to its
// close; the next opening starts from a new one.
#include "platform/controls.h"
#include "platform/product_id.h"
#include "platform/services.h"

#include <cstdint>
#include <functional>
#include <random>
#include <string>

namespace zentrel {

class frm_About final {
public:
    explicit frm_About(const platform::Services& services);

    // Opens the target; a leading "?" is dropped and opens it minimised, the maximise
    // flag opens it maximised. Only a handler that cannot be started is reported.
    void Load_File_or_URL(const std::string& target, bool maximise);
    // The length of a file in bytes, or -1 when it cannot be opened for reading.
    std::int32_t FileSize(const std::string& path) const;

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

    // The main window's help command, which the help link runs once the box has closed.
    std::function<void()> help_command;

    platform::Window frm;
    // The main window's icon. The layer has no picture box: a label of 32 x 32 pixels
    // shows the picture; it takes no focus, so no key reaches its handler on this layer.
    platform::Label pic_AppIcon;
    platform::CommandButton com_OK;
    platform::Label lab_URL_link;
    platform::Label lab_EMail_link;
    platform::Label lab_HelpInfo;

private:
    const platform::Services& services_;
};

// The program's pseudo-random generator behind the About box's background digits:
// values from 0 up to but not including 1. It is never seeded from the clock or any
// other changing source, so every run draws the same sequence; it lives for the whole
// run, so each opening goes on where the one before stopped.
class RandomNumbers final {
public:
    double next();
    // Starts the sequence again from its beginning, as a new run would.
    void restart();

private:
    std::minstd_rand engine_;
};

RandomNumbers& program_random();

// "MediaPath" of HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion, or "C:\WINDOWS\media".
std::string Registry_Media_Folder();

// What the About box reads from the platform: the media folder its sounds come from
// and the product id it shows. Both come from the registry, which on this platform
// always gives their defaults ("C:\WINDOWS\media", "<Unknown ProductID>"); a test may
// put its own readers in their place.
struct AboutBoxSources {
    std::function<std::string()> media_folder = Registry_Media_Folder;
    std::function<std::string()> product_id = platform::Windows_ProductID;
};

AboutBoxSources& about_box_sources();

// The position of the box on the screen: 128 twips right of and 256 below the main
// window's corner, then moved left and up so that it ends at the screen's right and
// bottom edges, then right and down so that it starts at the screen's origin at the
// earliest; the last two rules win.
struct ScreenPosition {
    double left;
    double top;
};
ScreenPosition About_Box_Position(double main_left, double main_top, double width, double height,
                                  double screen_width, double screen_height);

} // namespace zentrel
