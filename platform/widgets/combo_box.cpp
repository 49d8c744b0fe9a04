#include "platform/widgets/combo_box.h"

#include "platform/widgets/control_events.h"
#include "platform/widgets/qt_bridge.h"

#include <QComboBox>
#include <QWheelEvent>
#include <QStyleOptionComboBox>
#include <QStylePainter>

namespace platform {

namespace {

// A drop-down list drawn as the style draws it, but with its text field in the list's
// back colour, as a drop-down list shows it: the style would give it the button face.
// The mouse wheel turns the list only while it has the focus; a wheel turn over it
// neither takes the focus nor picks another entry.
class ComboWidget final : public QComboBox {
public:
    explicit ComboWidget(QWidget* parent) : QComboBox(parent) { setFocusPolicy(Qt::StrongFocus); }

protected:
    void wheelEvent(QWheelEvent* event) override
    {
        if (hasFocus()) {
            QComboBox::wheelEvent(event);
            return;
        }
        event->ignore();
    }

    void paintEvent(QPaintEvent*) override
    {
        QStylePainter painter(this);
        QStyleOptionComboBox option;
        initStyleOption(&option);
        painter.drawComplexControl(QStyle::CC_ComboBox, option);
        const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
        painter.fillRect(field, palette().brush(QPalette::Base));
        painter.drawControl(QStyle::CE_ComboBoxLabel, option);
    }
};

} // namespace

ComboBox::ComboBox(Control& parent, double left, double top, double width, double height)
    : Control(&parent, new ComboWidget(parent.widget()), left, top, width, height, system_window_background,
              system_window_text)
{
    auto* combo = static_cast<QComboBox*>(widget());
    QObject::connect(combo, &QComboBox::activated, [this](int index) { picked_by_user(index); });
}

void ComboBox::clear()
{
    items_.clear();
    list_index_ = -1;
    mark_changed(content_changed);
}

void ComboBox::add_item(std::string item)
{
    items_.push_back(std::move(item));
    mark_changed(content_changed);
}

void ComboBox::set_list_index(int index)
{
    if (index < -1 || index >= list_count()) return;
    list_index_ = index;
    mark_changed(content_changed);
    if (index >= 0 && on_click_) on_click_();
}

std::string ComboBox::text() const
{
    return list_index_ >= 0 ? items_[static_cast<std::size_t>(list_index_)] : std::string();
}

void ComboBox::picked_by_user(int index)
{
    if (index < 0 || index >= list_count()) return;
    list_index_ = index;
    run_handler(on_click_);
}

void ComboBox::push(unsigned what)
{
    Control::push(what);
    auto* combo = static_cast<QComboBox*>(widget());
    if (what & content_changed) {
        const QSignalBlocker quiet(combo);
        if (combo->count() != list_count()) {
            combo->clear();
            for (const auto& item : items_) combo->addItem(qt::to_shown_qstring(item));
        }
        combo->setCurrentIndex(list_index_);
    }
    if (what & colours_changed) push_palette(QPalette::Base, QPalette::Text);
}

} // namespace platform
