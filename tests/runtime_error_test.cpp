// Error numbers, their standard texts, and the numbers that system failures become.
#include "platform/runtime_error.h"

#include <gtest/gtest.h>

#include <cerrno>

using platform::RuntimeError;

TEST(RuntimeError, CarriesTheNumberAndItsStandardText)
{
    const struct {
        int number;
        const char* text;
    } cases[] = {
        {5, "Invalid procedure call or argument"}, {6, "Overflow"}, {7, "Out of memory"},
        {9, "Subscript out of range"}, {52, "Bad file name or number"}, {53, "File not found"},
        {57, "Device I/O error"}, {60, "File too large for the file-size limit"}, {61, "Disk full"}, {62, "Input past end of file"}, {67, "Too many files"},
        {75, "Path/File access error"}, {76, "Path not found"}, {93, "Invalid pattern string"},
        {32755, "Cancel was selected."}, {12345, "Application-defined or object-defined error"},
    };
    for (const auto& each : cases) {
        const RuntimeError error(each.number);
        EXPECT_EQ(error.number(), each.number);
        EXPECT_EQ(error.description(), each.text);
        EXPECT_STREQ(error.what(), each.text);
    }
}

TEST(RuntimeError, RaiseThrowsTheNumber)
{
    try {
        platform::raise_error(93);
        FAIL() << "no error raised";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.number(), 93);
    }
}

TEST(RuntimeError, SystemFailuresMapToTheNumbersTheProgramTellsApart)
{
    const struct {
        int errno_value;
        int number;
    } cases[] = {
        {ENOENT, 53}, {EACCES, 75}, {EPERM, 75}, {EISDIR, 75}, {EROFS, 75}, {ENOTDIR, 76},
        {ENOSPC, 61}, {EDQUOT, 61}, {EFBIG, 60}, {EIO, 57}, {EMFILE, 67}, {ENOMEM, 7},
    };
    for (const auto& each : cases) {
        EXPECT_EQ(platform::error_from_errno(each.errno_value), each.number) << each.errno_value;
    }
}
