#pragma once
// Text as the program holds it: std::string of Windows-1252 bytes. Trimming removes
// the space character (32) only; upper-casing follows the Windows-1252 letters.
#include <string>
#include <string_view>

namespace platform {

std::string_view trim_view(std::string_view text);
std::string trim(std::string_view text);
// The text without its trailing spaces.
std::string rtrim(std::string_view text);

unsigned char upper_byte(unsigned char byte);
std::string ucase(std::string_view text);

// One Windows-1252 byte as a Unicode code point; the five unassigned bytes map to
// the C1 control of the same value, so every byte survives a round trip.
char16_t cp1252_to_unicode(unsigned char byte);
// The Windows-1252 byte of a code point, or '?' when the code page has none.
unsigned char unicode_to_cp1252(char16_t code_point);

// Windows-1252 text in UTF-16, as the toolkit holds text, and back; a character that the
// code page lacks comes back as "?".
std::u16string to_utf16(std::string_view cp1252);
std::string from_utf16(std::u16string_view text);
// Windows-1252 text as UTF-8, the encoding of the operating system's file names.
std::string to_utf8(std::string_view cp1252);
// The system's UTF-8 text in Windows-1252, as the program shows it: a character that the
// code page lacks, and a byte that begins no UTF-8 character, becomes one "?".
std::string from_utf8(std::string_view utf8);
// UTF-8 text with the Windows-1252 letters upper-cased as ucase does; every other
// character, and every byte that begins no UTF-8 character, stays as it is.
std::string ucase_utf8(std::string_view utf8);

// A path of the system (the program folder and the files in it keep the system's own
// UTF-8 names) as the program shows it in a caption, a message or a row.
std::string shown_path(std::string_view path);
// The file name at the end of such a path, as the program shows it.
std::string shown_file_name(std::string_view path);

} // namespace platform
