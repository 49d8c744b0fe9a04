#include "platform/widgets/option_button.h"

#include "platform/widgets/app_state.h"
#include "platform/widgets/mouse_relay.h"
#include "platform/widgets/qt_bridge.h"

#include <QRadioButton>

namespace platform {

OptionButton::OptionButton(Control& parent, std::string caption, double left, double top, double width,
                           double height)
    : Control(&parent, new QRadioButton(parent.widget()), left, top, width, height, system_button_face,
              system_button_text),
      caption_(std::move(caption))
{
    auto* radio = static_cast<QRadioButton*>(widget());
    radio->setAutoExclusive(false); // the group is kept by the stored values
    radio->setAutoFillBackground(true);
    radio->setBackgroundRole(QPalette::Window); // a button's own role would fill it with the button face
    QObject::connect(radio, &QRadioButton::clicked, [this] { clicked_by_user(); });
    new MouseRelay(widget(), on_mouse_down_, false);
}

void OptionButton::set_caption(std::string caption)
{
    if (caption == caption_) return;
    caption_ = std::move(caption);
    mark_changed(caption_changed);
}

void OptionButton::set_value(bool value)
{
    if (value) {
        for (Control* sibling : parent()->children()) {
            auto* option = dynamic_cast<OptionButton*>(sibling);
            if (option != nullptr && option != this && option->value_) {
                option->value_ = false;
                option->mark_changed(content_changed);
            }
        }
    }
    value_ = value;
    mark_changed(content_changed);
    if (value && on_click_) on_click_();
}

void OptionButton::clicked_by_user()
{
    if (value_) {
        mark_changed(content_changed); // a click on the selected option keeps it selected
        flush_all();
        return;
    }
    dispatch_event([this] { set_value(true); });
    flush_all();
}

void OptionButton::push(unsigned what)
{
    Control::push(what);
    auto* radio = static_cast<QRadioButton*>(widget());
    if (what & caption_changed) radio->setText(qt::to_shown_qstring(caption_));
    if (what & content_changed) radio->setChecked(value_);
    if (what & colours_changed) push_palette(QPalette::Window, QPalette::WindowText);
}

} // namespace platform
