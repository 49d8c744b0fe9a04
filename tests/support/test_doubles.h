#pragma once
// Test doubles of the services that block or reach outside the program.
#include "platform/services.h"
#include "platform/widgets/app_state.h"
#include "platform/widgets/menu.h"

#include <gtest/gtest.h>

#include <QCursor>
#include <QGuiApplication>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace testing_support {

struct ShownMessage {
    std::string text;
    int style;
    std::string title;
};

// Message boxes from a script: each expected box is answered in turn, and every box
// shown is recorded. A box that the script does not expect fails the test and is
// answered with its last button instead of blocking.
class ScriptedMessageBoxes final : public platform::MessageBoxes {
public:
    void expect(int answer) { answers_.push_back(answer); }
    int show(const std::string& text, int style, const std::string& title) override
    {
        // The window stands on screen as the program left it, as under a real box.
        platform::Control::flush_all();
        shown.push_back({text, style, title});
        if (answers_.empty()) {
            ADD_FAILURE() << "unexpected message box: " << title << "\n" << text;
            return platform::message_box::answer_cancel;
        }
        const int answer = answers_.front();
        answers_.pop_front();
        return answer;
    }
    bool all_answered() const { return answers_.empty(); }

    std::vector<ShownMessage> shown;

private:
    std::deque<int> answers_;
};

// The yield of a long operation: counts the yields and runs a test's action at each,
// then processes the real pending events so the window behaves as it does for a user.
// A yield is due before every step unless the test asks for the real loop's pacing.
class ScriptedEventLoop final : public platform::EventLoop {
public:
    void do_events() override
    {
        ++yields;
        if (on_yield) on_yield(yields);
        if (pump_real_events && real != nullptr) real->do_events();
        platform::check_program_end();
    }

    bool yield_due() override
    {
        ++questions;
        return paced_as_real && real != nullptr ? real->yield_due() : true;
    }

    int yields = 0;
    long questions = 0;
    std::function<void(int yield_number)> on_yield;
    bool pump_real_events = false;
    // Yields only when the real loop would; needs pump_real_events for the real loop's clock.
    bool paced_as_real = false;
    platform::EventLoop* real = nullptr;
};

// A clock that stands still unless the test moves it.
class FixedClock final : public platform::Clock {
public:
    zentrel::DateTime now() override { return time; }
    zentrel::DateTime time = zentrel::make_date_time(2026, 12, 10, 14, 5, 9);
};

// The registry's values, as the test sets them; the registry's defaults to begin with.
class FixedSystemValues final : public platform::SystemValues {
public:
    std::string media_folder() override { return media; }
    std::string product_id() override { return product; }

    std::string media = "C:\\WINDOWS\\media";
    std::string product = "<Unknown ProductID>";
};

// The desktop's handler, recording what it was asked to open.
class RecordingShell final : public platform::Shell {
public:
    struct Opened {
        std::string target;
        int show_state;
    };
    platform::ShellResult open(const std::string& target, int show_state) override
    {
        opened.push_back({target, show_state});
        return {failure.empty(), failure};
    }
    std::vector<Opened> opened;
    // Why the handler cannot open what it is given; it opens everything while empty.
    std::string failure;
};

// One item of a pop-up menu as it stood when the menu opened.
struct MenuItemState {
    std::string caption;
    std::string shortcut;
    bool enabled;
    bool visible;
    bool is_default;
    std::vector<MenuItemState> items;
};

// Pop-up menus: records every menu as it opened and answers with the item whose
// caption the test names (none: the menu is dismissed).
class ScriptedPopupMenus final : public platform::PopupMenus {
public:
    struct Opened {
        std::vector<MenuItemState> items;
        double x;
        double y;
    };
    platform::MenuItem* show(platform::MenuItem& menu, platform::Window& over, double x, double y,
                             const platform::MenuItem* default_item) override
    {
        opened.push_back({snapshot(menu, default_item), x, y});
        take_the_pressed_buttons(over);
        platform::MenuItem* chosen = find(menu, choose_caption);
        choose_caption.clear();
        return chosen;
    }

    // The state of the item with this caption in the last menu opened.
    const MenuItemState& item(const std::string& caption) const
    {
        static const MenuItemState missing{"<missing>", "", false, false, false, {}};
        if (opened.empty()) return missing;
        const MenuItemState* found = find_state(opened.back().items, caption);
        return found != nullptr ? *found : missing;
    }

