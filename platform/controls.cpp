#include "platform/controls.h"

#include "platform/app_state.h"
#include "platform/qt_bridge.h"
#include "platform/text.h"

#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QFontDatabase>
#include <QGroupBox>
#include <QIcon>
#include <QPen>
#include <QPixmap>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QTimer>
#include <QWidget>
#include <qdrawutil.h>

#include <algorithm>
#include <chrono>
#include <cmath>

namespace platform {

// The controls whose values changed since the screen was last brought up to date, and
// the timer that does it: at once when the program is idle, and no more than once per
// display frame while a long operation yields on every line.
class ScreenSync {
public:
    static ScreenSync& instance()
    {
        static ScreenSync sync;
        return sync;
    }

    void changed(Control* control)
    {
        pending_.push_back(control);
        if (timer_ == nullptr) {
            timer_ = new QTimer(QApplication::instance());
            timer_->setSingleShot(true);
            QObject::connect(timer_, &QTimer::timeout, [this] { flush(); });
        }
        if (timer_->isActive()) return;
        const auto since = std::chrono::steady_clock::now() - last_flush_;
        const auto wait = std::max(std::chrono::steady_clock::duration::zero(), display_frame - since);
        timer_->start(std::chrono::duration_cast<std::chrono::milliseconds>(wait));
    }

    void forget(Control* control)
    {
        pending_.erase(std::remove(pending_.begin(), pending_.end(), control), pending_.end());
    }

    void flush()
    {
        last_flush_ = std::chrono::steady_clock::now();
        if (timer_ != nullptr) timer_->stop();
        // Parents first, so that children are placed inside their final frames.
        std::vector<Control*> controls;
        controls.swap(pending_);
        for (Control* control : controls) control->flush();
    }

private:
    std::vector<Control*> pending_;
    QTimer* timer_ = nullptr;
    std::chrono::steady_clock::time_point last_flush_{};
};

namespace {

// Hands a mouse-button press on a widget to its control's handler, in twips relative
// to the control. A control that consumes its presses keeps them from its own widget;
// the others (an option, a button) still react to them as usual.
class MouseRelay final : public QObject {
public:
    MouseRelay(QWidget* widget, MouseHandler& handler, bool consume)
        : QObject(widget), widget_(widget), handler_(handler), consume_(consume)
    {
        widget->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != widget_) return false;
        if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonDblClick) {
            return false;
        }
        auto* press = static_cast<QMouseEvent*>(event);
        const int button = qt::mouse_button(press->button());
        const int shift = qt::shift_mask(press->modifiers());
        const QPointF at = press->position();
        if (handler_ && button != 0) {
            dispatch_event([&] { handler_(button, shift, qt::to_twips(at.x()), qt::to_twips(at.y())); });
            Control::flush_all();
        }
        return consume_;
    }

private:
    QWidget* widget_;
    MouseHandler& handler_;
    bool consume_;
};

void run_handler(const Handler& handler)
{
    if (!handler) return;
    dispatch_event(handler);
    Control::flush_all();
}

// Hands a key going down to a control's key handler; false when there is none or the
// key has no code of its own.
bool run_key_handler(const KeyHandler& handler, const QKeyEvent& event)
{
    const int code = qt::key_code(event);
    if (!handler || code == 0) return false;
    const int shift = qt::shift_mask(event.modifiers());
    dispatch_event([&] { handler(code, shift); });
    Control::flush_all();
    return true;
}

bool font_is_missing(const std::string& name)
{
    return !QFontDatabase::hasFamily(qt::to_qstring(name));
}

} // namespace

// ---------------------------------------------------------------------------------
// Control

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

void Control::set_enabled(bool enabled)
{
    if (enabled == enabled_) return;
    enabled_ = enabled;
    mark_changed(enabled_changed);
}

void Control::set_visible(bool visible)
{
    if (visible == visible_) return;
    visible_ = visible;
    mark_changed(visible_changed);
}

void Control::set_tooltip(std::string tooltip)
{
    if (tooltip == tooltip_) return;
    tooltip_ = std::move(tooltip);
    mark_changed(tooltip_changed);
}

void Control::set_back_colour(Colour colour)
{
    if (colour == back_colour_) return;
    back_colour_ = colour;
    mark_changed(colours_changed);
}

void Control::set_fore_colour(Colour colour)
{
    if (colour == fore_colour_) return;
    fore_colour_ = colour;
    mark_changed(colours_changed);
}

void Control::set_font(const Font& font)
{
    font_ = font;
    mark_changed(font_changed);
    font_was_set();
}

void Control::set_font_name(std::string name)
{
    font_.name = std::move(name);
    mark_changed(font_changed);
    font_was_set();
}

void Control::set_font_size(double size)
{
    font_.size = size;
    mark_changed(font_changed);
    font_was_set();
}

