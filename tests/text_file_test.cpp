#include "platform/file_attributes.h"
#include "platform/runtime_error.h"
#include "platform/text.h"
#include "platform/text_file_reader.h"
#include "platform/text_file_writer.h"
#include "tests/support/file_checks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <linux/capability.h>
#include <random>
#include <string>
#include <string_view>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using platform::InputFile;
using platform::OutputFile;
using platform::RuntimeError;
namespace error = platform::error;
using Lines = std::vector<std::string>;

constexpr std::size_t block = InputFile::block_size;

int error_number_of(const std::function<void()>& action)
{
    try {
        action();
    } catch (const RuntimeError& failure) {
        return failure.number();
    }
    return 0;
}

void write_bytes(const std::string& path, std::string_view bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(file.good()) << path;
}

std::string read_bytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

mode_t mode_of(const std::string& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return 0;
    return info.st_mode & 07777;
}

// The mode a new file gets under the process's umask.
mode_t new_file_mode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Sets the process's umask for one test and puts the old one back.
class Umask final {
public:
    explicit Umask(mode_t mask) : saved_(::umask(mask)) {}
    ~Umask() { ::umask(saved_); }
    Umask(const Umask&) = delete;
    Umask& operator=(const Umask&) = delete;

private:
    mode_t saved_;
};

bool is_link(const std::string& path)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

std::string link_text(const std::string& path)
{
    std::error_code ignored;
    return std::filesystem::read_symlink(path, ignored).string();
}

Lines read_until_false(const std::string& path)
{
    InputFile file(path);
    Lines lines;
    std::string line;
    while (file.read_line(line)) lines.push_back(line);
    EXPECT_TRUE(line.empty());
    EXPECT_TRUE(file.eof());
    return lines;
}

// The reading loop of the search: test for the end, then read one line.
Lines read_until_eof(const std::string& path)
{
    InputFile file(path);
    Lines lines;
    std::string line;
    while (!file.eof()) {
        EXPECT_TRUE(file.read_line(line));
        lines.push_back(line);
    }
    EXPECT_FALSE(file.read_line(line));
    return lines;
}

// The line rule written out byte by byte, to check the buffered reader against.
Lines split_lines(std::string_view bytes)
{
    Lines lines;
    std::string current;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r') {
            current += bytes[i];
            continue;
        }
        lines.push_back(current);
        current.clear();
        if (i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    }
    if (!current.empty()) lines.push_back(current);
    return lines;
}

std::string joined_with_cr_lf(const Lines& lines)
{
    std::string bytes;
    for (const auto& line : lines) bytes += line + "\r\n";
    return bytes;
}

class TextFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char name[] = "/tmp/zentrel_text_file_XXXXXX";
        ASSERT_NE(::mkdtemp(name), nullptr);
        folder_ = name;
    }

    void TearDown() override
    {
        namespace fs = std::filesystem;
        std::error_code ignored;
        fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add, ignored);
        for (const auto& entry : fs::recursive_directory_iterator(folder_, ignored)) {
            if (entry.is_directory(ignored)) {
                fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
            }
        }
        fs::remove_all(folder_, ignored);
    }

    std::string path(std::string_view name) const { return folder_ + "/" + std::string(name); }

    std::string with_bytes(std::string_view name, std::string_view bytes) const
    {
        const std::string file = path(name);
        write_bytes(file, bytes);
        return file;
    }

    // The names in the test folder, sorted.
    Lines entries() const
    {
        Lines names;
        for (const auto& entry : std::filesystem::directory_iterator(folder_)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string folder_;
};

// ---- Reading lines ----

struct LineCase {
    const char* name;
    std::string bytes;
    Lines lines;
};

TEST_F(TextFileTest, SplitsLinesAtCrLfAndLoneCr)
{
    using namespace std::string_literals;
    const LineCase cases[] = {
        {"empty file", "", {}},
        {"CR LF", "a\r\nb\r\n", {"a", "b"}},
        {"no final line end", "a\r\nb", {"a", "b"}},
        {"lone CR", "a\rb\r", {"a", "b"}},
        {"lone CR at the end", "\r", {""}},
        {"lone LF inside a line", "a\nb\r\n", {"a\nb"}},
        {"lone LF alone", "\n", {"\n"}},
        {"LF before CR", "a\n\r", {"a\n"}},
        {"empty line", "\r\n", {""}},
        {"CR CR LF", "\r\r\n", {"", ""}},
        {"two empty lines", "\r\n\r\n", {"", ""}},
        {"empty line inside", "a\r\n\r\nb", {"a", "", "b"}},
        {"LF CR LF", "x\n\r\ny", {"x\n", "y"}},
        {"spaces and Tabs kept", "  # note \r\n\t\r\n ", {"  # note ", "\t", " "}},
        {"NUL and high bytes", "x\0y\r\n\xFF\x80\xA0\r\n"s, {"x\0y"s, "\xFF\x80\xA0"}},
        {"NUL at the end", "ab\0"s, {"ab\0"s}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = with_bytes("lines.dat", c.bytes);
        EXPECT_EQ(read_until_false(file), c.lines);
        EXPECT_EQ(read_until_eof(file), c.lines);
    }
}

TEST_F(TextFileTest, HandlesLineEndsAtTheEdgeOfAReadBlock)
{
    const LineCase cases[] = {
        {"CR LF before the edge", std::string(block - 2, 'x') + "\r\nnext",
         {std::string(block - 2, 'x'), "next"}},
        {"CR last in the block, LF first in the next", std::string(block - 1, 'x') + "\r\nnext",
         {std::string(block - 1, 'x'), "next"}},
        {"CR LF first in the next block", std::string(block, 'x') + "\r\nnext",
         {std::string(block, 'x'), "next"}},
        {"lone CR last in the block", std::string(block - 1, 'x') + "\rnext",
         {std::string(block - 1, 'x'), "next"}},
        {"CR last byte of block and file", std::string(block - 1, 'x') + "\r",
         {std::string(block - 1, 'x')}},
        {"CR CR LF across the edge", std::string(block - 1, 'x') + "\r\r\n",
         {std::string(block - 1, 'x'), ""}},
        {"LF first in the next block after a line end", std::string(block - 2, 'x') + "\r\n\nz",
         {std::string(block - 2, 'x'), "\nz"}},
        {"line across the edge", std::string(block / 2, 'a') + "\r\n" + std::string(block, 'b') + "\r\nc",
         {std::string(block / 2, 'a'), std::string(block, 'b'), "c"}},
        {"line over several blocks", std::string(3 * block + 17, 'q') + "\r\ntail",
         {std::string(3 * block + 17, 'q'), "tail"}},
        {"file of exactly one block", std::string(block, 'w'), {std::string(block, 'w')}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = with_bytes("edge.dat", c.bytes);
        EXPECT_EQ(read_until_false(file), c.lines);
        EXPECT_EQ(read_until_eof(file), c.lines);
    }
}

// Where each line begins in the file, as the reader tells it once eof() has said a line is
// left, and the bytes it has read ahead from there: the same edges of a block as above.
TEST_F(TextFileTest, TellsWhereEachLineBeginsAndTheBytesReadAheadFromThere)
{
    const std::string cases[] = {
        "a\r\nbb\rccc\n\r\n\r\nlast",
        std::string(block - 1, 'x') + "\r\nnext\r\n",
        std::string(block, 'x') + "\r\nnext",
        std::string(block - 2, 'x') + "\r\n\nz\r",
        std::string(block / 2, 'a') + "\r\n" + std::string(2 * block, 'b') + "\r\nc\r\nd",
    };
    for (const std::string& bytes : cases) {
        SCOPED_TRACE(bytes.size());
        InputFile file(with_bytes("where.dat", bytes));
        std::size_t expected_start = 0;
        std::string_view line;
        while (!file.eof()) {
            ASSERT_EQ(file.position(), static_cast<long long>(expected_start));
            const std::string_view ahead = file.read_ahead();
            ASSERT_FALSE(ahead.empty());
            EXPECT_EQ(ahead, std::string_view(bytes).substr(expected_start, ahead.size()));
            file.next_line(line);
            EXPECT_EQ(std::string_view(bytes).substr(expected_start, line.size()), line);
            expected_start += line.size();
            if (expected_start < bytes.size() && bytes[expected_start] == '\r') ++expected_start;
            if (expected_start < bytes.size() && bytes[expected_start] == '\n' && bytes[expected_start - 1] == '\r') {
                ++expected_start;
            }
        }
        EXPECT_EQ(expected_start, bytes.size());
    }
}

TEST_F(TextFileTest, ReadsATenMegabyteLine)
{
    std::string long_line(10 * 1024 * 1024 + 3, ' ');
    for (std::size_t i = 0; i < long_line.size(); ++i) {
        long_line[i] = static_cast<char>('A' + i % 26);
    }
    long_line[5'000'000] = '\n';
    long_line[7'000'000] = '\0';
    const std::string file = with_bytes("long.dat", "first\r\n" + long_line + "\r\nend");
    EXPECT_EQ(read_until_false(file), (Lines{"first", long_line, "end"}));
}

TEST_F(TextFileTest, MatchesTheLineRuleOnMixedBytes)
{
    std::mt19937 random(20240601);
    const std::string alphabet("ab #\r\r\n\0\xFF", 9);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::string bytes(5 * block + 123, ' ');
    for (char& byte : bytes) byte = alphabet[pick(random)];
    const std::string file = with_bytes("mixed.dat", bytes);
    EXPECT_EQ(read_until_false(file), split_lines(bytes));
}

TEST_F(TextFileTest, ReadLineReusesTheCallersString)
{
    const std::string file = with_bytes("reuse.dat", std::string(1000, 'x') + "\r\nshort\r\n");
    InputFile input(file);
    std::string line;
    ASSERT_TRUE(input.read_line(line));
    const auto capacity = line.capacity();
    ASSERT_TRUE(input.read_line(line));
    EXPECT_EQ(line, "short");
    EXPECT_EQ(line.capacity(), capacity);
    line = "left over";
    EXPECT_FALSE(input.read_line(line));
    EXPECT_EQ(line, "");
}

TEST_F(TextFileTest, EofIsTrueOnlyAfterTheLastLine)
{
    const std::string file = with_bytes("two.dat", "one\r\ntwo\r\n");
    InputFile input(file);
    std::string line;
    EXPECT_FALSE(input.eof());
    ASSERT_TRUE(input.read_line(line));
    EXPECT_FALSE(input.eof());
    ASSERT_TRUE(input.read_line(line));
    EXPECT_EQ(line, "two");
    EXPECT_TRUE(input.eof());
    EXPECT_TRUE(input.eof());
}

TEST_F(TextFileTest, AFileCutShortWhileItIsReadFailsWithFileChanged)
{
    const Lines written(2000, std::string(999, 'z'));
    const struct {
        const char* name;
        off_t cut_to;
    } cases[] = {{"cut to nothing", 0}, {"cut within the first block", 1000}, {"cut by one byte", 2000 * 1001 - 1}};
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name);
        const std::string file = with_bytes("shrinking.dat", joined_with_cr_lf(written));
        InputFile input(file);
        std::string line;
        ASSERT_TRUE(input.read_line(line));
        ASSERT_EQ(::truncate(file.c_str(), each.cut_to), 0);
        std::size_t count = 1;
        EXPECT_EQ(error_number_of([&] {
                      while (input.read_line(line)) ++count;
                  }),
                  error::file_changed);
        EXPECT_LE(count, written.size());
    }
}

TEST_F(TextFileTest, AFileThatGrowsOrIsReadWholeBeforeItIsCutEndsWithoutError)
{
    const Lines written(200, std::string(999, 'g'));
    const std::string growing = with_bytes("growing.dat", joined_with_cr_lf(written));
    InputFile input(growing);
    std::string line;
    ASSERT_TRUE(input.read_line(line));
    std::ofstream(growing, std::ios::binary | std::ios::app) << "more\r\n";
    std::size_t count = 1;
    EXPECT_NO_THROW(while (input.read_line(line)) ++count);
    EXPECT_EQ(count, written.size() + 1);

    const std::string small = with_bytes("small.dat", "one\r\ntwo\r\n");
    InputFile whole(small);
    ASSERT_TRUE(whole.read_line(line));
    ASSERT_TRUE(whole.read_line(line));
    EXPECT_TRUE(whole.eof());
    ASSERT_EQ(::truncate(small.c_str(), 0), 0);
    EXPECT_FALSE(whole.read_line(line)) << "the file was read to its end before it was cut";
}

// ---- Lines without end ----

// A sparse file: `size` zero bytes that take no room on the disk, then `tail`.
std::string sparse_file(const std::string& path, off_t size, std::string_view tail = {})
{
    write_bytes(path, "");
    EXPECT_EQ(::truncate(path.c_str(), size), 0);
    std::ofstream(path, std::ios::binary | std::ios::app).write(tail.data(), static_cast<std::streamsize>(tail.size()));
    return path;
}

TEST_F(TextFileTest, ALineLongerThanTheLongestLineFailsAsOutOfMemory)
{
    constexpr auto longest = static_cast<off_t>(InputFile::longest_line);
    std::string line;
    {
        InputFile input(sparse_file(path("longest.dat"), longest - 1, "x\r\nnext\r\n"));
        ASSERT_TRUE(input.read_line(line));
        EXPECT_EQ(line.size(), InputFile::longest_line) << "a line of the longest length is read";
        EXPECT_EQ(line.back(), 'x');
        ASSERT_TRUE(input.read_line(line));
        EXPECT_EQ(line, "next");
    }
    for (const off_t size : {longest + 1, 3 * longest}) {
        SCOPED_TRACE(size);
        InputFile input(sparse_file(path("zeros.dat"), size));
        std::size_t longest_seen = 0;
        input.watch_long_lines([&](std::size_t length) {
            longest_seen = std::max(longest_seen, length);
            return true;
        });
        EXPECT_EQ(error_number_of([&] { input.read_line(line); }), error::out_of_memory);
        EXPECT_LE(longest_seen, InputFile::longest_line) << "no more than the longest line is held";
        EXPECT_GT(longest_seen, InputFile::longest_line - 2 * block);
    }
}

TEST_F(TextFileTest, TheWatchOfALongLineIsToldOfEveryBlockAndMayGiveItUp)
{
    const std::string file = with_bytes("long.dat", std::string(5 * block + 10, 'L') + "\r\nshort\r\n");
    std::vector<std::size_t> lengths;
    {
        InputFile input(file);
        input.watch_long_lines([&](std::size_t length) {
            lengths.push_back(length);
            return true;
        });
        std::string line;
        ASSERT_TRUE(input.read_line(line));
        EXPECT_EQ(line.size(), 5 * block + 10);
        ASSERT_TRUE(input.read_line(line));
        EXPECT_EQ(line, "short");
    }
    EXPECT_EQ(lengths, (std::vector<std::size_t>{2 * block, 3 * block, 4 * block, 5 * block}))
        << "told of every whole block the line goes on through";

    // The watch ends the read at its second call: the line is given up and the file reads
    // as ended, the short line after it unread.
    InputFile input(file);
    int calls = 0;
    input.watch_long_lines([&](std::size_t) { return ++calls < 2; });
    std::string line = "before";
    EXPECT_FALSE(input.read_line(line));
    EXPECT_TRUE(line.empty());
    EXPECT_EQ(calls, 2);
    EXPECT_TRUE(input.eof());
    EXPECT_FALSE(input.read_line(line));
    EXPECT_EQ(calls, 2) << "nothing more is read";
}

// ---- Files that are no regular files ----

TEST_F(TextFileTest, APipeOrADeviceIsRefusedWithoutWaitingForItsData)
{
    const std::string fifo = path("Directory.dat");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // A writer that has written nothing yet: a read would wait for it.
    const int writer = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(writer, 0);
    ASSERT_EQ(::symlink("/dev/zero", path("Zeros.dat").c_str()), 0);
    for (const std::string& each : {fifo, path("Zeros.dat"), std::string("/dev/null")}) {
        SCOPED_TRACE(each);
        EXPECT_EQ(error_number_of([&] { InputFile input(each); }), error::path_file_access);
        EXPECT_EQ(platform::file_size(each), -1);
    }
    ::close(writer);
}

TEST_F(TextFileTest, ReadingSurvivesTheRemovalOfTheFile)
{
    const Lines written(2000, std::string(999, 'r'));
    const std::string file = with_bytes("removed.dat", joined_with_cr_lf(written));
    InputFile input(file);
    std::string line;
    ASSERT_TRUE(input.read_line(line));
    ASSERT_EQ(::unlink(file.c_str()), 0);
    std::size_t count = 1;
    EXPECT_NO_THROW(while (input.read_line(line)) {
        EXPECT_EQ(line, written.front());
        ++count;
    });
    EXPECT_LE(count, written.size());
}

// ---- Opening and closing ----

TEST_F(TextFileTest, OpeningForReadingFailsWithTheProgramsErrorNumbers)
{
    write_bytes(path("plain.dat"), "x\r\n");
    std::filesystem::create_directory(path("folder"));
    const struct {
        const char* name;
        std::string path;
        int number;
    } cases[] = {
        {"missing file", path("missing.dat"), error::file_not_found},
        {"folder", path("folder"), error::path_file_access},
        {"missing folder", path("no_folder/file.dat"), error::path_not_found},
        {"missing folders", path("no/such/folder/file.dat"), error::path_not_found},
        {"a file used as a folder", path("plain.dat/file.dat"), error::path_not_found},
        {"empty path", "", error::path_file_access},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(error_number_of([&] { InputFile input(c.path); }), c.number);
    }
}

// Runs the work on a thread of its own without the capabilities that let root read and
// search any file, so that permission bits hold there as they do for any user (the tests
// often run as root). Capabilities belong to a thread: the rest of the process keeps them.
void as_a_plain_user(const std::function<void()>& work)
{
    std::thread plain_user([&] {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3]{};
        ASSERT_EQ(::syscall(SYS_capget, &header, data), 0);
        for (const unsigned capability : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH}) {
            data[capability / 32].effective &= ~(1u << (capability % 32));
        }
        ASSERT_EQ(::syscall(SYS_capset, &header, data), 0);
        work();
    });
    plain_user.join();
}