    std::vector<Opened> opened;
    std::string choose_caption;

private:
    // A menu that opens holds the mouse: the buttons that opened it are let go over it,
    // and its item is chosen with a click of its own, so no button is held any more
    // once the item's command runs.
    static void take_the_pressed_buttons(platform::Window& over)
    {
        QWindow* window = over.widget() != nullptr ? over.widget()->windowHandle() : nullptr;
        if (window == nullptr) return;
        for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
            if (QGuiApplication::mouseButtons() & button) {
                QTest::mouseRelease(window, button, QGuiApplication::keyboardModifiers(),
                                    window->mapFromGlobal(QCursor::pos()));
            }
        }
    }

    static std::vector<MenuItemState> snapshot(const platform::MenuItem& menu, const platform::MenuItem* default_item)
    {
        std::vector<MenuItemState> states;
        for (const platform::MenuItem* each : menu.items()) {
            states.push_back({each->caption(), each->shortcut(), each->enabled(), each->visible(),
                              each == default_item, snapshot(*each, default_item)});
        }
        return states;
    }

    static platform::MenuItem* find(platform::MenuItem& menu, const std::string& caption)
    {
        if (caption.empty()) return nullptr;
        for (platform::MenuItem* each : menu.items()) {
            if (each->caption() == caption) return each;
            if (platform::MenuItem* inner = find(*each, caption)) return inner;
        }
        return nullptr;
    }

    static const MenuItemState* find_state(const std::vector<MenuItemState>& items, const std::string& caption)
    {
        for (const MenuItemState& each : items) {
            if (each.caption == caption) return &each;
            if (const MenuItemState* inner = find_state(each.items, caption)) return inner;
        }
        return nullptr;
    }
};

// The save dialog from a script: each expected show is answered with a path and a file
// type, or with Cancel (an empty path); every dialog shown is recorded as it stood.
class ScriptedSaveDialogs final : public platform::SaveDialogs {
public:
    struct Answer {
        std::string path;
        int filter_index;
    };
    void expect_save(std::string path, int filter_index) { answers_.push_back({std::move(path), filter_index}); }
    void expect_cancel() { answers_.push_back({"", 0}); }

    bool show_save(platform::FileDialogState& dialog) override
    {
        shown.push_back(dialog);
        if (answers_.empty()) {
            ADD_FAILURE() << "unexpected save dialog: " << dialog.dialog_title;
            return false;
        }
        const Answer answer = answers_.front();
        answers_.pop_front();
        if (answer.path.empty()) return false;
        dialog.file_name = answer.path;
        dialog.filter_index = answer.filter_index;
        return true;
    }
    bool all_answered() const { return answers_.empty(); }

    std::vector<platform::FileDialogState> shown;

private:
    std::deque<Answer> answers_;
};

class RecordingClipboard final : public platform::Clipboard {
public:
    void clear() override
    {
        ++clears;
        text.clear();
    }
    void set_text(const std::string& new_text) override { text = new_text; }
    int clears = 0;
    std::string text;
};

class CountingBeeper final : public platform::Beeper {
public:
    void beep() override { ++beeps; }
    int beeps = 0;
};

// A modal show that runs the test's action while the window is "shown", then closes the
// window as its user would, unless the action closed it already.
class ScriptedModalWindows final : public platform::ModalWindows {
public:
    void show_modal(platform::Window& window, platform::Window& owner) override
    {
        ++shows;
        owner_caption = owner.caption();
        // Modal as the real show makes it: the owner takes no keys meanwhile.
        if (window.widget() != nullptr) window.widget()->setWindowModality(Qt::ApplicationModal);
        window.show();
        if (while_shown) while_shown(window);
        if (window.is_shown()) window.close();
        // The desktop gives the activation back to the window below.
        owner.bring_to_front();
    }
    int shows = 0;
    std::string owner_caption;
    std::function<void(platform::Window&)> while_shown;
};

class RecordingSoundPlayer final : public platform::SoundPlayer {
public:
    struct Played {
        std::string path;
        bool looped;
    };
    void play(const std::string& path, bool looped) override { played.push_back({path, looped}); }
    std::vector<Played> played;
};

} // namespace testing_support
