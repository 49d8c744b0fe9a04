#pragma once
// Conversions at the toolkit boundary: Windows-1252 text, colours, fonts, keys, twips.
#include "platform/colours.h"
#include "platform/widgets/controls.h"

#include <QColor>
#include <QFont>
#include <QString>

#include <string>
#include <string_view>
#include <vector>

class QKeyEvent;
class QMouseEvent;

namespace platform::qt {

QString to_qstring(std::string_view cp1252);
// The part of a text that the screen can show: a caption, cell or printed text is shown
// with at most this many characters, so that a line of megabytes in a database file
// never stalls the drawing. The program itself keeps the whole text.
constexpr std::size_t shown_characters = 4096;
QString to_shown_qstring(std::string_view cp1252);
// Text in Windows-1252: a character that the code page lacks becomes "?", and its position
// is added to `foreign` when one is given.
std::string from_qstring(const QString& text, std::vector<std::size_t>* foreign = nullptr);
// A tooltip shown exactly as typed, never read as markup.
QString plain_tooltip(std::string_view cp1252);

QColor to_qcolor(Colour colour);
QFont to_qfont(const Font& font);

int to_pixels(double twips);
double to_twips(double pixels);

int shift_mask(Qt::KeyboardModifiers modifiers);
int mouse_button(Qt::MouseButton button);
int key_code(const QKeyEvent& event);

} // namespace platform::qt
