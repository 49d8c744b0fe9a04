#include "platform/registry.h"

#include "platform/file_attributes.h"
#include "platform/text.h"

#include <array>
#include <cstddef>
#include <fstream>
#include <iterator>
#include <optional>
#include <string_view>
#include <utility>

namespace platform {

namespace {

struct HiveName {
    std::string_view name;
    std::string_view short_name;
    std::int32_t key;
};

constexpr std::array<HiveName, 6> hive_names{{
    {"HKEY_CLASSES_ROOT", "HKCR", hive::classes_root},
    {"HKEY_CURRENT_USER", "HKCU", hive::current_user},
    {"HKEY_LOCAL_MACHINE", "HKLM", hive::local_machine},
    {"HKEY_USERS", "HKU", hive::users},
    {"HKEY_CURRENT_CONFIG", "HKCC", hive::current_config},
    {"HKEY_DYN_DATA", "HKDD", hive::dyn_data},
}};

// The string buffer the INI road reads texts into, terminating zero included.
constexpr std::size_t string_buffer_size = 255;
// The buffer the profile functions read a whole number's text into.
constexpr std::size_t number_buffer_size = 30;

// The profile functions' blanks: the white space of a line and the old end-of-file mark.
bool is_profile_blank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == '\x1A';
}

std::string_view trim_blanks(std::string_view text)
{
    while (!text.empty() && is_profile_blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && is_profile_blank(text.back())) text.remove_suffix(1);
    return text;
}

bool same_name(std::string_view a, std::string_view b) { return ucase(a) == ucase(b); }

// The INI file is named in the program's text, like the hive names it stands beside;
// the system knows it by its UTF-8 name.
std::optional<std::string> read_whole_file(const std::string& path)
{
    std::ifstream in(to_utf8(path), std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// One line of an INI file, blanks trimmed: a section header (its name is what stands
// between "[" and the last "]", blanks trimmed) or a key with or without "=".
struct IniLine {
    enum class Kind { section, key } kind;
    std::string_view name;
    std::optional<std::string_view> value;
};

std::optional<IniLine> parse_ini_line(std::string_view line)
{
    line = trim_blanks(line);
    if (line.empty()) return std::nullopt;
    if (line.front() == '[') {
        const std::size_t close = line.rfind(']');
        if (close != std::string_view::npos) {
            return IniLine{IniLine::Kind::section, trim_blanks(line.substr(1, close - 1)), {}};
        }
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return IniLine{IniLine::Kind::key, line, std::nullopt};
    return IniLine{IniLine::Kind::key, trim_blanks(line.substr(0, equals)), trim_blanks(line.substr(equals + 1))};
}

// The value of a key as the file holds it. Only the first section of the name is
// searched; a key without "=" has no value. Lines before any header form the section "".
std::optional<std::string> find_profile_value(const std::string& path, std::string_view section,
                                              std::string_view key)
{
    const std::optional<std::string> bytes = read_whole_file(path);
    if (!bytes) return std::nullopt;
    section = trim_blanks(section);
    key = trim_blanks(key);
    bool in_section = section.empty();
    bool section_passed = false;
    std::string_view rest = *bytes;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        const std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
        const std::optional<IniLine> parsed = parse_ini_line(line);
        if (!parsed) continue;
        if (parsed->kind == IniLine::Kind::section) {
            if (in_section) section_passed = true;
            in_section = !section_passed && same_name(parsed->name, section);
            continue;
        }
        if (in_section && same_name(parsed->name, key)) {
            if (!parsed->value) return std::nullopt;
            return std::string(*parsed->value);
        }
    }
    return std::nullopt;
}

// A text wholly enclosed in a pair of the same quotes loses them.
std::string without_quotes(std::string_view text)
{
    if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') && text.back() == text.front()) {
        return std::string(text.substr(1, text.size() - 2));
    }
    return std::string(text);
}

// The string profile function: the key's value, or the default without its trailing
// spaces, unquoted and cut to the buffer less its terminating zero.
std::string profile_string(const std::string& path, const std::string& section, const std::string& key,
                           const std::string& default_text, std::size_t buffer_size)
{
    std::string text;
    if (std::optional<std::string> found = find_profile_value(path, section, key)) {
        text = std::move(*found);
    } else {
        text = rtrim(default_text);
    }
    text = without_quotes(text);
    if (text.size() > buffer_size - 1) text.resize(buffer_size - 1);
    return text;
}

// The whole-number profile function: the leading integer of the key's value, with an
// optional sign, wrapping as a 32-bit number; 0 for a missing or empty value.
std::int32_t profile_int(const std::string& path, const std::string& section, const std::string& key)
{
    const std::string text = profile_string(path, section, key, "", number_buffer_size);
    std::size_t at = 0;
    while (at < text.size() && static_cast<unsigned char>(text[at]) <= ' ') ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
    std::uint32_t number = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        number = number * 10u + static_cast<std::uint32_t>(text[at] - '0');
    }
    if (negative) number = 0u - number;
    return static_cast<std::int32_t>(number);
}

RegistryValue read_ini(const std::string& file, const std::string& section, const std::string& key,
                       const std::string& type, const RegistryValue& default_value)
{
    if (ucase(type) == "S") {
        return profile_string(file, section, key, value_as_text(default_value), string_buffer_size);
    }
    return static_cast<long long>(profile_int(file, section, key));
}

} // namespace

std::int32_t HKey_from_Name(const std::string& hive)
{
    const std::string name = ucase(hive);
    for (const HiveName& each : hive_names) {
        if (name == each.name || name == each.short_name) return each.key;
    }
    return file_exists(to_utf8(hive)) ? hive::ini_file : hive::not_found;
}

std::int32_t Read_Reg_or_INI(const std::string& hive, const std::string& keyName, const std::string& valueName,
                             const std::string& valueType, const RegistryValue& defaultValue, RegistryValue& value)
{
    value = defaultValue;
    const std::int32_t key = HKey_from_Name(hive);
    if (key == hive::not_found) return registry_status::no_such_hive;
    if (key == hive::ini_file) {
        value = read_ini(hive, keyName, valueName, valueType, defaultValue);
        return registry_status::success;
    }
    // No registry on this platform: opening any key below a hive finds nothing.
    return registry_status::key_not_found;
}

std::string value_as_text(const RegistryValue& value)
{
    if (const auto* text = std::get_if<std::string>(&value)) return *text;
    if (const auto* number = std::get_if<long long>(&value)) return std::to_string(*number);
    return std::get<bool>(value) ? "True" : "False";
}

} // namespace platform
