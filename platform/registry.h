#pragma once
// Reads one value from a registry hive or, when the hive argument names an existing file,
// from that file as an INI file. Nothing is ever written and nothing is kept between
// calls. This platform has no registry: every registry read finds no key (status 2) and
// leaves the caller's default. The INI road reads the file as the Windows profile
// functions do.
#include <cstdint>
#include <string>
#include <variant>

namespace platform {

// A value read or its default: a text, a whole number or a Boolean. The INI road gives a
// text for the type "S" and a number for every other type.
using RegistryValue = std::variant<std::string, long long, bool>;

// The predefined registry keys that HKey_from_Name gives, and its two other answers.
namespace hive {
constexpr std::int32_t not_found = 0;
constexpr std::int32_t ini_file = 1;
constexpr std::int32_t classes_root = static_cast<std::int32_t>(0x80000000u);
constexpr std::int32_t current_user = static_cast<std::int32_t>(0x80000001u);
constexpr std::int32_t local_machine = static_cast<std::int32_t>(0x80000002u);
constexpr std::int32_t users = static_cast<std::int32_t>(0x80000003u);
constexpr std::int32_t current_config = static_cast<std::int32_t>(0x80000005u);
constexpr std::int32_t dyn_data = static_cast<std::int32_t>(0x80000006u);
} // namespace hive

namespace registry_status {
constexpr std::int32_t success = 0;
constexpr std::int32_t key_not_found = 2;
constexpr std::int32_t no_such_hive = 99;
} // namespace registry_status

// The hive named in full or in short ("HKEY_LOCAL_MACHINE", "HKLM"), in any case but
// untrimmed; ini_file when the argument is the path of an existing file; not_found else.
std::int32_t HKey_from_Name(const std::string& hive);

// Reads valueName under keyName into value, as valueType ("S" text, "B" Boolean, "D"
// number, any case). On the INI road hive is the file, keyName the section and valueName
// the key. value gets defaultValue whenever nothing could be read. Returns 99 for a hive
// that is neither a hive name nor a file, 0 on the INI road, and the system's code of the
// failing call on the registry road (here always 2: the key is not found).
std::int32_t Read_Reg_or_INI(const std::string& hive, const std::string& keyName, const std::string& valueName,
                             const std::string& valueType, const RegistryValue& defaultValue, RegistryValue& value);

// A value as text: a number in decimal, a Boolean as "True" or "False".
std::string value_as_text(const RegistryValue& value);

} // namespace platform