void Control::set_font_bold(bool bold)
{
    font_.bold = bold;
    mark_changed(font_changed);
    font_was_set();
}

void Control::set_font_underline(bool underline)
{
    font_.underline = underline;
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

// ---------------------------------------------------------------------------------
// Window

class WindowWidget final : public QWidget {
public:
    explicit WindowWidget(Window& window) : window_(window) {}

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QWidget::resizeEvent(event);
        run_handler(window_.on_resize);
    }

    void changeEvent(QEvent* event) override
    {
        QWidget::changeEvent(event);
        if (event->type() == QEvent::WindowStateChange) run_handler(window_.on_resize);
        if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
            run_handler(window_.on_activate);
        }
    }

    void closeEvent(QCloseEvent* event) override
    {
        QWidget::closeEvent(event);
        run_handler(window_.on_unload);
    }

    void keyPressEvent(QKeyEvent* event) override
    {
        if (!run_key_handler(window_.on_key_down, *event)) QWidget::keyPressEvent(event);
    }

    void paintEvent(QPaintEvent*) override
    {
        if (window_.printed_.empty()) return;
        QPainter painter(this);
        for (const PrintedText& item : window_.printed_) {
            const QFont font = qt::to_qfont(item.font);
            painter.setFont(font);
            painter.setPen(qt::to_qcolor(item.colour));
            const QFontMetricsF metrics(font);
            // Whole pixels, as controls are placed, so a label laid over printed text meets it exactly.
            painter.drawText(QPointF(qt::to_pixels(item.x), qt::to_pixels(item.y) + metrics.ascent()),
                             qt::to_shown_qstring(item.text));
        }
    }

private:
    Window& window_;
};

Window::Window(std::string caption, double client_width, double client_height)
    : Control(nullptr, new WindowWidget(*this), 0, 0, client_width, client_height, system_button_face,
              system_button_text),
      caption_(std::move(caption))
{
    widget()->setAutoFillBackground(true);
    widget()->resize(qt::to_pixels(client_width), qt::to_pixels(client_height));
    visible_ = false;
    new MouseRelay(widget(), on_mouse_down, true);
}

Window::~Window() = default;

void Window::set_caption(std::string caption)
{
    if (caption == caption_) return;
    caption_ = std::move(caption);
    mark_changed(caption_changed);
}

double Window::client_width() const
{
    if (widget() == nullptr || widget()->isMinimized()) return 0;
    return qt::to_twips(widget()->width());
}

double Window::client_height() const
{
    if (widget() == nullptr || widget()->isMinimized()) return 0;
    return qt::to_twips(widget()->height());
}

namespace {

bool is_program_window(const QWidget& widget)
{
    return widget.windowType() == Qt::Window || widget.windowType() == Qt::Dialog;
}

// The size that a window's borders and caption bar add to its inner area, in pixels.
// The desktop gives a window its borders only once it is shown; until then it takes
// those of a shown window of the program, which are decorated alike, so that an outer
// size set before the first show comes out as set.
QSize border_size(const QWidget& window)
{
    if (window.isVisible()) return window.frameGeometry().size() - window.size();
    for (const QWidget* other : QApplication::topLevelWidgets()) {
        if (other != &window && other->isVisible() && is_program_window(*other)) {
            return other->frameGeometry().size() - other->size();
        }
    }
    return {0, 0};
}

} // namespace

double Window::outer_width() const
{
    if (widget() == nullptr) return 0;
    return qt::to_twips(widget()->width() + border_size(*widget()).width());
}

double Window::outer_height() const
{
    if (widget() == nullptr) return 0;
    return qt::to_twips(widget()->height() + border_size(*widget()).height());
}

void Window::set_outer_width(double width)
{
    if (widget() == nullptr) return;
    const int inner = qt::to_pixels(width) - border_size(*widget()).width();
    widget()->resize(std::max(0, inner), widget()->height());
}

void Window::set_outer_height(double height)
{
    if (widget() == nullptr) return;
    const int inner = qt::to_pixels(height) - border_size(*widget()).height();
    widget()->resize(widget()->width(), std::max(0, inner));
}

double Window::outer_left() const { return widget() != nullptr ? qt::to_twips(widget()->frameGeometry().x()) : 0; }

double Window::outer_top() const { return widget() != nullptr ? qt::to_twips(widget()->frameGeometry().y()) : 0; }

void Window::set_outer_position(double left, double top)
{
    // A window's position is that of its outer frame.
    if (widget() != nullptr) widget()->move(qt::to_pixels(left), qt::to_pixels(top));
}

void Window::set_mouse_pointer(int pointer)
{
    if (pointer == mouse_pointer_) return;
    mouse_pointer_ = pointer;
    mark_changed(content_changed);
}

void Window::show()
{
    flush_all();
    set_visible(true);
    flush_all();
}

