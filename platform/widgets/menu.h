#pragma once
// Menu items: a caption with an "&" access key, a shortcut text, enabled and visible
// states and a command; an item with items of its own opens a submenu.
#include "platform/widgets/controls.h"

#include <string>
#include <vector>

namespace platform {

class MenuItem {
public:
    explicit MenuItem(std::string caption = {}, std::string shortcut = {});
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    const std::string& caption() const { return caption_; }
    void set_caption(std::string caption) { caption_ = std::move(caption); }
    const std::string& shortcut() const { return shortcut_; }
    bool enabled() const { return enabled_; }
    void set_enabled(bool enabled) { enabled_ = enabled; }
    bool visible() const { return visible_; }
    void set_visible(bool visible) { visible_ = visible; }
    // A caption of "-" alone makes the item a separator line.
    bool is_separator() const { return caption_ == "-"; }

    void add(MenuItem& item) { items_.push_back(&item); }
    const std::vector<MenuItem*>& items() const { return items_; }

    void on_click(Handler handler) { on_click_ = std::move(handler); }
    // Runs the item's command, if it has one.
    void click() const
    {
        if (on_click_) on_click_();
    }

private:
    Handler on_click_;
    std::string caption_;
    std::string shortcut_;
    bool enabled_ = true;
    bool visible_ = true;
    std::vector<MenuItem*> items_;
};

} // namespace platform
