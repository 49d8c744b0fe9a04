#include "platform/widgets/frame.h"

#include "platform/widgets/mouse_relay.h"
#include "platform/widgets/qt_bridge.h"

#include <QGroupBox>
#include <QPainter>
#include <QStyle>

namespace platform {

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
    new MouseRelay(widget(), on_mouse_down_, true);
}

void Frame::set_caption(std::string caption) { change(caption_, std::move(caption), caption_changed); }

void Frame::push(unsigned what)
{
    Control::push(what);
    auto* box = static_cast<QGroupBox*>(widget());
    if (what & caption_changed) box->setTitle(qt::to_shown_qstring(caption_));
    if (what & colours_changed) push_palette(QPalette::Window, QPalette::WindowText);
}

} // namespace platform
