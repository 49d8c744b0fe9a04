// Database files that are no text files, through the real main window: a file without
// line ends keeps the window responsive and ends in the out-of-memory error instead of
// taking all the memory, and a pipe or a device named like the database file is refused
// at once instead of stopping the window until data comes.
#include "tests/support/main_window_fixture.h"

#include "platform/text_file_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <random>
#include <string>
#include <vector>

using testing_support::MainWindowTest;
using zentrel::Category;
using zentrel::SearchField;
namespace box = platform::message_box;

namespace {

constexpr auto longest_line = static_cast<off_t>(platform::InputFile::longest_line);
constexpr auto block = static_cast<int>(platform::InputFile::block_size);

// Bytes of every value but CR, so that no line ends among them.
std::string binary_bytes(std::size_t count)
{
    std::mt19937 random(26);
    std::uniform_int_distribution<int> byte(0, 255);
    std::string bytes;
    while (bytes.size() < count) {
        const char next = static_cast<char>(byte(random));
        if (next != '\r') bytes += next;
    }
    return bytes;
}

} // namespace

class HostileDatabaseTest : public MainWindowTest {
protected:
    std::string zip_file() const { return database_path(Category::USZipCodes); }

    // The file begins with `bytes` and goes on with zeros up to `size` bytes; the zeros
    // take no room on the disk.
    void write_sparse_database(const std::string& bytes, off_t size) const
    {
        write_database(Category::USZipCodes, bytes);
        ASSERT_EQ(::truncate(zip_file().c_str(), size), 0);
    }

    // The search ended with one error row after the rows found before it, and its message.
    void expect_error(int number, const std::string& description, int rows_found = 0)
    {
        ASSERT_EQ(rows(), rows_found + 2);
        EXPECT_EQ(cell(rows_found + 1, 0), "Error " + std::to_string(number) + ".");
        EXPECT_EQ(cell(rows_found + 1, 1), description + ".");
        ASSERT_EQ(message_boxes.shown.size(), 1u);
        EXPECT_EQ(message_boxes.shown[0].text, "Zentrel search error.\r\n\r\nError " + std::to_string(number) + ".\r\n" +
                                                   description + ".");
        EXPECT_EQ(message_boxes.shown[0].title, "Zentrel search error.");
        expect_idle();
    }
};

TEST_F(HostileDatabaseTest, AFileWithoutLineEndsEndsInTheOutOfMemoryErrorWithTheWindowIdle)
{
    const struct {
        const char* name;
        std::string start;
        off_t size;
    } cases[] = {
        {"zeros only", "", 3 * longest_line},
        {"an entry, then zeros", "00001 Place\r\n", longest_line + 20},
        {"binary bytes, then zeros", binary_bytes(3 * static_cast<std::size_t>(block)), 2 * longest_line},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name);
        write_sparse_database(each.start, each.size);
        message_boxes.shown.clear();
        answer_message(box::answer_ok);
        event_loop.yields = 0;
        std::vector<std::string> captions;
        event_loop.on_yield = [&](int) { captions.push_back(form->ui().frm.caption()); };
        search_with_enter(Category::USZipCodes, "*", SearchField::Name);

        const int rows_found = each.start.starts_with("00001") ? 1 : 0;
        expect_error(7, "Out of memory", rows_found);
        if (rows_found == 1) {
            EXPECT_EQ(cell(1, 0), "00001");
        }
        EXPECT_GE(event_loop.yields, static_cast<int>(longest_line / block) - 2) << "yields while the line is read";
        ASSERT_GE(captions.size(), 3u);
        EXPECT_NE(captions[1], captions.back()) << "the progress goes on within the line";
    }
}

TEST_F(HostileDatabaseTest, TheAbortEndsTheSearchInTheMiddleOfALineWithoutEnd)
{
    event_loop.pump_real_events = true;
    write_sparse_database("", 3 * longest_line);
    constexpr int abort_at = 40;
    std::string progress_at_abort;
    event_loop.on_yield = [&](int yield) {
        if (yield != abort_at) return;
        progress_at_abort = form->ui().fra_Search.caption();
        choose_from_menu("Abort &this search");
    };
    answer_message(box::answer_ok);
    search_with_enter(Category::USZipCodes, "*", SearchField::Name);

    EXPECT_EQ(event_loop.yields, abort_at) << "the search ended at the abort, not at the end of the line";
    ASSERT_EQ(popup_menus.opened.size(), 1u);
    EXPECT_EQ(progress_at_abort.find(" 1% of data read."), 0u) << "the part of the line read is counted";
    ASSERT_EQ(rows(), 3);
    EXPECT_EQ(cell(1, 1), "Can't find any area code name matches with; *");
    EXPECT_EQ(cell(2, 0), "This search was aborted.");
    EXPECT_EQ(cell(2, 1), "Aborted after " + progress_at_abort);
    ASSERT_EQ(message_boxes.shown.size(), 1u);
    EXPECT_EQ(message_boxes.shown[0].title, "Zentrel - Search aborted.");
    expect_idle();
}

TEST_F(HostileDatabaseTest, APipeOrADeviceNamedLikeTheDatabaseFileIsRefusedAtOnce)
{
    ASSERT_EQ(::mkfifo(zip_file().c_str(), 0644), 0);
    // A writer that has sent one line and pauses. Were the pipe read, the first yield
    // lets the writer go, so that the read ends instead of waiting for ever.
    int writer = ::open(zip_file().c_str(), O_RDWR | O_CLOEXEC);
    ASSERT_GE(writer, 0);
    ASSERT_EQ(::write(writer, "00001 Place\r\n", 13), 13);
    event_loop.on_yield = [&](int) {
        if (writer >= 0) ::close(writer);
        writer = -1;
    };
    answer_message(box::answer_ok);
    search_with_enter(Category::USZipCodes, "*", SearchField::Name);
    EXPECT_EQ(event_loop.yields, 0);
    expect_error(75, "Path/File access error");
    if (writer >= 0) ::close(writer);

    ASSERT_EQ(::unlink(zip_file().c_str()), 0);
    ASSERT_EQ(::symlink("/dev/zero", zip_file().c_str()), 0);
    message_boxes.shown.clear();
    answer_message(box::answer_ok);
    search_with_enter(Category::USZipCodes, "*", SearchField::Name);
    EXPECT_EQ(event_loop.yields, 0);
    expect_error(75, "Path/File access error");
}