TEST_F(TextFileTest, OpeningAFileThatMayNotBeReadGivesAccessError)
{
    const std::string file = with_bytes("secret.dat", "x\r\n");
    ASSERT_EQ(::chmod(file.c_str(), 0), 0);
    as_a_plain_user([&] { EXPECT_EQ(error_number_of([&] { InputFile input(file); }), error::path_file_access); });
}

TEST_F(TextFileTest, AClosedFileCannotBeRead)
{
    const std::string file = with_bytes("closed.dat", "a\r\nb\r\n");
    InputFile input(file);
    input.close();
    input.close();
    std::string line;
    EXPECT_EQ(error_number_of([&] { input.read_line(line); }), error::bad_file_name_or_number);
    EXPECT_EQ(error_number_of([&] { input.eof(); }), error::bad_file_name_or_number);
}

// ---- File size ----

TEST_F(TextFileTest, FileSizeIsTheLengthOfARegularFileOrMinusOne)
{
    write_bytes(path("five.dat"), "ab\r\nc");
    write_bytes(path("empty.dat"), "");
    std::filesystem::create_directory(path("folder"));
    ASSERT_EQ(::mkfifo(path("pipe").c_str(), 0600), 0);
    const struct {
        const char* name;
        std::string path;
        long long size;
    } cases[] = {
        {"regular file", path("five.dat"), 5},
        {"empty file", path("empty.dat"), 0},
        {"folder", path("folder"), -1},
        {"missing file", path("missing.dat"), -1},
        {"missing folder", path("no_folder/five.dat"), -1},
        {"empty path", "", -1},
        {"device", "/dev/null", -1},
        {"pipe without a writer", path("pipe"), -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(platform::file_size(c.path), c.size);
    }
}

TEST_F(TextFileTest, FileSizeCountsEveryByteOfALargeFile)
{
    const std::string bytes(3 * block + 5, '\r');
    EXPECT_EQ(platform::file_size(with_bytes("large.dat", bytes)),
              static_cast<long long>(bytes.size()));
}

TEST_F(TextFileTest, FileSizeOfTwoGibibytesAndMoreIsTheWholeSize)
{
    for (const long long size : {(1LL << 31) - 1, 1LL << 31, (1LL << 32) + 7}) {
        SCOPED_TRACE(size);
        EXPECT_EQ(platform::file_size(sparse_file(path("huge.dat"), static_cast<off_t>(size))), size);
    }
}

// ---- File names ----

TEST_F(TextFileTest, ALongNameIsCutToWhatTheSystemTakesKeepingItsExtension)
{
    const std::string e_acute(1, '\xE9'); // two bytes in UTF-8
    const std::string euro(1, '\x80');    // three bytes in UTF-8
    const auto times = [](const std::string& text, std::size_t count) {
        std::string joined;
        for (std::size_t i = 0; i < count; ++i) joined += text;
        return joined;
    };
    const struct {
        const char* name;
        std::string given;
        std::string fitted;
    } cases[] = {
        {"a name that fits", "DirectoryResultsFor_Hay_", "DirectoryResultsFor_Hay_"},
        {"the longest that fits", std::string(255, 'a'), std::string(255, 'a')},
        {"300 letters", "DirectoryResultsFor_" + std::string(280, 'a'), "DirectoryResultsFor_" + std::string(235, 'a')},
        {"letters of two bytes", "DirectoryResultsFor_" + times(e_acute, 300), "DirectoryResultsFor_" + times(e_acute, 117)},
        {"letters of three bytes", times(euro, 100), times(euro, 85)},
        {"the extension is kept", std::string(300, 'a') + ".csv", std::string(251, 'a') + ".csv"},
        {"only the last extension", "a.b" + std::string(300, 'c') + ".txt", "a.b" + std::string(248, 'c') + ".txt"},
        {"an extension too long to keep", "a." + std::string(300, 'b'), "a." + std::string(253, 'b')},
        {"a hidden name", "." + std::string(300, 'h'), "." + std::string(254, 'h')},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name);
        const std::string fitted = platform::name_that_fits(each.given);
        EXPECT_EQ(fitted, each.fitted);
        EXPECT_LE(platform::to_utf8(fitted).size(), std::size_t{NAME_MAX});
    }
}

