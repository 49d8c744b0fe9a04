#pragma once
// The services that block or reach outside the program, each behind a small interface
// with a real implementation here and a test double in the tests.
#include "core/date_time.h"

#include <random>
#include <string>

namespace platform {

namespace message_box {
constexpr int ok_only = 0;
constexpr int ok_cancel = 1;
constexpr int yes_no_cancel = 3;
constexpr int yes_no = 4;
constexpr int critical = 16;
constexpr int question = 32;
constexpr int exclamation = 48;
constexpr int information = 64;
constexpr int default_button2 = 256;
constexpr int default_button3 = 512;

constexpr int answer_ok = 1;
constexpr int answer_cancel = 2;
constexpr int answer_yes = 6;
constexpr int answer_no = 7;
} // namespace message_box

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // A modal message box: style is the sum of the buttons, icon and default button
    // constants above; returns the answer.
    virtual int show(const std::string& text, int style, const std::string& title) = 0;
};

// The yield to the event loop: every pending event is processed, then it returns. A
// long operation asks before each step whether a yield is due, so that it yields often
// enough for the window to stay responsive but not so often that the yields cost more
// than the work.
class EventLoop {
public:
    virtual ~EventLoop() = default;
    virtual void do_events() = 0;
    // True when the operation should yield before its next step. Cheap enough to be
    // asked once per line of a file.
    virtual bool yield_due() = 0;
};

// The local date and time, to the whole second.
class Clock {
public:
    virtual ~Clock() = default;
    virtual zentrel::DateTime now() = 0;
};

// The system's clock, which reads the local time afresh on every call.
Clock& system_clock();

// What the program reads about the desktop from the system's registry. There is no
// registry on this platform, so the real readers always give the program's defaults.
class SystemValues {
public:
    virtual ~SystemValues() = default;
    // "MediaPath" of HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion: the folder of the
    // event sounds; "C:\WINDOWS\media" when it cannot be read.
    virtual std::string media_folder() = 0;
    // The operating system's product id, or "<Unknown ProductID>".
    virtual std::string product_id() = 0;
};

// The program's pseudo-random sequence: values from 0 up to but not including 1. It is
// never seeded from the clock or any other changing source, so every run draws the same
// sequence; it lives for the whole run, so each use goes on where the one before stopped.
class RandomNumbers final {
public:
    double next();
    // Starts the sequence again from its beginning, as a new run would.
    void restart();

private:
    std::minstd_rand engine_;
};

class MenuItem;
class Window;

// Opens a menu as a pop-up, centred on x with its top at y (twips in the window's inner
// area), and returns the item the user chose, or nullptr when the menu was dismissed.
// The caller runs the chosen item's command.
class PopupMenus {
public:
    virtual ~PopupMenus() = default;
    virtual MenuItem* show(MenuItem& menu, Window& window, double x, double y, const MenuItem* default_item) = 0;
};

namespace show_state {
constexpr int normal = 1;
constexpr int minimised = 2;
constexpr int maximised = 3;
} // namespace show_state

// What became of a target handed to the desktop's handler: opened, or not, and then
// why no program could open it, in the program's text ("xdg-open is not installed").
struct ShellResult {
    bool opened = true;
    std::string failure;
};

// Hands a file, folder, web address or mail address to the desktop's handler, as one
// argument and never through a shell command line. The target is in the system's
// encoding: a file or folder by the system's own name for it, an address in UTF-8.
class Shell {
public:
    virtual ~Shell() = default;
    virtual ShellResult open(const std::string& target, int show_state) = 0;
};

// The settings and the answer of a file dialog, as the program's common dialog control
// keeps them: the filter is pairs of a description and a pattern, all joined by "|",
// and the filter index counts those pairs from 1. The title and the filter are the
// program's text; the file name and the folder are paths of the system (UTF-8).
struct FileDialogState {
    bool cancel_error = false;
    std::string dialog_title;
    std::string filter;
    int filter_index = 0;
    int max_file_size = 260;
    std::string file_name;
    std::string init_dir;
};

class SaveDialogs {
public:
    virtual ~SaveDialogs() = default;
    // Shows a save dialog, which asks no overwrite question of its own; on OK it leaves
    // the chosen path in file_name and the chosen type in filter_index and returns true.
    // A file name with a letter that Windows-1252 cannot hold fails with error 52; the
    // folder may have any name the toolkit can show, and one that is not UTF-8 fails with
    // error 77 before the dialog opens.
    virtual bool show_save(FileDialogState& dialog) = 0;
};

class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual void clear() = 0;
    virtual void set_text(const std::string& text) = 0;
};

class Beeper {
public:
    virtual ~Beeper() = default;
    virtual void beep() = 0;
};

// Shows a window modally, owned by another, and returns once it has closed.
class ModalWindows {
public:
    virtual ~ModalWindows() = default;
    virtual void show_modal(Window& window, Window& owner) = 0;
};

// Plays a wave file without waiting for it, once or until the next sound; a new sound,
// or the empty name, stops the one before. Nothing is reported when nothing can play.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void play(const std::string& path, bool looped) = 0;
};

struct Services {
    MessageBoxes* message_boxes;
    EventLoop* event_loop;
    Clock* clock;
    PopupMenus* popup_menus;
    Shell* shell;
    SaveDialogs* save_dialogs;
    Clipboard* clipboard;
    Beeper* beeper;
    ModalWindows* modal_windows;
    SoundPlayer* sound_player;
    SystemValues* system_values;
    RandomNumbers* random;
    // The folder that holds the running program, by the system's own name for it (its
    // UTF-8 bytes, not the program's text); the paths built on it are the system's too.
    std::string program_folder;
};


} // namespace platform
