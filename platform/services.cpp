#include "platform/services.h"

#include "platform/app_state.h"
#include "platform/controls.h"
#include "platform/qt_bridge.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <ctime>

namespace platform {

namespace {

class QtMessageBoxes final : public MessageBoxes {
public:
    int show(const std::string& text, int style, const std::string& title) override
    {
        Control::flush_all();
        QMessageBox box(QApplication::activeWindow());
        box.setTextFormat(Qt::PlainText);
        box.setWindowTitle(qt::to_qstring(title));
        box.setText(qt::to_qstring(text));
        box.setIcon(icon_of(style));
        const auto buttons = buttons_of(style & 0x0F);
        for (const auto& [kind, answer] : buttons) box.addButton(kind);
        const std::size_t default_index = (style & message_box::default_button3) ? 2
                                          : (style & message_box::default_button2) ? 1
                                                                                    : 0;
        if (default_index < buttons.size()) box.setDefaultButton(buttons[default_index].first);
        box.exec();
        check_program_end();
        const auto clicked = box.standardButton(box.clickedButton());
        for (const auto& [kind, answer] : buttons) {
            if (kind == clicked) return answer;
        }
        return buttons.back().second; // closed with Esc or the close box
    }

private:
    using Choice = std::pair<QMessageBox::StandardButton, int>;

    static std::vector<Choice> buttons_of(int kind)
    {
        using QB = QMessageBox;
        switch (kind) {
        case message_box::ok_cancel: return {{QB::Ok, message_box::answer_ok}, {QB::Cancel, message_box::answer_cancel}};
        case message_box::yes_no_cancel:
            return {{QB::Yes, message_box::answer_yes}, {QB::No, message_box::answer_no},
                    {QB::Cancel, message_box::answer_cancel}};
        case message_box::yes_no: return {{QB::Yes, message_box::answer_yes}, {QB::No, message_box::answer_no}};
        default: return {{QB::Ok, message_box::answer_ok}};
        }
    }

    static QMessageBox::Icon icon_of(int style)
    {
        switch (style & 0x70) {
        case message_box::critical: return QMessageBox::Critical;
        case message_box::question: return QMessageBox::Question;
        case message_box::exclamation: return QMessageBox::Warning;
        case message_box::information: return QMessageBox::Information;
        default: return QMessageBox::NoIcon;
        }
    }
};

class QtEventLoop final : public EventLoop {
public:
    void do_events() override
    {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        check_program_end();
    }
};

class SystemClock final : public Clock {
public:
    DateTime now() override
    {
        const std::time_t seconds = std::time(nullptr);
        std::tm local{};
        localtime_r(&seconds, &local);
        return make_date_time(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                              local.tm_sec);
    }
};

} // namespace

Services real_services()
{
    static QtMessageBoxes message_boxes;
    static QtEventLoop event_loop;
    static SystemClock clock;
    return Services{&message_boxes, &event_loop, &clock,
                    qt::from_qstring(QCoreApplication::applicationDirPath())};
}

} // namespace platform
