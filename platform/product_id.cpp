#include "platform/product_id.h"

#include "platform/registry.h"

#include <exception>

namespace platform {

std::string Windows_ProductID()
{
    try {
        RegistryValue value;
        Read_Reg_or_INI("HKLM", "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "ProductID", "S",
                        std::string("<Unknown ProductID>"), value);
        return value_as_text(value);
    } catch (const std::exception&) {
        return "<Unknown OEM number>";
    }
}

} // namespace platform
