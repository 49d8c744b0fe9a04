#include "platform/widgets/qt_bridge.h"

#include "platform/text.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPalette>
#include <QTextDocument>

#include <cmath>

namespace platform::qt {

QString to_qstring(std::string_view cp1252) { return QString::fromStdU16String(to_utf16(cp1252)); }

QString to_shown_qstring(std::string_view cp1252) { return to_qstring(cp1252.substr(0, shown_characters)); }

std::string from_qstring(const QString& text, std::vector<std::size_t>* foreign)
{
    const std::u16string_view units(QStringView(text).utf16(), static_cast<std::size_t>(text.size()));
    std::string bytes = from_utf16(units);
    if (foreign == nullptr) return bytes;
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        if (bytes[at] == '?' && units[at] != u'?') foreign->push_back(at);
    }
    return bytes;
}

QString plain_tooltip(std::string_view cp1252)
{
    const QString text = to_shown_qstring(cp1252);
    if (!Qt::mightBeRichText(text)) return text;
    return QStringLiteral("<span style=\"white-space:pre\">") + text.toHtmlEscaped() +
           QStringLiteral("</span>");
}

QColor to_qcolor(Colour colour)
{
    if (!is_system_colour(colour)) {
        return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                      static_cast<int>((colour >> 16) & 0xFF));
    }
    const QPalette palette = QApplication::palette();
    switch (colour) {
    case system_window_background: return palette.color(QPalette::Base);
    case system_window_text: return palette.color(QPalette::Text);
    case system_button_face: return palette.color(QPalette::Window);
    case system_button_text: return palette.color(QPalette::ButtonText);
    case system_highlight: return palette.color(QPalette::Highlight);
    case system_highlight_text: return palette.color(QPalette::HighlightedText);
    default: return palette.color(QPalette::Window);
    }
}

QFont to_qfont(const Font& font)
{
    QFont qfont(to_qstring(font.name));
    qfont.setPointSizeF(font.size > 0 ? font.size : 8.25);
    qfont.setBold(font.bold);
    qfont.setItalic(font.italic);
    qfont.setUnderline(font.underline);
    return qfont;
}

int to_pixels(double twips) { return static_cast<int>(std::lround(twips / twips_per_pixel)); }
double to_twips(double pixels) { return pixels * twips_per_pixel; }

int shift_mask(Qt::KeyboardModifiers modifiers)
{
    int mask = 0;
    if (modifiers & Qt::ShiftModifier) mask |= shift_key::shift;
    if (modifiers & Qt::ControlModifier) mask |= shift_key::ctrl;
    if (modifiers & Qt::AltModifier) mask |= shift_key::alt;
    return mask;
}

int mouse_button(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton: return mouse_button::left;
    case Qt::RightButton: return mouse_button::right;
    case Qt::MiddleButton: return mouse_button::middle;
    default: return 0;
    }
}

int key_code(const QKeyEvent& event)
{
    const int key = event.key();
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return 'A' + (key - Qt::Key_A);
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return '0' + (key - Qt::Key_0);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return 112 + (key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    case Qt::Key_Pause: return 19;
    case Qt::Key_CapsLock: return 20;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    case Qt::Key_Menu: return key_code::menu;
    default: return 0;
    }
}

} // namespace platform::qt
