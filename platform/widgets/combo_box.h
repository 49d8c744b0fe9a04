#pragma once
#include "platform/widgets/control.h"

#include <string>
#include <vector>

namespace platform {

// A drop-down list from which the user only picks; its text is the picked entry's.
class ComboBox final : public Control {
public:
    ComboBox(Control& parent, double left, double top, double width, double height);
    void clear();
    void add_item(std::string item);
    int list_count() const { return static_cast<int>(items_.size()); }
    const std::string& list(int index) const { return items_.at(static_cast<std::size_t>(index)); }
    int list_index() const { return list_index_; }
    // Picking an entry by program raises on_click, as a pick by the user does.
    void set_list_index(int index);
    std::string text() const;

    void on_click(Handler handler) { on_click_ = std::move(handler); }

protected:
    void push(unsigned what) override;

private:
    void picked_by_user(int index);

    Handler on_click_;
    std::vector<std::string> items_;
    int list_index_ = -1;
};

} // namespace platform
