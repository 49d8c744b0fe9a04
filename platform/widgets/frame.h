#pragma once
// A frame: an etched box with a caption, around controls of its own.
#include "platform/widgets/control.h"

#include <string>

namespace platform {

class Frame final : public Control {
public:
    Frame(Control& parent, std::string caption, double left, double top, double width,
          double height);
    const std::string& caption() const { return caption_; }
    void set_caption(std::string caption);

protected:
    void push(unsigned what) override;

private:
    std::string caption_;
};

} // namespace platform
