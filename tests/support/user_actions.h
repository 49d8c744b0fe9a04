#pragma once
// What a user does with the keyboard and the mouse, handed to the window system as the
// desktop hands it over: a key goes to the widget with the keyboard focus and the
// shortcuts of its window, a press to the widget under the pointer, and a right press
// brings the request of a context menu after it. Also the toolkit's own pop-up menus
// that such an action opens, each closed again and noted.
#include "core/category.h"
#include "platform/widgets/combo_box.h"
#include "platform/text.h"
#include "platform/widgets/control.h"
#include "platform/widgets/grid.h"
#include "platform/widgets/text_box.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMenu>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>
#include <QtTest/qtestspontaneevent.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace testing_support {

inline QWindow& window_system_window(const QWidget& widget)
{
    QWindow* window = widget.window()->windowHandle();
    if (window == nullptr) throw std::logic_error("the widget's window is not shown");
    return *window;
}

// A key pressed and released in the window of the control: it goes to whatever has the
// focus there.
inline void press_key(const platform::Control& in_window, Qt::Key key, Qt::KeyboardModifiers modifiers = {})
{
    QTest::keyClick(&window_system_window(*in_window.widget()), key, modifiers);
    platform::Control::flush_all();
}

// A mouse button pressed and released at a point of a widget, through its window.
inline void click_at(const QWidget& widget, QPoint at, Qt::MouseButton button,
                     Qt::KeyboardModifiers modifiers = {})
{
    QWindow& window = window_system_window(widget);
    const QPoint in_window = widget.mapTo(widget.window(), at);
    QTest::mouseClick(&window, button, modifiers, in_window);
    platform::Control::flush_all();
}

// The left button pressed at a point of a widget, the pointer moved to another with
// the button held, and the button released there, through the widget's window.
inline void drag_at(const QWidget& widget, QPoint from, QPoint to)
{
    QWindow& window = window_system_window(widget);
    QTest::mousePress(&window, Qt::LeftButton, {}, widget.mapTo(widget.window(), from));
    QTest::mouseMove(&window, widget.mapTo(widget.window(), to));
    QTest::mouseRelease(&window, Qt::LeftButton, {}, widget.mapTo(widget.window(), to));
    platform::Control::flush_all();
}

inline void right_click_at(const QWidget& widget, QPoint at, Qt::KeyboardModifiers modifiers = {})
{
    click_at(widget, at, Qt::RightButton, modifiers);
}

// A left click in the middle of a control.
inline void click(const platform::Control& control, Qt::KeyboardModifiers modifiers = {})
{
    platform::Control::flush_all();
    const QWidget& widget = *control.widget();
    click_at(widget, widget.rect().center(), Qt::LeftButton, modifiers);
}

// A right click on a control, in its middle unless a point of it is given.
inline void right_click(const platform::Control& control, Qt::KeyboardModifiers modifiers = {},
                        std::optional<QPoint> at = std::nullopt)
{
    platform::Control::flush_all();
    const QWidget& widget = *control.widget();
    right_click_at(widget, at.value_or(widget.rect().center()), modifiers);
}

// The grid's view, where its rows are drawn and clicked.
inline QTableView& grid_view(const platform::Grid& grid)
{
    platform::Control::flush_all();
    return *static_cast<QTableView*>(grid.widget());
}

// The widget that draws a row of the grid: the header row's own for row 0, else the
// view's viewport.
inline QWidget& row_widget(const platform::Grid& grid, int row)
{
    QTableView& view = grid_view(grid);
    return row == 0 ? *view.horizontalHeader()->viewport() : *view.viewport();
}

// Where a cell of the grid lies in the widget that draws its row (row_widget); row 0 is
// the header row, row 1 the first row of the view's rows.
inline QPoint cell_centre(const platform::Grid& grid, int row, int col)
{
    QTableView& view = grid_view(grid);
    if (row == 0) {
        const QHeaderView& header = *view.horizontalHeader();
        return {header.sectionViewportPosition(col) + header.sectionSize(col) / 2, header.height() / 2};
    }
    return view.visualRect(view.model()->index(row - 1, col)).center();
}

// A click of a button on a cell of the grid; row 0 is the header row.
inline void click_cell(const platform::Grid& grid, int row, int col, Qt::MouseButton button = Qt::LeftButton,
                       Qt::KeyboardModifiers modifiers = {})
{
    const QPoint at = cell_centre(grid, row, col);
    click_at(row_widget(grid, row), at, button, modifiers);
}

