// The real pop-up menu: it shows the items that are visible, in their states, only the
// left mouse button chooses an item, and a press of any button outside it closes it.
#include "platform/services.h"
#include "platform/widgets/app_state.h"
#include "platform/widgets/controls.h"
#include "platform/widgets/menu.h"
#include "platform/widgets/real_services.h"
#include "tests/support/user_actions.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace platform;

namespace {

void click_on(QMenu& menu, QAction* action, Qt::MouseButton button)
{
    testing_support::click_at(menu, menu.actionGeometry(action).center(), button);
}

class PopupMenuTest : public ::testing::Test {
protected:
    // Opens the menu and runs the action on it once it is shown. The action belongs to
    // the owner window, so it can never run in a later test.
    MenuItem* open(const std::function<void(QMenu&)>& while_open)
    {
        QTimer::singleShot(50, window.widget(), [&] {
            auto* shown = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(shown, nullptr);
            while_open(*shown);
            if (shown->isVisible()) shown->close();
        });
        return real_services().popup_menus->show(menu, window, 300, 300, &first);
    }

    Window window{"Owner", 4680, 3960};
    MenuItem menu{"menu"};
    MenuItem first{"&First", "Ctrl+F"};
    MenuItem hidden{"Hidden"};
    MenuItem disabled{"Disabled"};
    MenuItem separator{"-"};
    MenuItem last{"&Last"};

    void SetUp() override
    {
        window.show();
        for (MenuItem* item : {&first, &hidden, &disabled, &separator, &last}) menu.add(*item);
        hidden.set_visible(false);
        disabled.set_enabled(false);
    }
};

} // namespace

TEST_F(PopupMenuTest, ShowsTheVisibleItemsInTheirStates)
{
    QStringList texts;
    std::vector<bool> enabled;
    QFont default_font;
    open([&](QMenu& shown) {
        for (QAction* action : shown.actions()) {
            texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
            enabled.push_back(action->isEnabled());
        }
        default_font = shown.actions().front()->font();
    });
    EXPECT_EQ(texts, QStringList({QStringLiteral("&First\tCtrl+F"), QStringLiteral("Disabled"), QStringLiteral("-"),
                                  QStringLiteral("&Last")}));
    EXPECT_EQ(enabled, std::vector<bool>({true, false, true, true}));
    EXPECT_TRUE(default_font.bold()) << "the default item is shown in bold";
}

TEST_F(PopupMenuTest, OnlyTheLeftButtonChooses)
{
    MenuItem* chosen = open([&](QMenu& shown) {
        QAction* last_action = shown.actions().back();
        click_on(shown, last_action, Qt::RightButton);
        EXPECT_TRUE(shown.isVisible()) << "a right click chooses nothing";
        click_on(shown, last_action, Qt::LeftButton);
    });
    EXPECT_EQ(chosen, &last);
}

TEST_F(PopupMenuTest, PressOfAnyButtonOutsideClosesIt)
{
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        SCOPED_TRACE(button);
        bool closed_by_the_press = false;
        MenuItem* chosen = open([&](QMenu& shown) {
            const QPoint outside(shown.width() + 30, shown.height() / 2);
            // On the owner window, where the pointer is.
            QWidget& owner = *window.widget();
            const QPoint at = owner.mapFromGlobal(shown.mapToGlobal(outside));
            ASSERT_TRUE(owner.rect().contains(at));
            QWindow& owner_window = testing_support::window_system_window(owner);
            QTest::mousePress(&owner_window, button, {}, at);
            closed_by_the_press = !shown.isVisible();
            QTest::mouseRelease(&owner_window, button, {}, at);
        });
        EXPECT_TRUE(closed_by_the_press);
        EXPECT_EQ(chosen, nullptr);
    }
}

TEST_F(PopupMenuTest, DismissedMenuChoosesNothing)
{
    EXPECT_EQ(open([](QMenu&) {}), nullptr);
}

TEST_F(PopupMenuTest, MenusStayOpenAfterAnEndedProgramWasReset)
{
    // What a test that chose Exit leaves behind for the next one.
    end_program();
    reset_program_end();
    window.show();
    bool was_open = false;
    MenuItem* chosen = open([&](QMenu& shown) {
        was_open = shown.isVisible();
        click_on(shown, shown.actions().front(), Qt::LeftButton);
    });
    EXPECT_TRUE(was_open);
    EXPECT_EQ(chosen, &first);
}
