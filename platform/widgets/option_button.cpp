#include "platform/widgets/option_button.h"

#include "platform/widgets/app_state.h"
#include "platform/widgets/mouse_relay.h"
#include "platform/widgets/qt_bridge.h"

#include <algorithm>
#include <cmath>

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>

namespace platform {

// An option button that answers the arrow keys as option buttons do: the arrow moves the
// focus to the next option of the group, or the one before, and selects it.
class OptionWidget final : public QRadioButton {
public:
    OptionWidget(QWidget* parent, OptionButton& option) : QRadioButton(parent), option_(option) {}

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        const int step = arrow_step(*event);
        if (step == 0) {
            QRadioButton::keyPressEvent(event);
            return;
        }
        OptionButton* next = option_.neighbour(step);
        if (next != nullptr) {
            next->set_focus();
            next->clicked_by_user();
        }
    }

private:
    static int arrow_step(const QKeyEvent& event)
    {
        if ((event.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return 0;
        switch (event.key()) {
        case Qt::Key_Left:
        case Qt::Key_Up: return -1;
        case Qt::Key_Right:
        case Qt::Key_Down: return 1;
        default: return 0;
        }
    }

    OptionButton& option_;
};

OptionButton::OptionButton(Control& parent, std::string caption, double left, double top, double width,
                           double height)
    : Control(&parent, new OptionWidget(parent.widget(), *this), left, top, width, height, system_button_face,
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

double OptionButton::caption_end(std::string_view caption) const
{
    QStyleOptionButton option;
    option.initFrom(widget());
    // The style puts the caption after the circle and the gap, whatever the button's width.
    const QRect contents = widget()->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, widget());
    const QFontMetricsF metrics(qt::to_qfont(font()));
    const double caption_width = metrics.size(Qt::TextShowMnemonic, qt::to_shown_qstring(caption)).width();
    return qt::to_twips(contents.left() + std::ceil(caption_width));
}

std::vector<OptionButton*> OptionButton::group() const
{
    std::vector<OptionButton*> options;
    for (Control* sibling : parent()->children()) {
        if (auto* option = dynamic_cast<OptionButton*>(sibling)) options.push_back(option);
    }
    return options;
}

void OptionButton::set_value(bool value)
{
    for (OptionButton* option : group()) {
        if (value && option != this) option->value_ = false;
        // Whether an option is a stop of the focus order depends on its whole group.
        option->mark_changed(content_changed);
    }
    value_ = value;
    if (value && on_click_) on_click_();
}

OptionButton* OptionButton::neighbour(int step) const
{
    const std::vector<OptionButton*> options = group();
    const auto count = static_cast<int>(options.size());
    int at = static_cast<int>(std::find(options.begin(), options.end(), this) - options.begin());
    for (int tried = 1; tried < count; ++tried) {
        at = (at + step + count) % count;
        OptionButton* option = options[static_cast<std::size_t>(at)];
        if (option->enabled() && option->visible()) return option;
    }
    return nullptr;
}

bool OptionButton::is_tab_stop() const
{
    if (value_) return true;
    const std::vector<OptionButton*> options = group();
    return std::none_of(options.begin(), options.end(), [](const OptionButton* option) { return option->value_; });
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
    if (what & content_changed) {
        radio->setChecked(value_);
        // Tab stops at the selected option of a group alone; the arrow keys reach the others.
        radio->setFocusPolicy(is_tab_stop() ? Qt::StrongFocus : Qt::ClickFocus);
    }
    if (what & colours_changed) push_palette(QPalette::Window, QPalette::WindowText);
}

} // namespace platform
