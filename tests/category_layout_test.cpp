// The window laid out for the category that the user picks, read from grabs of the real
// window: the direction options keep inside their frame, whole, as in a window laid out
// afresh for that category, at the designed size and at the smallest the window takes.
#include "platform/widgets/label.h"
#include "platform/widgets/qt_bridge.h"
#include "tests/support/main_window_fixture.h"
#include "tests/support/user_actions.h"

#include <QImage>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWidget>

#include <algorithm>
#include <string>
#include <vector>

using testing_support::MainWindowTest;
using zentrel::Category;

class CategoryLayoutTest : public MainWindowTest {
protected:
    // Where an option button's caption ends, from the button's left edge.
    static int caption_end(const QWidget& button)
    {
        QStyleOptionButton option;
        option.initFrom(&button);
        const QRect contents = button.style()->subElementRect(QStyle::SE_RadioButtonContents, &option, &button);
        const QString caption = static_cast<const QRadioButton&>(button).text();
        return contents.left() + button.fontMetrics().horizontalAdvance(caption);
    }

    QImage grab_of(const platform::Control& control) const
    {
        platform::Control::flush_all();
        const QWidget& widget = *control.widget();
        const QRect area(widget.mapTo(form->ui().frm.widget(), QPoint(0, 0)), widget.size());
        return form->ui().frm.widget()->grab(area).toImage();
    }

    // The direction frame as a window laid out afresh shows it: made smaller and
    // given its size back.
    QImage frame_laid_out_afresh() const
    {
        QWidget& window = *form->ui().frm.widget();
        const QSize size = window.size();
        window.resize(size.width() - 40, size.height());
        window.resize(size);
        return grab_of(form->ui().fra_Search);
    }
};

TEST_F(CategoryLayoutTest, OptionsPickedWithTheArrowKeysFitTheirFrame)
{
    auto& ui = form->ui();
    const QWidget& frame = *ui.fra_Search.widget();
    std::vector<int> order;
    for (int category = 1; category < zentrel::category_count; ++category) order.push_back(category);
    for (int category = zentrel::category_count - 2; category >= 0; --category) order.push_back(category);
    for (const int category : order) {
        pick_category(static_cast<Category>(category));
        SCOPED_TRACE(ui.opt_DiallOption_1.caption());
        const QImage picked = grab_of(ui.fra_Search);
        for (const platform::OptionButton* option : {&ui.opt_DiallOption_0, &ui.opt_DiallOption_1}) {
            const QRect box(option->widget()->mapTo(&frame, QPoint(0, 0)), option->widget()->size());
            EXPECT_LE(box.right(), frame.width() - 3) << option->caption() << " keeps inside the frame's border";
            EXPECT_LE(box.left() + caption_end(*option->widget()), frame.width() - 3)
                << option->caption() << " ends inside the frame";
        }
        // The frame's right border, where option 1 stands, as drawn above and below it.
        const int border_x = frame.width() - 2;
        const int option_y = ui.opt_DiallOption_1.widget()->geometry().center().y();
        EXPECT_EQ(picked.pixel(border_x, option_y), picked.pixel(border_x, frame.height() - 4));
        EXPECT_TRUE(picked == frame_laid_out_afresh()) << "as in a window laid out afresh";
    }
}

TEST_F(CategoryLayoutTest, TheArrowLiesBeneathTheOptions)
{
    auto& ui = form->ui();
    for (int category = 0; category < zentrel::category_count; ++category) {
        pick_category(static_cast<Category>(category));
        SCOPED_TRACE(ui.opt_DiallOption_1.caption());
        for (platform::OptionButton* option : {&ui.opt_DiallOption_0, &ui.opt_DiallOption_1}) {
            SCOPED_TRACE(option->caption());
            QWidget& button = *option->widget();
            // The circle and the caption as the button draws them alone.
            const QRect drawn(0, 0, std::min(button.width(), caption_end(button) + 2), button.height());
            EXPECT_TRUE(grab_of(*option).copy(drawn) == button.grab().toImage().copy(drawn))
                << "the circle and the caption drawn whole";
            QStyleOptionButton style_option;
            style_option.initFrom(&button);
            const QRect circle =
                button.style()->subElementRect(QStyle::SE_RadioButtonIndicator, &style_option, &button);
            testing_support::click_at(button, circle.center(), Qt::LeftButton);
            EXPECT_TRUE(option->value()) << "a click on its circle selects it";
        }
    }
}

