// Turns a default-data file into a C++ source file that defines its lines as a constant
// table, at build time:
//
//   embed_lines <data file> <output .cpp> <table name>
//
// The data file holds one element per line with LF line ends: line n is element n, every
// byte as it is stored (trailing spaces and 8-bit bytes included). The output defines
//
//   extern const std::span<const std::string_view> <table name>;
//
// in namespace zentrel, over a constexpr array of string views, so the table costs nothing
// at start-up. Every byte outside printable ASCII, and '"', '\' and '?', is written as a
// three-digit octal escape, which can never run into the character after it.
//
// A CR in the data file is refused: it would only come from a file whose line ends were
// converted, and would then end up inside every element.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct DataFile {
    std::vector<std::string> lines;
    std::string error;
};

// Splits at LF; a last line without its LF still counts as a line.
std::vector<std::string> split_lines(const std::string& bytes)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const auto end = bytes.find('\n', start);
        if (end == std::string::npos) {
            lines.push_back(bytes.substr(start));
            break;
        }
        lines.push_back(bytes.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

DataFile read_data_file(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return {{}, "cannot open " + path};
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) return {{}, "cannot read " + path};
    const auto cr = bytes.find('\r');
    if (cr != std::string::npos) {
        const auto line = 1 + std::count(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cr), '\n');
        return {{}, path + ":" + std::to_string(line) + ": CR found; data files use LF line ends only"};
    }
    return {split_lines(bytes), {}};
}

bool needs_escape(unsigned char byte)
{
    return byte < 0x20 || byte > 0x7E || byte == '"' || byte == '\\' || byte == '?';
}

std::string literal(std::string_view line)
{
    std::string text = "\"";
    for (const char c : line) {
        const auto byte = static_cast<unsigned char>(c);
        if (needs_escape(byte)) {
            char escape[5];
            std::snprintf(escape, sizeof escape, "\\%03o", static_cast<unsigned>(byte));
            text += escape;
        } else {
            text += c;
        }
    }
    return text + "\"";
}

std::string source_text(const std::string& data_path, const std::string& table_name,
                        const std::vector<std::string>& lines)
{
    std::ostringstream out;
    out << "// Generated at build time by tools/embed_lines from " << data_path << ".\n"
        << "// Do not edit: change the data file instead.\n"
        << "#include <span>\n#include <string_view>\n\nnamespace zentrel {\n\n";
    if (lines.empty()) {
        out << "extern const std::span<const std::string_view> " << table_name << ";\n"
            << "constinit const std::span<const std::string_view> " << table_name << "{};\n";
    } else {
        out << "namespace {\n\n// Entry i is element i + 1, line i + 1 of the data file.\nconstexpr std::string_view elements[] = {\n";
        for (std::size_t n = 0; n < lines.size(); ++n) {
            out << "    {" << literal(lines[n]) << ", " << lines[n].size() << "}, // " << n + 1 << "\n";
        }
        out << "};\n\n} // namespace\n\n"
            << "extern const std::span<const std::string_view> " << table_name << ";\n"
            << "constinit const std::span<const std::string_view> " << table_name << "{elements};\n";
    }
    out << "\n} // namespace zentrel\n";
    return out.str();
}

bool write_file(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 4) {
        std::cerr << "usage: embed_lines <data file> <output .cpp> <table name>\n";
        return 2;
    }
    const std::string data_path = argv[1];
    const std::string output_path = argv[2];
    const std::string table_name = argv[3];

    const DataFile data = read_data_file(data_path);
    if (!data.error.empty()) {
        std::cerr << "embed_lines: " << data.error << "\n";
        return 1;
    }
    if (!write_file(output_path, source_text(data_path, table_name, data.lines))) {
        std::cerr << "embed_lines: cannot write " << output_path << "\n";
        std::remove(output_path.c_str());
        return 1;
    }
    return 0;
}
