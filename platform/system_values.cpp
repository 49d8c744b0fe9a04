#include "platform/system_values.h"

#include "platform/product_id.h"
#include "platform/registry.h"

namespace platform {

namespace {

class SystemClock final : public Clock {
public:
    zentrel::DateTime now() override { return zentrel::local_now(); }
};

} // namespace

Clock& system_clock()
{
    static SystemClock clock;
    return clock;
}

std::string RegistrySystemValues::media_folder()
{
    RegistryValue folder;
    Read_Reg_or_INI("HKEY_LOCAL_MACHINE", "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "MediaPath", "S",
                    std::string("C:\\WINDOWS\\media"), folder);
    return value_as_text(folder);
}

std::string RegistrySystemValues::product_id() { return Windows_ProductID(); }

double RandomNumbers::next()
{
    const double span = static_cast<double>(std::minstd_rand::max() - std::minstd_rand::min()) + 1.0;
    return static_cast<double>(engine_() - std::minstd_rand::min()) / span;
}

void RandomNumbers::restart() { engine_ = std::minstd_rand(); }

} // namespace platform
