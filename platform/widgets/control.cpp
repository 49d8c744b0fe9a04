#include "platform/widgets/control.h"

#include "platform/widgets/app_state.h"
#include "platform/widgets/control_events.h"
#include "platform/widgets/qt_bridge.h"
#include "platform/widgets/screen_sync.h"

#include <QKeyEvent>
#include <QWidget>

#include <algorithm>

namespace platform {

void run_handler(const Handler& handler)
{
    if (!handler) return;
    dispatch_event(handler);
    Control::flush_all();
}

bool run_key_handler(const KeyHandler& handler, const QKeyEvent& event)
{
    const int code = qt::key_code(event);
    if (!handler || code == 0) return false;
    const int shift = qt::shift_mask(event.modifiers());
    dispatch_event([&] { handler(code, shift); });
    Control::flush_all();
    return true;
}

Control::Control(Control* parent, QWidget* widget, double left, double top, double width,
                 double height, Colour back, Colour fore)
    : parent_(parent), widget_(widget), left_(left), top_(top), width_(width), height_(height),
      back_colour_(back), fore_colour_(fore)
{
    if (parent_ != nullptr) parent_->children_.push_back(this);
    // A press belongs to the control under the pointer alone, as the system gives it to the
    // window under the pointer: a press that the control leaves unused never travels on to
    // the frame or window around it.
    widget_->setAttribute(Qt::WA_NoMousePropagation);
    QObject::connect(widget_, &QObject::destroyed, [this] { widget_ = nullptr; });
    mark_changed(all_changed);
}

Control::~Control()
{
    ScreenSync::instance().forget(this);
    if (parent_ != nullptr) {
        auto& siblings = parent_->children_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
    for (Control* child : children_) child->parent_ = nullptr;
    forget_widget();
}

void Control::forget_widget()
{
    if (widget_ == nullptr) return;
    QWidget* widget = widget_;
    widget_ = nullptr;
    QObject::disconnect(widget, &QObject::destroyed, nullptr, nullptr);
    delete widget;
}

void Control::set_left(double left) { move(left, top_, width_, height_); }
void Control::set_top(double top) { move(left_, top, width_, height_); }
void Control::set_width(double width) { move(left_, top_, width, height_); }
void Control::set_height(double height) { move(left_, top_, width_, height); }

void Control::move(double left, double top, double width, double height)
{
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    mark_changed(geometry_changed);
}

void Control::set_enabled(bool enabled) { change(enabled_, enabled, enabled_changed); }

void Control::set_visible(bool visible) { change(visible_, visible, visible_changed); }

void Control::set_tooltip(std::string tooltip) { change(tooltip_, std::move(tooltip), tooltip_changed); }

void Control::set_back_colour(Colour colour) { change(back_colour_, colour, colours_changed); }

void Control::set_fore_colour(Colour colour) { change(fore_colour_, colour, colours_changed); }

void Control::set_font(const Font& font)
{
    font_ = font;
    font_was_changed();
}

void Control::set_font_name(std::string name)
{
    font_.name = std::move(name);
    font_was_changed();
}

void Control::set_font_size(double size)
{
    font_.size = size;
    font_was_changed();
}

void Control::set_font_bold(bool bold)
{
    font_.bold = bold;
    font_was_changed();
}

void Control::set_font_underline(bool underline)
{
    font_.underline = underline;
    font_was_changed();
}

void Control::font_was_changed()
{
    mark_changed(font_changed);
    font_was_set();
}

void Control::set_focus()
{
    if (widget_ == nullptr || !enabled_ || !visible_) return;
    flush_all();
    if (widget_->isEnabled()) widget_->setFocus(Qt::OtherFocusReason);
}

bool Control::has_focus() const { return widget_ != nullptr && widget_->hasFocus(); }

void Control::mark_changed(unsigned what)
{
    if (changed_ == 0) ScreenSync::instance().changed(this);
    changed_ |= what;
}

void Control::flush()
{
    const unsigned what = changed_;
    changed_ = 0;
    if (widget_ != nullptr && what != 0) push(what);
}

void Control::flush_all() { ScreenSync::instance().flush(); }

void Control::push(unsigned what)
{
    if (what & geometry_changed) push_geometry();
    if (what & enabled_changed) widget_->setEnabled(enabled_);
    if (what & visible_changed) widget_->setVisible(visible_);
    if (what & tooltip_changed) widget_->setToolTip(qt::plain_tooltip(tooltip_));
    if (what & font_changed) widget_->setFont(qt::to_qfont(font_));
}

void Control::push_geometry()
{
    widget_->setGeometry(qt::to_pixels(left_), qt::to_pixels(top_), std::max(0, qt::to_pixels(width_)),
                         std::max(0, qt::to_pixels(height_)));
}

void Control::push_palette(int background_role, int foreground_role)
{
    QPalette palette = widget_->palette();
    const auto background = static_cast<QPalette::ColorRole>(background_role);
    const auto foreground = static_cast<QPalette::ColorRole>(foreground_role);
    // A disabled control keeps its back colour and greys only its text, as the system
    // draws disabled controls.
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, background, qt::to_qcolor(back_colour_));
    }
    palette.setColor(QPalette::Active, foreground, qt::to_qcolor(fore_colour_));
    palette.setColor(QPalette::Inactive, foreground, qt::to_qcolor(fore_colour_));
    widget_->setPalette(palette);
}

} // namespace platform