void Window::bring_to_front()
{
    if (widget() == nullptr || !widget()->isVisible()) return;
    widget()->raise();
    widget()->activateWindow();
}

void Window::hide()
{
    set_visible(false);
    flush_all();
}

void Window::close()
{
    if (widget() != nullptr) widget()->close();
}

bool Window::is_shown() const { return widget() != nullptr && widget()->isVisible(); }

double Window::screen_width()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? qt::to_twips(screen->geometry().width()) : 0;
}

double Window::screen_height()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? qt::to_twips(screen->geometry().height()) : 0;
}

void Window::push(unsigned what)
{
    // The window's size belongs to the user; only its caption, colours and pointer follow.
    Control::push(what & ~(geometry_changed | visible_changed));
    if (what & caption_changed) widget()->setWindowTitle(qt::to_shown_qstring(caption_));
    if (what & colours_changed) push_palette(QPalette::Window, QPalette::WindowText);
    if (what & content_changed) {
        switch (mouse_pointer_) {
        case mouse_pointer::standard: widget()->unsetCursor(); break;
        case mouse_pointer::hourglass: widget()->setCursor(Qt::WaitCursor); break;
        case mouse_pointer::arrow_hourglass: widget()->setCursor(Qt::BusyCursor); break;
        default: widget()->setCursor(Qt::ArrowCursor); break;
        }
    }
    if (what & content_changed) widget()->update();
    if (what & visible_changed) widget()->setVisible(visible());
}

void Window::push_geometry() {}

void Window::cls()
{
    printed_.clear();
    current_x_ = 0;
    current_y_ = 0;
    mark_changed(content_changed);
}

void Window::print(std::string_view text)
{
    if (!text.empty()) {
        printed_.push_back(PrintedText{std::string(text), current_x_, current_y_, font(), fore_colour()});
        mark_changed(content_changed);
    }
    current_x_ += text_width(text);
}

void Window::print_line(std::string_view text)
{
    print(text);
    current_x_ = 0;
    current_y_ += text_height();
}

double Window::text_width(std::string_view text) const
{
    return qt::to_twips(QFontMetricsF(qt::to_qfont(font())).horizontalAdvance(qt::to_shown_qstring(text)));
}

double Window::text_height() const { return qt::to_twips(QFontMetricsF(qt::to_qfont(font())).height()); }

void Window::set_icon_xpm(const char* const* xpm)
{
    if (widget() != nullptr) widget()->setWindowIcon(QIcon(QPixmap(xpm)));
}

void Window::set_icon_from(const Window& other)
{
    if (widget() != nullptr && other.widget() != nullptr) widget()->setWindowIcon(other.widget()->windowIcon());
}

// ---------------------------------------------------------------------------------
// Frame

namespace {

// A frame drawn as the classic etched box: its line runs through the middle of the
// caption, which sits near the left end of the top edge, so that the controls inside
// keep the places the program gives them.
class FrameWidget final : public QGroupBox {
public:
    explicit FrameWidget(QWidget* parent) : QGroupBox(parent) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const QFontMetrics metrics(font());
        const int line_y = metrics.height() / 2;
        const QRect box(0, line_y, width() - 2, height() - line_y - 2);
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(box);
        painter.setPen(palette().color(QPalette::Light));
        painter.drawRect(box.translated(1, 1));
        const QString caption = title();
        if (caption.isEmpty()) return;
        const int caption_left = 6;
        const QRect caption_box(caption_left, 0,
                                metrics.horizontalAdvance(QString(caption).remove(QLatin1Char('&'))) + 2,
                                metrics.height());
        painter.fillRect(caption_box, palette().color(QPalette::Window));
        style()->drawItemText(&painter, caption_box, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic,
                              palette(), isEnabled(), caption, QPalette::WindowText);
    }
};

} // namespace

Frame::Frame(Control& parent, std::string caption, double left, double top, double width, double height)
    : Control(&parent, new FrameWidget(parent.widget()), left, top, width, height, system_button_face,
              system_button_text),
      caption_(std::move(caption))
{
    widget()->setAutoFillBackground(true);
    new MouseRelay(widget(), on_mouse_down, true);
}

void Frame::set_caption(std::string caption)
{
    if (caption == caption_) return;
    caption_ = std::move(caption);
    mark_changed(caption_changed);
}

void Frame::push(unsigned what)
{
    Control::push(what);
    auto* box = static_cast<QGroupBox*>(widget());
    if (what & caption_changed) box->setTitle(qt::to_shown_qstring(caption_));
    if (what & colours_changed) push_palette(QPalette::Window, QPalette::WindowText);
}

// ---------------------------------------------------------------------------------
// ComboBox

