#pragma once
// Test doubles of the services that block or reach outside the program.
#include "platform/app_state.h"
#include "platform/services.h"

#include <gtest/gtest.h>

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
class ScriptedEventLoop final : public platform::EventLoop {
public:
    void do_events() override
    {
        ++yields;
        if (on_yield) on_yield(yields);
        if (pump_real_events && real != nullptr) real->do_events();
        platform::check_program_end();
    }

    int yields = 0;
    std::function<void(int yield_number)> on_yield;
    bool pump_real_events = false;
    platform::EventLoop* real = nullptr;
};

// A clock that stands still unless the test moves it.
class FixedClock final : public platform::Clock {
public:
    platform::DateTime now() override { return time; }
    platform::DateTime time = platform::make_date_time(2026, 12, 10, 14, 5, 9);
};

} // namespace testing_support
