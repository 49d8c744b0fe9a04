#include "platform/widgets/label.h"

#include "platform/widgets/control_events.h"
#include "platform/widgets/qt_bridge.h"
#include "platform/widgets/window.h"

#include <QCursor>
#include <QFontDatabase>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPixmap>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include <algorithm>
#include <cmath>

namespace platform {

namespace {

// Draws the label's text, or its picture with the focus frame while it has the focus;
// for the Webdings triangles on a machine without that font, draws the triangles
// themselves at the size the symbol font would give them.
class LabelWidget final : public QLabel {
public:
    LabelWidget(QWidget* parent, Handler& on_click, KeyHandler& on_key_down)
        : QLabel(parent), on_click_(on_click), on_key_down_(on_key_down)
    {
        setTextFormat(Qt::PlainText);
    }

    void set_symbol(bool drawn_here) { draw_symbol_ = drawn_here; update(); }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (!run_key_handler(on_key_down_, *event)) QLabel::keyPressEvent(event);
    }

    void mousePressEvent(QMouseEvent* event) override { event->accept(); }

    void mouseReleaseEvent(QMouseEvent* event) override
    {
        event->accept();
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
            run_handler(on_click_);
        }
    }

    void paintEvent(QPaintEvent* event) override
    {
        if (!draw_symbol_) {
            QLabel::paintEvent(event);
            if (hasFocus()) draw_focus();
            return;
        }
        const QString caption = text();
        const bool left = caption == QStringLiteral("3");
        const bool right = caption == QStringLiteral("4");
        if (!left && !right) return;
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QFontMetricsF metrics(font());
        const double size = metrics.height() * 0.55;
        const double centre_x = width() / 2.0;
        const double centre_y = metrics.ascent() * 0.62;
        QPainterPath triangle;
        if (right) {
            triangle.moveTo(centre_x - size * 0.45, centre_y - size / 2);
            triangle.lineTo(centre_x + size * 0.45, centre_y);
            triangle.lineTo(centre_x - size * 0.45, centre_y + size / 2);
        } else {
            triangle.moveTo(centre_x + size * 0.45, centre_y - size / 2);
            triangle.lineTo(centre_x - size * 0.45, centre_y);
            triangle.lineTo(centre_x + size * 0.45, centre_y + size / 2);
        }
        triangle.closeSubpath();
        const QColor colour = palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                              QPalette::WindowText);
        painter.fillPath(triangle, colour);
    }

private:
    void draw_focus()
    {
        QPainter painter(this);
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.backgroundColor = palette().color(QPalette::Window);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }

    Handler& on_click_;
    KeyHandler& on_key_down_;
    bool draw_symbol_ = false;
};

// The link cursor: a 32 x 32 hand pointing up, its hot spot at the tip of the index
// finger (13, 5), drawn in black and white like the system's own pointers.
QCursor hand_cursor()
{
    static const QCursor cursor = [] {
        QPixmap picture(32, 32);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(Qt::white);
        QPainterPath hand;
        hand.addRoundedRect(QRectF(11, 3, 5, 15), 2.5, 2.5);   // index finger
        hand.addRoundedRect(QRectF(15.5, 10, 4.5, 9), 2, 2);   // middle finger
        hand.addRoundedRect(QRectF(19.5, 11, 4.5, 8), 2, 2);   // ring finger
        hand.addRoundedRect(QRectF(23.5, 12.5, 4, 7), 2, 2);   // little finger
        hand.addRoundedRect(QRectF(11, 15, 16.5, 12), 4, 4);   // palm
        QPainterPath thumb;
        thumb.moveTo(12, 24);
        thumb.lineTo(6, 17.5);
        thumb.quadTo(7.5, 15, 10, 17);
        thumb.lineTo(12, 19);
        thumb.closeSubpath();
        painter.drawPath(hand.united(thumb).simplified());
        return QCursor(picture, 13, 5);
    }();
    return cursor;
}

bool font_is_missing(const std::string& name)
{
    return !QFontDatabase::hasFamily(qt::to_qstring(name));
}

bool is_drawn_symbol(const Font& font)
{
    return font.name == "Webdings" && font_is_missing(font.name);
}

} // namespace

Label::Label(Control& parent, std::string caption, double left, double top, double width, double height)
    : Control(&parent, new LabelWidget(parent.widget(), on_click_, on_key_down_), left, top, width, height,
              system_button_face, system_button_text),
      caption_(std::move(caption))
{
    // A label is drawn on its container's surface, beneath every other control there:
    // where it meets an option or a button, they stay whole and take their own clicks.
    widget()->lower();
}

void Label::set_caption(std::string caption)
{
    if (caption == caption_) return;
    caption_ = std::move(caption);
    mark_changed(caption_changed);
    fit_caption();
}

void Label::set_auto_size(bool auto_size)
{
    auto_size_ = auto_size;
    fit_caption();
}

void Label::set_transparent(bool transparent)
{
    transparent_ = transparent;
    mark_changed(colours_changed);
}

void Label::set_tab_stop(bool tab_stop)
{
    tab_stop_ = tab_stop;
    widget()->setFocusPolicy(tab_stop ? Qt::TabFocus : Qt::NoFocus);
}

void Label::set_link_cursor(bool link_cursor)
{
    link_cursor_ = link_cursor;
    mark_changed(content_changed);
}

void Label::set_picture_from(const Window& window)
{
    if (widget() == nullptr || window.widget() == nullptr) return;
    // The caption waiting for the screen would replace the picture, so it goes first.
    flush_all();
    const QIcon icon = window.widget()->windowIcon();
    static_cast<QLabel*>(widget())->setPixmap(icon.pixmap(qt::to_pixels(width()), qt::to_pixels(height())));
}

void Label::fit_caption()
{
    if (!auto_size_) return;
    const QFontMetricsF metrics(qt::to_qfont(font()));
    move(left(), top(), qt::to_twips(std::ceil(metrics.horizontalAdvance(qt::to_shown_qstring(caption_)))),
         qt::to_twips(std::ceil(metrics.height())));
}

void Label::push(unsigned what)
{
    Control::push(what);
    auto* label = static_cast<LabelWidget*>(widget());
    if (what & caption_changed) label->setText(qt::to_shown_qstring(caption_));
    if (what & colours_changed) {
        push_palette(QPalette::Window, QPalette::WindowText);
        label->setAutoFillBackground(!transparent_);
    }
    if (what & font_changed) {
        label->set_symbol(is_drawn_symbol(font()));
        push_geometry();
    }
    if (what & content_changed) {
        if (link_cursor_) {
            label->setCursor(hand_cursor());
        } else {
            label->unsetCursor();
        }
    }
}

void Label::push_geometry()
{
    // A symbol of a large font may be bigger than the label's box: it is drawn whole,
    // centred on the box, from the box's top.
    const QFontMetrics metrics(qt::to_qfont(font()));
    const int box_width = qt::to_pixels(width());
    const int box_height = qt::to_pixels(height());
    const bool symbol = is_drawn_symbol(font());
    const int drawn_width = symbol ? std::max(box_width, metrics.height() * 3 / 4) : box_width;
    const int drawn_height = symbol ? std::max(box_height, metrics.height()) : box_height;
    const int drawn_left = qt::to_pixels(left()) - (drawn_width - box_width) / 2;
    widget()->setGeometry(drawn_left, qt::to_pixels(top()), drawn_width, drawn_height);
    static_cast<QLabel*>(widget())->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

} // namespace platform
