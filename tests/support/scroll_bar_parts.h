#pragma once
// Where the parts of a scroll bar lie, as its style lays them out: for presses aimed at
// its slider or the groove on either side of it.
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>

namespace testing_support {

// A part of a scroll bar (its slider, the groove below the slider) in the bar's own pixels.
inline QRect scroll_bar_part(const QScrollBar& bar, QStyle::SubControl part)
{
    QStyleOptionSlider option;
    option.initFrom(&bar);
    option.orientation = bar.orientation();
    if (bar.orientation() == Qt::Horizontal) option.state |= QStyle::State_Horizontal;
    option.minimum = bar.minimum();
    option.maximum = bar.maximum();
    option.sliderPosition = bar.sliderPosition();
    option.sliderValue = bar.value();
    option.singleStep = bar.singleStep();
    option.pageStep = bar.pageStep();
    return bar.style()->subControlRect(QStyle::CC_ScrollBar, &option, part, &bar);
}

} // namespace testing_support
