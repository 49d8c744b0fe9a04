#pragma once
// Run-time errors as the program tells them apart: a number with its standard text.
// Every failure that a handler reports to the user travels as one of these.
#include <exception>
#include <new>
#include <optional>
#include <string>

namespace platform {

namespace error {
constexpr int invalid_call = 5;
constexpr int overflow = 6;
constexpr int out_of_memory = 7;
constexpr int subscript_out_of_range = 9;
constexpr int division_by_zero = 11;
constexpr int internal = 51;
constexpr int bad_file_name_or_number = 52;
// No program could open a file or address: a number of the program's own.
constexpr int no_program_to_open = 31;
constexpr int file_not_found = 53;
constexpr int device_io = 57;
// A write past the largest file the process may write (`ulimit -f`) or the file system
// can hold: a number of the program's own, beside the standard ones.
constexpr int file_too_large = 60;
constexpr int disk_full = 61;
constexpr int input_past_end = 62;
// A file that became shorter while it was read, so that what was read of it is not the
// whole file: a number of the program's own.
constexpr int file_changed = 65;
constexpr int too_many_files = 67;
constexpr int permission_denied = 70;
constexpr int path_file_access = 75;
constexpr int path_not_found = 76;
// A folder whose name the toolkit's file dialog cannot show (a name that is not UTF-8):
// a number of the program's own.
constexpr int folder_not_shown = 77;
constexpr int invalid_pattern = 93;
constexpr int dialog_cancelled = 32755;
} // namespace error

// The standard text of an error number ("File not found" for 53).
std::string error_text(int number);

class RuntimeError final : public std::exception {
public:
    explicit RuntimeError(int number);
    int number() const { return number_; }
    const std::string& description() const { return description_; }
    const char* what() const noexcept override { return description_.c_str(); }

private:
    int number_;
    std::string description_;
};

[[noreturn]] void raise_error(int number);

// Runs one operation of a handler with an error road: any failure comes back as the
// run-time error the user is told of (out of memory as 7, any other failure as 51), and
// nothing when the operation succeeded. The end of the program is no failure: it passes.
template <typename Operation>
std::optional<RuntimeError> run_on_error_road(Operation&& operation)
{
    try {
        operation();
        return std::nullopt;
    } catch (const RuntimeError& error) {
        return error;
    } catch (const std::bad_alloc&) {
        return RuntimeError(error::out_of_memory);
    } catch (const std::exception&) {
        return RuntimeError(error::internal);
    }
}

// The error number of a failed system call on a path, given its errno value.
int error_from_errno(int errno_value);

} // namespace platform