TEST_F(TextFileTest, AFileOfTheLongestNameIsWrittenThroughItsTemporary)
{
    // 255 bytes in UTF-8 each; in the first, the temporary's cut falls on a letter of two bytes.
    const std::string accented = std::string(238, 'n') + "\xE9" + std::string(15, 'n');
    const std::string plain(255, 'L');
    for (const std::string& each : {accented, plain}) {
        ASSERT_EQ(platform::name_that_fits(each), each);
        // The file is written by the system's name for it.
        const std::string system_name = platform::to_utf8(each);
        ASSERT_EQ(system_name.size(), std::size_t{NAME_MAX});
        OutputFile output(path(system_name));
        output.write_line("kept");
        output.commit();
        EXPECT_EQ(read_bytes(path(system_name)), "kept\r\n");
    }
    EXPECT_EQ(entries().size(), 2u) << "no temporary is left";
}

// ---- Writing ----

TEST_F(TextFileTest, WritesEveryLineWithCrLf)
{
    using namespace std::string_literals;
    const Lines lines = {"a", "", "b c", "\tx ", "\0\xFF\x80"s, "# comment"};
    const std::string target = path("out.dat");
    {
        OutputFile output(target);
        for (const auto& line : lines) output.write_line(line);
        output.commit();
    }
    EXPECT_EQ(read_bytes(target), "a\r\n\r\nb c\r\n\tx \r\n\0\xFF\x80\r\n# comment\r\n"s);
    EXPECT_EQ(mode_of(target), new_file_mode());
    EXPECT_EQ(entries(), Lines{"out.dat"});
    EXPECT_EQ(read_until_false(target), lines);
}