// The key of a character as a keyboard gives it: the toolkit's own for ASCII, the
// upper-case letter's code for the rest of Latin-1, and no key code beyond.
inline Qt::Key key_of(QChar character)
{
    if (character.unicode() < 0x80) return QTest::asciiToKey(static_cast<char>(character.unicode()));
    if (character.unicode() < 0x100) return static_cast<Qt::Key>(character.toUpper().unicode());
    return Qt::Key_unknown;
}

// Text typed into a text box as a user does: a click into it, Ctrl+A to select what it
// holds, then the keys of the text (the program's Windows-1252 text), or Backspace to
// empty it.
inline void type_into(const platform::TextBox& box, std::string_view text)
{
    click(box);
    QWidget& widget = *box.widget();
    QTest::keyClick(&widget, Qt::Key_A, Qt::ControlModifier);
    if (text.empty()) QTest::keyClick(&widget, Qt::Key_Backspace);
    for (const QChar character : QString::fromStdString(platform::to_utf8(text))) {
        QTest::sendKeyEvent(QTest::Click, &widget, key_of(character), QString(character), Qt::NoModifier);
    }
    platform::Control::flush_all();
}

// The request of a context menu that the desktop sends after the menu key, to the
// widget with the focus.
inline void desktop_menu_request(QWidget& focused)
{
    const QPoint at = focused.rect().center();
    QContextMenuEvent request(QContextMenuEvent::Keyboard, at, focused.mapToGlobal(at));
    // As the window system delivers it: sendEvent would take it for the program's own.
    QSpontaneKeyEvent::setSpontaneous(&request);
    QApplication::instance()->notify(&focused, &request);
    platform::Control::flush_all();
}

// The mouse wheel turned by notches (positive: away from the user) with the pointer at
// a point of a widget, handed to its window as the window system hands it over.
inline void turn_wheel_at(const QWidget& widget, QPoint at, int notches)
{
    QWindow& window = window_system_window(widget);
    const QPoint in_window = widget.mapTo(widget.window(), at);
    QWheelEvent turn(in_window, window.mapToGlobal(in_window), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&turn);
    QApplication::instance()->notify(&window, &turn);
    platform::Control::flush_all();
}

// Picks a category in the category list with the arrow keys, as a user does: the list
// takes the focus and Down or Up is pressed until the list shows the category.
inline void pick_with_arrow_keys(platform::ComboBox& list, zentrel::Category category)
{
    list.set_focus();
    while (list.list_index() != zentrel::index_of(category)) {
        const int before = list.list_index();
        press_key(list, before < zentrel::index_of(category) ? Qt::Key_Down : Qt::Key_Up);
        if (list.list_index() == before) throw std::logic_error("the list does not move on");
    }
}

// Lets the program and the window system finish what the last action started, as they
// do before a user's next one: the controls hand the screen their values, and events are
// processed until a pass delivers none to any object; on an X server it then waits until
// the server has taken every request.
inline void settle()
{
    class Delivered final : public QObject {
    public:
        bool eventFilter(QObject*, QEvent*) override
        {
            ++count;
            return false;
        }
        long count = 0;
    };
    platform::Control::flush_all();
    Delivered delivered;
    QCoreApplication::instance()->installEventFilter(&delivered);
    for (int pass = 0; pass < 10000; ++pass) {
        delivered.count = 0;
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (delivered.count == 0) break;
    }
    QCoreApplication::instance()->removeEventFilter(&delivered);
    QGuiApplication::sync();
}

// The close button on a window's title bar: the desktop asks the window to close.
inline void close_window(const platform::Control& window)
{
    window_system_window(*window.widget()).close();
    platform::Control::flush_all();
}

// The toolkit's pop-up menus that open while it watches: each is closed as soon as it
// shows (a menu that runs its own event loop would otherwise wait for a user), and the
// texts of its items are kept.
class ToolkitMenus final {
public:
    ToolkitMenus()
    {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { close_shown(); });
        timer_.start();
    }

    // Closes a menu that is shown now, noting it.
    void close_shown()
    {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr) return;
        std::vector<std::string> items;
        for (const QAction* action : menu->actions()) items.push_back(action->text().toStdString());
        shown.push_back(items);
        menu->close();
    }

    std::vector<std::vector<std::string>> shown;

private:
    QTimer timer_;
};

} // namespace testing_support
