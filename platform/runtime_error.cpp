#include "platform/runtime_error.h"

#include <cerrno>
#include <map>

namespace platform {

std::string error_text(int number)
{
    static const std::map<int, std::string> texts = {
        {3, "Return without GoSub"},
        {5, "Invalid procedure call or argument"},
        {6, "Overflow"},
        {7, "Out of memory"},
        {9, "Subscript out of range"},
        {10, "This array is fixed or temporarily locked"},
        {11, "Division by zero"},
        {13, "Type mismatch"},
        {14, "Out of string space"},
        {28, "Out of stack space"},
        {31, "No program could open the file or address"},
        {35, "Sub or Function not defined"},
        {48, "Error in loading DLL"},
        {51, "Internal error"},
        {52, "Bad file name or number"},
        {53, "File not found"},
        {54, "Bad file mode"},
        {55, "File already open"},
        {57, "Device I/O error"},
        {58, "File already exists"},
        {59, "Bad record length"},
        {60, "File too large for the file-size limit"},
        {61, "Disk full"},
        {62, "Input past end of file"},
        {63, "Bad record number"},
        {65, "File changed while it was read"},
        {67, "Too many files"},
        {68, "Device unavailable"},
        {70, "Permission denied"},
        {71, "Disk not ready"},
        {74, "Can't rename with different drive"},
        {75, "Path/File access error"},
        {76, "Path not found"},
        {77, "The file dialog cannot open a folder whose name is not UTF-8"},
        {91, "Object variable or With block variable not set"},
        {93, "Invalid pattern string"},
        {94, "Invalid use of Null"},
        {32755, "Cancel was selected."},
    };
    const auto found = texts.find(number);
    return found != texts.end() ? found->second : "Application-defined or object-defined error";
}

RuntimeError::RuntimeError(int number) : number_(number), description_(error_text(number)) {}

void raise_error(int number) { throw RuntimeError(number); }

int error_from_errno(int errno_value)
{
    switch (errno_value) {
    case ENOENT: return error::file_not_found;
    case ENOTDIR: return error::path_not_found;
    case ENAMETOOLONG:
    case EINVAL: return error::bad_file_name_or_number;
    case EMFILE:
    case ENFILE: return error::too_many_files;
    case ENOSPC:
    case EDQUOT: return error::disk_full;
    case EFBIG: return error::file_too_large;
    case EIO: return error::device_io;
    case ENOMEM: return error::out_of_memory;
    default: return error::path_file_access; // EACCES, EPERM, EROFS, EISDIR, EBUSY, ETXTBSY ...
    }
}

} // namespace platform