TEST_F(TextFileTest, ALoneLfWrittenInALineStaysInTheLine)
{
    const std::string target = path("lf.dat");
    OutputFile output(target);
    output.write_line("two\nparts");
    output.commit();
    EXPECT_EQ(read_bytes(target), "two\nparts\r\n");
    EXPECT_EQ(read_until_false(target), Lines{"two\nparts"});
}

TEST_F(TextFileTest, TheOldFileIsReplacedOnlyOnCommit)
{
    const std::string target = with_bytes("Data.dat", "old\r\n");
    OutputFile output(target);
    for (int i = 0; i < 20000; ++i) output.write_line("new line " + std::to_string(i));
    EXPECT_EQ(read_bytes(target), "old\r\n");
    const Lines during = entries();
    ASSERT_EQ(during.size(), 2u);
    EXPECT_EQ(during[0].rfind(".Data.dat", 0), 0u) << during[0];
    EXPECT_EQ(during[1], "Data.dat");
    output.commit();
    EXPECT_EQ(entries(), Lines{"Data.dat"});
    const Lines lines = read_until_false(target);
    ASSERT_EQ(lines.size(), 20000u);
    EXPECT_EQ(lines.front(), "new line 0");
    EXPECT_EQ(lines.back(), "new line 19999");
}

TEST_F(TextFileTest, AWriterDestroyedWithoutCommitKeepsTheOldFile)
{
    using namespace std::string_literals;
    const std::string old_bytes = "old\r\n\0\xFF lone\n end"s;
    const std::string target = with_bytes("Data.dat", old_bytes);
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    {
        OutputFile output(target);
        for (int i = 0; i < 20000; ++i) output.write_line("replacement line");
    }
    EXPECT_EQ(read_bytes(target), old_bytes);
    EXPECT_EQ(mode_of(target), 0640u);
    EXPECT_EQ(entries(), Lines{"Data.dat"});
}

TEST_F(TextFileTest, AWriterDestroyedWithoutCommitLeavesNoNewFile)
{
    {
        OutputFile output(path("New.dat"));
        output.write_line("never kept");
    }
    EXPECT_TRUE(entries().empty());
}

using testing_support::FileSizeLimit;

