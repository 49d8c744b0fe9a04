#pragma once
// The Windows product id for display, read through the registry reader; it decides
// nothing else. On this platform the registry holds nothing, so the default shows.
#include <string>

namespace platform {

// "ProductID" of HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion, "<Unknown ProductID>"
// when it is missing, "<Unknown OEM number>" when the read itself fails.
std::string Windows_ProductID();

} // namespace platform