namespace {

// The box a control stands in on the screen: its widget's, but the arrow's own box for
// the arrow, whose symbol is drawn larger than the box, from the box's top.
QRect box_of(const platform::Control& control)
{
    if (dynamic_cast<const platform::Label*>(&control) == nullptr) return control.widget()->geometry();
    using platform::qt::to_pixels;
    return {to_pixels(control.left()), to_pixels(control.top()), to_pixels(control.width()), to_pixels(control.height())};
}

// Every control below one stands inside it: inside the window, or inside its frame's
// border.
void expect_inside_its_container(const platform::Control& container)
{
    const QWidget& outer = *container.widget();
    const int border = outer.isWindow() ? 0 : 2;
    const QRect inside = outer.rect().adjusted(border, border, -border, -border);
    for (const platform::Control* control : container.children()) {
        const QRect box = box_of(*control);
        EXPECT_TRUE(inside.contains(box)) << box.x() << "," << box.y() << " " << box.width() << "x"
                                          << box.height() << " inside " << inside.width() << "x"
                                          << inside.height();
        expect_inside_its_container(*control);
    }
}

} // namespace

TEST_F(CategoryLayoutTest, AtTheSmallestSizeEveryOptionIsWholeAndTakesItsClicks)
{
    auto& ui = form->ui();
    QWidget& window = *ui.frm.widget();
    window.resize(1, 1);
    const QSize smallest = window.size();
    const QWidget& frame = *ui.fra_Search.widget();
    for (int category = 0; category < zentrel::category_count; ++category) {
        pick_category(static_cast<Category>(category));
        SCOPED_TRACE(ui.opt_DiallOption_1.caption());
        ASSERT_EQ(window.size(), smallest);
        expect_inside_its_container(ui.frm);
        std::vector<QRect> circles;
        std::vector<QRect> captions;
        for (platform::OptionButton* option : {&ui.opt_DiallOption_0, &ui.opt_DiallOption_1}) {
            SCOPED_TRACE(option->caption());
            QWidget& button = *option->widget();
            const int end = caption_end(button);
            EXPECT_LE(end, button.width()) << "the caption ends inside its button";
            EXPECT_LE(button.mapTo(&frame, QPoint(end, 0)).x(), frame.width() - 3) << "and inside the frame";
            const QRect drawn(0, 0, std::min(button.width(), end + 2), button.height());
            EXPECT_TRUE(grab_of(*option).copy(drawn) == button.grab().toImage().copy(drawn))
                << "the circle and the caption drawn whole";
            QStyleOptionButton style_option;
            style_option.initFrom(&button);
            const QStyle& style = *button.style();
            circles.push_back(style.subElementRect(QStyle::SE_RadioButtonIndicator, &style_option, &button));
            const QRect contents = style.subElementRect(QStyle::SE_RadioButtonContents, &style_option, &button);
            captions.push_back(QRect(contents.left(), contents.top(), end - contents.left(), contents.height()));
        }
        // Each click selects the option it falls on, the other one being selected before it.
        for (const std::vector<QRect>* parts : {&circles, &captions}) {
            for (int index = 0; index < 2; ++index) {
                platform::OptionButton& option = ui.opt_DiallOption(index);
                testing_support::click_at(*option.widget(), (*parts)[static_cast<std::size_t>(index)].center(),
                                          Qt::LeftButton);
                EXPECT_TRUE(option.value()) << option.caption() << (parts == &circles ? ": its circle" : ": its caption");
            }
        }
    }
}