TEST_F(TextFileTest, AWriteThatFailsPartWayKeepsTheOldFile)
{
    const std::string old_bytes = "old content\r\n";
    const std::string target = with_bytes("Data.dat", old_bytes);
    const std::string line(98, 'n');
    int number = 0;
    {
        FileSizeLimit limit(200'000);
        ASSERT_TRUE(limit.active());
        number = error_number_of([&] {
            OutputFile output(target);
            for (int i = 0; i < 20000; ++i) output.write_line(line);
            output.commit();
        });
    }
    EXPECT_EQ(number, error::file_too_large);
    EXPECT_EQ(read_bytes(target), old_bytes);
    EXPECT_EQ(entries(), Lines{"Data.dat"});
}

TEST_F(TextFileTest, AWriterThatFailedCannotBeUsedAgain)
{
    const std::string target = with_bytes("Data.dat", "old\r\n");
    OutputFile output(target);
    {
        FileSizeLimit limit(1000);
        ASSERT_TRUE(limit.active());
        EXPECT_EQ(error_number_of([&] {
            for (int i = 0; i < 2000; ++i) output.write_line(std::string(98, 'f'));
        }), error::file_too_large);
    }
    EXPECT_EQ(entries(), Lines{"Data.dat"});
    EXPECT_EQ(error_number_of([&] { output.write_line("more"); }), error::bad_file_name_or_number);
    EXPECT_EQ(error_number_of([&] { output.commit(); }), error::bad_file_name_or_number);
    EXPECT_EQ(read_bytes(target), "old\r\n");
}

TEST_F(TextFileTest, ACommittedWriterTakesNoMoreLines)
{
    const std::string target = path("Done.dat");
    OutputFile output(target);
    output.write_line("only");
    output.commit();
    EXPECT_EQ(error_number_of([&] { output.write_line("late"); }), error::bad_file_name_or_number);
    EXPECT_EQ(error_number_of([&] { output.commit(); }), error::bad_file_name_or_number);
    EXPECT_EQ(read_bytes(target), "only\r\n");
}

TEST_F(TextFileTest, AFailedRenameRemovesTheTemporary)
{
    const std::string target = path("Data.dat");
    OutputFile output(target);
    output.write_line("line");
    ASSERT_TRUE(std::filesystem::create_directory(target));
    EXPECT_EQ(error_number_of([&] { output.commit(); }), error::path_file_access);
    EXPECT_EQ(entries(), Lines{"Data.dat"});
    EXPECT_TRUE(std::filesystem::is_directory(target));
}

TEST_F(TextFileTest, OpeningForWritingFailsWithTheProgramsErrorNumbers)
{
    const std::string read_only = with_bytes("ReadOnly.dat", "keep\r\n");
    ASSERT_EQ(::chmod(read_only.c_str(), 0444), 0);
    write_bytes(path("plain.dat"), "x");
    std::filesystem::create_directory(path("folder"));
    std::filesystem::create_directory(path("locked"));
    ASSERT_EQ(::chmod(path("locked").c_str(), 0555), 0);
    const Lines before = entries();
    const struct {
        const char* name;
        std::string path;
        int number;
    } cases[] = {
        {"read-only target", read_only, error::path_file_access},
        {"target is a folder", path("folder"), error::path_file_access},
        {"folder without write bits", path("locked/New.dat"), error::path_file_access},
        {"missing folder", path("no_folder/New.dat"), error::path_not_found},
        {"a file used as a folder", path("plain.dat/New.dat"), error::path_not_found},
        {"empty path", "", error::path_file_access},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(error_number_of([&] { OutputFile output(c.path); }), c.number);
        EXPECT_EQ(entries(), before);
    }
    EXPECT_TRUE(std::filesystem::is_empty(path("locked")));
    EXPECT_EQ(read_bytes(read_only), "keep\r\n");
}

TEST_F(TextFileTest, WritesAFileWithoutAFolderPart)
{
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder_);
    {
        OutputFile output("Here.dat");
        output.write_line("here");
        output.commit();
    }
    std::filesystem::current_path(previous);
    EXPECT_EQ(read_bytes(path("Here.dat")), "here\r\n");
    EXPECT_EQ(entries(), Lines{"Here.dat"});
}

TEST_F(TextFileTest, AReplacedFileKeepsItsPermissionBits)
{
    const std::string target = with_bytes("Data.dat", "old\r\n");
    const struct {
        mode_t old_mode;
        mode_t new_mode;
    } cases[] = {{0600, 0600}, {0640, 0640}, {0664, 0664}, {0660, 0660}, {0604, 0604}, {0755, 0755}, {0666, 0666},
                 // A file its owner could not read comes out readable by its owner.
                 {0200, 0600}, {0260, 0660}, {0222, 0622}};
    for (const auto& each : cases) {
        SCOPED_TRACE(testing::Message() << std::oct << each.old_mode);
        ASSERT_EQ(::chmod(target.c_str(), each.old_mode), 0);
        OutputFile output(target);
        output.write_line("new");
        output.commit();
        EXPECT_EQ(mode_of(target), each.new_mode);
    }
    EXPECT_EQ(entries(), Lines{"Data.dat"});
}

TEST_F(TextFileTest, ANewFileGetsTheBitsTheUmaskAllows)
{
    for (const mode_t mask : {022, 077, 002, 0}) {
        SCOPED_TRACE(testing::Message() << std::oct << mask);
        const Umask umask(mask);
        const std::string target = path("New " + std::to_string(mask) + ".dat");
        OutputFile output(target);
        output.write_line("new");
        output.commit();
        EXPECT_EQ(mode_of(target), 0666 & ~mask);
    }
}

// ---- Symbolic links ----

