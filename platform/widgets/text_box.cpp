#include "platform/widgets/text_box.h"

#include "platform/text.h"
#include "platform/widgets/app_state.h"
#include "platform/widgets/control_events.h"
#include "platform/widgets/qt_bridge.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace platform {

class TextBoxWidget final : public QLineEdit {
public:
    TextBoxWidget(QWidget* parent, TextBox& box) : QLineEdit(parent), box_(box) {}

protected:
    void contextMenuEvent(QContextMenuEvent* event) override
    {
        // The desktop's own request of a menu from the keyboard follows the menu key,
        // which has opened the edit menu already.
        if (event->reason() == QContextMenuEvent::Keyboard && event->spontaneous()) return;
        QLineEdit::contextMenuEvent(event);
    }

    void keyPressEvent(QKeyEvent* event) override
    {
        Control::flush_all(); // the key acts on the text the program gave the box last
        const int code = qt::key_code(*event);
        const int shift = qt::shift_mask(event->modifiers());
        if (box_.on_key_down_ && code != 0) {
            dispatch_event([&] { box_.on_key_down_(code, shift); });
            Control::flush_all();
        }
        int key_ascii = character_of(*event, code);
        if (key_ascii != 0 && box_.on_key_press_) {
            dispatch_event([&] { box_.on_key_press_(key_ascii); });
            Control::flush_all();
            if (key_ascii == 0) return;
        }
        if (!isEnabled()) return;
        if (is_menu_key(*event)) {
            open_edit_menu();
            return;
        }
        QLineEdit::keyPressEvent(event);
    }

private:
    // The menu key, or Shift+F10 as the desktops take it.
    static bool is_menu_key(const QKeyEvent& event)
    {
        return event.key() == Qt::Key_Menu ||
               (event.key() == Qt::Key_F10 && (event.modifiers() & Qt::ShiftModifier) != 0);
    }

    void open_edit_menu()
    {
        const QPoint at = cursorRect().center();
        QContextMenuEvent request(QContextMenuEvent::Keyboard, at, mapToGlobal(at));
        QLineEdit::contextMenuEvent(&request);
    }

    static int character_of(const QKeyEvent& event, int code)
    {
        if (code == key_code::enter || code == key_code::back || code == key_code::escape) return code;
        const QString text = event.text();
        if (text.size() != 1 || text[0].unicode() < 32) return 0;
        return unicode_to_cp1252(text[0].unicode());
    }

    TextBox& box_;
};

TextBox::TextBox(Control& parent, std::string text, double left, double top, double width, double height)
    : Control(&parent, new TextBoxWidget(parent.widget(), *this), left, top, width, height,
              system_window_background, system_window_text),
      text_(std::move(text))
{
    auto* edit = static_cast<QLineEdit*>(widget());
    edit->setTextMargins(2, 0, 2, 0);
    QObject::connect(edit, &QLineEdit::textEdited, [this](const QString& typed) {
        std::vector<std::size_t> foreign;
        std::string text = qt::from_qstring(typed, &foreign);
        edited_by_user(std::move(text), std::move(foreign));
    });
}

void TextBox::set_text(std::string text)
{
    const bool changed = text != text_;
    if (!changed && foreign_.empty()) return;
    text_ = std::move(text);
    foreign_.clear();
    mark_changed(content_changed);
    if (changed && on_change_) on_change_();
}

void TextBox::select_all()
{
    select_all_pending_ = true;
    mark_changed(content_changed);
}

void TextBox::edited_by_user(std::string text, std::vector<std::size_t> foreign)
{
    foreign_ = std::move(foreign);
    if (text == text_) return;
    text_ = std::move(text);
    run_handler(on_change_);
}

void TextBox::push(unsigned what)
{
    Control::push(what);
    auto* edit = static_cast<QLineEdit*>(widget());
    if (what & content_changed) {
        // What the user typed stays as typed while it still says the program's text.
        std::vector<std::size_t> shown_foreign;
        const std::string shown = qt::from_qstring(edit->text(), &shown_foreign);
        if (shown != text_ || shown_foreign != foreign_) edit->setText(qt::to_qstring(text_));
        if (select_all_pending_) edit->selectAll();
        select_all_pending_ = false;
    }
    if (what & colours_changed) push_palette(QPalette::Base, QPalette::Text);
}

} // namespace platform
