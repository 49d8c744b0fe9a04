#pragma once
// The controls whose values changed since the screen was last brought up to date, and
// the timer that does it: at once when the program is idle, and no more than once per
// display frame while a long operation yields on every line.
#include <chrono>
#include <vector>

class QTimer;

namespace platform {

class Control;

class ScreenSync final {
public:
    static ScreenSync& instance();

    // Notes a control whose values changed, and starts the timer unless it runs.
    void changed(Control* control);
    void forget(Control* control);
    // Brings every noted control's screen up to date, in the order they were noted.
    void flush();

private:
    std::vector<Control*> pending_;
    QTimer* timer_ = nullptr;
    std::chrono::steady_clock::time_point last_flush_{};
};

} // namespace platform