TEST_F(TextFileTest, AWriteThroughALinkReplacesTheFileItNamesAndKeepsTheLink)
{
    std::filesystem::create_directory(path("elsewhere"));
    const struct {
        const char* name;
        std::string link;
        std::string link_to;
        std::string named_file;
    } cases[] = {
        {"relative link", path("Relative.dat"), "Real.dat", path("Real.dat")},
        {"absolute link to another folder", path("Absolute.dat"), path("elsewhere/Far.dat"),
         path("elsewhere/Far.dat")},
        {"link into a folder", path("Into.dat"), "elsewhere/Near.dat", path("elsewhere/Near.dat")},
        {"chain of links", path("Chain.dat"), "Relative.dat", path("Real.dat")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (!std::filesystem::exists(c.named_file)) {
            write_bytes(c.named_file, "old\r\n");
            ASSERT_EQ(::chmod(c.named_file.c_str(), 0640), 0);
        }
        ASSERT_EQ(::symlink(c.link_to.c_str(), c.link.c_str()), 0);
        OutputFile output(c.link);
        output.write_line(c.name);
        output.commit();
        EXPECT_TRUE(is_link(c.link)) << "the link stays a link";
        EXPECT_EQ(link_text(c.link), c.link_to);
        EXPECT_EQ(read_bytes(c.named_file), std::string(c.name) + "\r\n");
        EXPECT_EQ(mode_of(c.named_file), 0640u);
    }
    EXPECT_EQ(entries(), (Lines{"Absolute.dat", "Chain.dat", "Into.dat", "Real.dat", "Relative.dat", "elsewhere"}));
    EXPECT_TRUE(std::filesystem::exists(path("elsewhere/Far.dat")));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(path("elsewhere")), {}), 2);
}

TEST_F(TextFileTest, ALinkToAFileNotYetThereGetsTheFile)
{
    ASSERT_EQ(::symlink("Later.dat", path("Dangling.dat").c_str()), 0);
    OutputFile output(path("Dangling.dat"));
    output.write_line("made");
    output.commit();
    EXPECT_TRUE(is_link(path("Dangling.dat")));
    EXPECT_EQ(read_bytes(path("Later.dat")), "made\r\n");
}

TEST_F(TextFileTest, AFailedWriteThroughALinkLeavesBothAsTheyWere)
{
    std::filesystem::create_directory(path("elsewhere"));
    const std::string named = with_bytes("elsewhere/Real.dat", "old\r\n");
    ASSERT_EQ(::symlink(named.c_str(), path("Link.dat").c_str()), 0);
    {
        FileSizeLimit limit(1000);
        ASSERT_TRUE(limit.active());
        EXPECT_EQ(error_number_of([&] {
            OutputFile output(path("Link.dat"));
            for (int i = 0; i < 100; ++i) output.write_line(std::string(98, 'f'));
            output.commit();
        }), error::file_too_large);
    }
    EXPECT_TRUE(is_link(path("Link.dat")));
    EXPECT_EQ(read_bytes(named), "old\r\n");
    EXPECT_EQ(entries(), (Lines{"Link.dat", "elsewhere"}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(path("elsewhere")), {}), 1);
}

TEST_F(TextFileTest, NothingButARegularFileIsReplaced)
{
    ASSERT_EQ(::mkfifo(path("pipe").c_str(), 0644), 0);
    ASSERT_EQ(::symlink("pipe", path("Link to a pipe.dat").c_str()), 0);
    ASSERT_TRUE(testing_support::make_socket(path("socket.dat")));
    std::filesystem::create_directory(path("folder"));
    ASSERT_EQ(::symlink("folder", path("Link to a folder.dat").c_str()), 0);
    Lines names = {"pipe", "Link to a pipe.dat", "socket.dat", "Link to a folder.dat"};
    // A device node where the system lets the test make one.
    if (testing_support::make_zero_device(path("zero"))) {
        ASSERT_EQ(::symlink("zero", path("Link to a device.dat").c_str()), 0);
        names.insert(names.end(), {"zero", "Link to a device.dat"});
    }
    const Lines before = entries();
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        EXPECT_EQ(error_number_of([&] { OutputFile output(path(name)); }), error::path_file_access);
    }
    EXPECT_EQ(entries(), before) << "nothing was made, renamed or left";
    EXPECT_EQ(testing_support::kind_at(path("pipe")), S_IFIFO);
    EXPECT_EQ(testing_support::kind_at(path("socket.dat")), S_IFSOCK);
    if (std::filesystem::exists(std::filesystem::symlink_status(path("zero")))) {
        EXPECT_EQ(testing_support::kind_at(path("zero")), S_IFCHR);
    }

    // A pipe that comes to stand at the path while the file is written is not replaced at
    // the commit either.
    {
        OutputFile output(path("Later.dat"));
        output.write_line("new");
        ASSERT_EQ(::mkfifo(path("Later.dat").c_str(), 0644), 0);
        EXPECT_EQ(error_number_of([&] { output.commit(); }), error::path_file_access);
    }
    EXPECT_EQ(testing_support::kind_at(path("Later.dat")), S_IFIFO);
    Lines with_later = before;
    with_later.push_back("Later.dat");
    std::sort(with_later.begin(), with_later.end());
    EXPECT_EQ(entries(), with_later) << "the temporary went";
}

TEST_F(TextFileTest, ALoopOfLinksIsAnAccessError)
{
    ASSERT_EQ(::symlink("B.dat", path("A.dat").c_str()), 0);
    ASSERT_EQ(::symlink("A.dat", path("B.dat").c_str()), 0);
    EXPECT_EQ(error_number_of([&] { OutputFile output(path("A.dat")); }), error::path_file_access);
    EXPECT_EQ(entries(), (Lines{"A.dat", "B.dat"}));
}

