// The window laid out for the category that the user picks with the arrow keys, read
// from grabs of the real window: the direction options keep inside their frame, whole,
// as in a window laid out afresh for that category.
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
