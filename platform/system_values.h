#pragma once
// The real readers of the system's values that the services hand out: the clock, the
// registry values the About box shows or plays from, and the pseudo-random sequence.
// None of them needs the toolkit.
#include "platform/services.h"

#include <string>

namespace platform {

// The registry's media folder and product id.
class RegistrySystemValues final : public SystemValues {
public:
    std::string media_folder() override;
    std::string product_id() override;
};

} // namespace platform