TEST_F(TextFileTest, FortyTwoThousandLinesRoundTrip)
{
    Lines lines;
    for (int i = 0; i < 42158; ++i) lines.push_back(std::to_string(10000 + i) + " Pleasantville, NY");
    lines.push_back("");
    const std::string target = path("ZipCodesUS.dat");
    {
        OutputFile output(target);
        for (const auto& line : lines) output.write_line(line);
        output.commit();
    }
    EXPECT_EQ(platform::file_size(target), static_cast<long long>(joined_with_cr_lf(lines).size()));
    EXPECT_EQ(read_until_false(target), lines);
}

// ---- Read-only attribute ----

TEST_F(TextFileTest, ReadOnlyIsTheAbsenceOfEveryWriteBit)
{
    const struct {
        mode_t mode;
        bool read_only;
        mode_t after_set_read_only;
        mode_t after_set_normal;
    } cases[] = {
        {0644, false, 0444, 0644},
        {0666, false, 0444, 0666},
        {0444, true, 0444, 0644},
        {0400, true, 0400, 0600},
        {0755, false, 0555, 0755},
        {0555, true, 0555, 0755},
        {0020, false, 0000, 0220},
        {0200, false, 0000, 0200},
        {0000, true, 0000, 0200},
    };
    const std::string file = with_bytes("attributes.dat", "x");
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::oct << c.mode);
        ASSERT_EQ(::chmod(file.c_str(), c.mode), 0);
        EXPECT_EQ(platform::is_read_only(file), c.read_only);
        platform::set_read_only(file);
        EXPECT_EQ(mode_of(file), c.after_set_read_only);
        EXPECT_TRUE(platform::is_read_only(file));
        ASSERT_EQ(::chmod(file.c_str(), c.mode), 0);
        platform::set_normal(file);
        EXPECT_EQ(mode_of(file), c.after_set_normal);
        EXPECT_FALSE(platform::is_read_only(file));
    }
}

TEST_F(TextFileTest, AFileWhoseAttributesCannotBeReadCountsAsReadOnly)
{
    EXPECT_TRUE(platform::is_read_only(path("missing.dat")));
    EXPECT_TRUE(platform::is_read_only(""));
    EXPECT_EQ(error_number_of([&] { platform::set_read_only(path("missing.dat")); }),
              error::file_not_found);
    EXPECT_EQ(error_number_of([&] { platform::set_normal(path("missing.dat")); }),
              error::file_not_found);
}

TEST_F(TextFileTest, ARestoredFileCanBeLockedAndRewritten)
{
    const std::string target = path("Directory.dat");
    {
        OutputFile output(target);
        output.write_line("first");
        output.commit();
    }
    platform::set_read_only(target);
    EXPECT_EQ(error_number_of([&] { OutputFile output(target); }), error::path_file_access);
    platform::set_normal(target);
    {
        OutputFile output(target);
        output.write_line("second");
        output.commit();
    }
    platform::set_read_only(target);
    EXPECT_TRUE(platform::is_read_only(target));
    EXPECT_EQ(read_bytes(target), "second\r\n");
}

// ---- Names beyond ASCII ----

TEST_F(TextFileTest, EveryOperationFindsAFileByTheSystemsNameOfIt)
{
    // Folders and files named in UTF-8, and once in bytes that are no UTF-8 at all (as a
    // Latin-1 system would have written "café/€"): each reaches the disk as it stands.
    const struct {
        std::string folder;
        std::string file;
    } cases[] = {
        {"caf\xC3\xA9", "\xE2\x82\xAC prices.dat"},
        {"\xD0\xB6\xD1\x83\xD0\xBA", "Directory.dat"},                      // "жук"
        {"\xCE\xB1\xCE\xB8\xCE\xAE\xCE\xBD\xCE\xB1", "\xCE\xB4.dat"},            // Greek
        {"\xE5\x8C\x97\xE4\xBA\xAC", "\xE6\x95\xB8\xE6\x93\x9A.dat"},           // Chinese
        {"caf\xE9", "\x80 prices.dat"},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.folder);
        std::filesystem::create_directory(path(each.folder));
        const std::string file = path(each.folder + "/" + each.file);
        {
            OutputFile output(file);
            output.write_line("one");
            output.commit();
        }
        EXPECT_EQ(read_bytes(file), "one\r\n");
        EXPECT_TRUE(platform::file_exists(file));
        EXPECT_EQ(platform::file_size(file), 5);
        EXPECT_EQ(read_until_false(file), Lines{"one"});
        platform::set_read_only(file);
        EXPECT_TRUE(platform::is_read_only(file));
        EXPECT_EQ(mode_of(file) & 0222, 0u);
        platform::set_normal(file);
        EXPECT_FALSE(platform::is_read_only(file));
        {
            OutputFile output(file);
            output.write_line("two");
            output.commit();
        }
        EXPECT_EQ(read_bytes(file), "two\r\n");
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path(each.folder))) {
            names.push_back(entry.path().filename().string());
        }
        EXPECT_EQ(names, Lines{each.file}) << "no file under another name, no temporary left";
    }
    EXPECT_EQ(entries().size(), std::size(cases));
}

TEST_F(TextFileTest, FileExistsOnlyForARegularFile)
{
    std::filesystem::create_directory(path("folder.dat"));
    with_bytes("file.dat", "");
    EXPECT_TRUE(platform::file_exists(path("file.dat")));
    EXPECT_FALSE(platform::file_exists(path("folder.dat")));
    EXPECT_FALSE(platform::file_exists(path("missing.dat")));
    EXPECT_FALSE(platform::file_exists(""));
}

} // namespace