namespace {

// A drop-down list drawn as the style draws it, but with its text field in the list's
// back colour, as a drop-down list shows it: the style would give it the button face.
class ComboWidget final : public QComboBox {
public:
    using QComboBox::QComboBox;

protected:
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
    if (index >= 0 && on_click) on_click();
}

std::string ComboBox::text() const
{
    return list_index_ >= 0 ? items_[static_cast<std::size_t>(list_index_)] : std::string();
}

void ComboBox::picked_by_user(int index)
{
    if (index < 0 || index >= list_count()) return;
    list_index_ = index;
    run_handler(on_click);
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

// ---------------------------------------------------------------------------------
// OptionButton

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
    new MouseRelay(widget(), on_mouse_down, false);
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
    if (value && on_click) on_click();
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

// ---------------------------------------------------------------------------------
// Label

namespace {

// Draws the label's text; for the Webdings triangles on a machine without that font,
// draws the triangles themselves at the size the symbol font would give them.
class LabelWidget final : public QLabel {
public:
    LabelWidget(QWidget* parent, Handler& on_click) : QLabel(parent), on_click_(on_click)
    {
        setTextFormat(Qt::PlainText);
    }

    void set_symbol(bool drawn_here) { draw_symbol_ = drawn_here; update(); }

protected:
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
    Handler& on_click_;
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

bool is_drawn_symbol(const Font& font)
{
    return font.name == "Webdings" && font_is_missing(font.name);
}

} // namespace

Label::Label(Control& parent, std::string caption, double left, double top, double width, double height)
    : Control(&parent, new LabelWidget(parent.widget(), on_click), left, top, width, height,
              system_button_face, system_button_text),
      caption_(std::move(caption))
{
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

// ---------------------------------------------------------------------------------
// TextBox

class TextBoxWidget final : public QLineEdit {
public:
    TextBoxWidget(QWidget* parent, TextBox& box) : QLineEdit(parent), box_(box) {}

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        Control::flush_all(); // the key acts on the text the program gave the box last
        const int code = qt::key_code(*event);
        const int shift = qt::shift_mask(event->modifiers());
        if (box_.on_key_down && code != 0) {
            dispatch_event([&] { box_.on_key_down(code, shift); });
            Control::flush_all();
        }
        int key_ascii = character_of(*event, code);
        if (key_ascii != 0 && box_.on_key_press) {
            dispatch_event([&] { box_.on_key_press(key_ascii); });
            Control::flush_all();
            if (key_ascii == 0) return;
        }
        if (isEnabled()) QLineEdit::keyPressEvent(event);
    }

private:
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
    if (changed && on_change) on_change();
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
    run_handler(on_change);
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

// ---------------------------------------------------------------------------------
// CommandButton

namespace {

// A push button whose keys go to the button's key handler first; a key that the button
// has a handler for is taken, so it does not travel on to the window. It is drawn as the
// classic raised button, its face in the button's back colour.
class ButtonWidget final : public QPushButton {
public:
    ButtonWidget(QWidget* parent, KeyHandler& on_key_down) : QPushButton(parent), on_key_down_(on_key_down) {}

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        const bool handled = run_key_handler(on_key_down_, *event);
        QPushButton::keyPressEvent(event);
        if (handled) event->accept();
    }

    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const QBrush face = palette().brush(QPalette::Button);
        qDrawWinButton(&painter, rect(), palette(), isDown(), &face);
        const QRect caption_box = rect().adjusted(2, 2, -2, -2).translated(isDown() ? QPoint(1, 1) : QPoint());
        style()->drawItemText(&painter, caption_box, Qt::AlignCenter | Qt::TextShowMnemonic, palette(), isEnabled(),
                              text(), QPalette::ButtonText);
        if (hasFocus()) {
            QStyleOptionFocusRect focus;
            focus.initFrom(this);
            focus.rect = rect().adjusted(4, 4, -4, -4);
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
        }
    }

private:
    KeyHandler& on_key_down_;
};

} // namespace

CommandButton::CommandButton(Control& parent, std::string caption, double left, double top, double width,
                             double height)
    : Control(&parent, new ButtonWidget(parent.widget(), on_key_down), left, top, width, height,
              system_button_face, system_button_text),
      caption_(std::move(caption))
{
    auto* button = static_cast<QPushButton*>(widget());
    QObject::connect(button, &QPushButton::clicked, [this] { run_handler(on_click); });
    new MouseRelay(widget(), on_mouse_down, false);
}

void CommandButton::set_caption(std::string caption)
{
    if (caption == caption_) return;
    caption_ = std::move(caption);
    mark_changed(caption_changed);
}

void CommandButton::push(unsigned what)
{
    Control::push(what);
    if (what & caption_changed) static_cast<QPushButton*>(widget())->setText(qt::to_shown_qstring(caption_));
    if (what & colours_changed) push_palette(QPalette::Button, QPalette::ButtonText);
}

} // namespace platform
