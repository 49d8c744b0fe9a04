#include "platform/widgets/window.h"

#include "platform/widgets/control_events.h"
#include "platform/widgets/menu.h"
#include "platform/widgets/mouse_relay.h"
#include "platform/widgets/qt_bridge.h"

#include <QApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QShortcut>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace platform {

class WindowWidget final : public QWidget {
public:
    explicit WindowWidget(Window& window) : window_(window) {}

protected:
    bool event(QEvent* event) override
    {
        // While a modal window of the program stands over this one, its keys are that
        // window's alone: this one's shortcuts rest.
        const bool blocked = event->type() == QEvent::WindowBlocked;
        if (blocked || event->type() == QEvent::WindowUnblocked) {
            for (QShortcut* shortcut : findChildren<QShortcut*>(Qt::FindDirectChildrenOnly)) {
                shortcut->setEnabled(!blocked);
            }
        }
        return QWidget::event(event);
    }

    void resizeEvent(QResizeEvent* event) override
    {
        QWidget::resizeEvent(event);
        run_handler(window_.on_resize_);
    }

    void changeEvent(QEvent* event) override
    {
        QWidget::changeEvent(event);
        if (event->type() == QEvent::WindowStateChange) run_handler(window_.on_resize_);
        if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
            run_handler(window_.on_activate_);
        }
    }

    void closeEvent(QCloseEvent* event) override
    {
        QWidget::closeEvent(event);
        run_handler(window_.on_unload_);
    }

    void keyPressEvent(QKeyEvent* event) override
    {
        if (!run_key_handler(window_.on_key_down_, *event)) QWidget::keyPressEvent(event);
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
    new MouseRelay(widget(), on_mouse_down_, true);
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

void Window::set_minimum_size(double width, double height)
{
    const auto whole_pixels = [](double twips) { return static_cast<int>(std::ceil(twips / twips_per_pixel)); };
    if (widget() != nullptr) widget()->setMinimumSize(whole_pixels(width), whole_pixels(height));
}

double Window::outer_left() const { return widget() != nullptr ? qt::to_twips(widget()->frameGeometry().x()) : 0; }

double Window::outer_top() const { return widget() != nullptr ? qt::to_twips(widget()->frameGeometry().y()) : 0; }

void Window::set_outer_position(double left, double top)
{
    // A window's position is that of its outer frame.
    if (widget() != nullptr) widget()->move(qt::to_pixels(left), qt::to_pixels(top));
}

namespace {

// The control inside this one that holds the widget, the innermost one where several do.
Control* control_holding(const Control& control, const QWidget& widget)
{
    for (Control* child : control.children()) {
        const QWidget* own = child->widget();
        if (own == nullptr || (own != &widget && !own->isAncestorOf(&widget))) continue;
        Control* inner = control_holding(*child, widget);
        return inner != nullptr ? inner : child;
    }
    return nullptr;
}

void add_shortcuts(QWidget& window, MenuItem& menu, const std::function<void(MenuItem&)>& handler)
{
    for (MenuItem* item : menu.items()) {
        add_shortcuts(window, *item, handler);
        if (item->shortcut().empty()) continue;
        auto* shortcut = new QShortcut(QKeySequence(qt::to_qstring(item->shortcut())), &window);
        shortcut->setContext(Qt::WindowShortcut);
        QObject::connect(shortcut, &QShortcut::activated, shortcut,
                         [item, &handler] { run_handler([item, &handler] { handler(*item); }); });
    }
}

} // namespace

Control* Window::active_control() const
{
    const QWidget* focus = QApplication::focusWidget();
    return focus != nullptr ? control_holding(*this, *focus) : nullptr;
}

void Window::on_menu_shortcut(MenuItem& menu, std::function<void(MenuItem& item)> handler)
{
    on_menu_shortcut_ = std::move(handler);
    if (widget() != nullptr) add_shortcuts(*widget(), menu, on_menu_shortcut_);
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

} // namespace platform
