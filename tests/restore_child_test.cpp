// The restore and the save in real child processes, for what only a process of its own
// shows: a file's owner without root's privileges, who cannot read the old file, and the
// order in which the new file reaches the disk, seen by strace.
#include "tests/support/child_process.h"
#include "tests/support/file_checks.h"
#include "tests/support/main_window_fixture.h"

#include <gtest/gtest.h>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

using testing_support::ChildEnd;
using testing_support::ChildRun;
using testing_support::MainWindowTest;
using namespace zentrel;
namespace box = platform::message_box;

namespace {

// Handed to a child: the program folder it works in.
constexpr const char* folder_variable = "ZENTREL_RESTORE_CHILD_FOLDER";
// The user and group "nobody", who has no privileges.
constexpr uid_t unprivileged = 65534;

const std::string old_domains = "com Old entry\r\n";

mode_t mode_of(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 07777;
}

// A program on the PATH by its full path, "" when there is none.
std::string program_on_path(const std::string& name)
{
    const char* path = std::getenv("PATH");
    std::istringstream folders(path != nullptr ? path : "/usr/bin:/bin");
    for (std::string folder; std::getline(folders, folder, ':');) {
        const std::string candidate = folder + "/" + name;
        if (!folder.empty() && ::access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    return "";
}

std::vector<std::string> lines_of(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The first line from `from` on that holds every one of the texts; lines.size() if none.
std::size_t first_line_with(const std::vector<std::string>& lines, std::size_t from,
                            const std::vector<std::string>& texts)
{
    for (std::size_t i = from; i < lines.size(); ++i) {
        bool all = true;
        for (const std::string& text : texts) all = all && lines[i].find(text) != std::string::npos;
        if (all) return i;
    }
    return lines.size();
}

} // namespace

// The child of either test: works in the folder the parent made, not in one of its own.
class RestoreChild : public MainWindowTest {
protected:
    void SetUp() override
    {
        if (std::getenv(folder_variable) == nullptr) GTEST_SKIP() << "runs only as the child of a restore test";
        // The fixture's own folder is not used; it goes while the child may still remove it.
        std::error_code ignored;
        std::filesystem::remove_all(folder.path(), ignored);
        before_window();
        MainWindowTest::SetUp();
    }
    void change_services(platform::Services& services) override { services.program_folder = std::getenv(folder_variable); }
    std::string child_folder() const { return std::getenv(folder_variable); }
    // What the child does before its window is made.
    virtual void before_window() {}
};

// ---------------------------------------------------------------------------------
// A file its owner cannot read

class OwnerRestoreTest : public MainWindowTest {};

TEST_F(OwnerRestoreTest, AnOwnerMendsAFileTheyCannotReadAndSearchesIt)
{
    if (::geteuid() != 0) GTEST_SKIP() << "only root can hand the folder and the file to another user";
    write_database(Category::WebDomainNames, old_domains);
    const std::string path = database_path(Category::WebDomainNames);
    ASSERT_EQ(::chmod(path.c_str(), 0000), 0);
    ASSERT_EQ(::chown(path.c_str(), unprivileged, unprivileged), 0);
    ASSERT_EQ(::chown(folder.path().c_str(), unprivileged, unprivileged), 0);

    const ChildEnd end = testing_support::run_in_child(
        {"", "OwnerRestoreChild.DISABLED_RestoresAndSearchesAsTheOwner", {{folder_variable, folder.path()}}});

    EXPECT_TRUE(end.passed()) << end.output;
    EXPECT_EQ(mode_of(path), 0400u) << "readable by its owner and read-only";
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, unprivileged) << "the file stays its owner's";
    EXPECT_EQ(testing_support::crlf_line_count(folder.read_file("InterDomainNames.dat")), 250);
}

// Drops root's privileges for good, as the file's owner runs the program.
class OwnerRestoreChild : public RestoreChild {
protected:
    void before_window() override
    {
        ASSERT_EQ(::setgroups(0, nullptr), 0);
        ASSERT_EQ(::setgid(unprivileged), 0);
        ASSERT_EQ(::setuid(unprivileged), 0);
    }
};

TEST_F(OwnerRestoreChild, DISABLED_RestoresAndSearchesAsTheOwner)
{
    const std::string path = database_path(Category::WebDomainNames);
    ASSERT_NE(::access(path.c_str(), R_OK), 0) << "the owner cannot read the old file";
    answer_message(box::answer_yes);
    choose_restore(Category::WebDomainNames);
    ASSERT_EQ(message_boxes.shown.size(), 1u) << "the question only, no error";
    EXPECT_EQ(message_boxes.shown[0].text, "WARNING;\r\nThe InterDomainNames.dat file already exists. (15 bytes)\r\n"
                                           "It cannot be read, so no search can use it.\r\n"
                                           "\r\nDo you wish to create file; InterDomainNames.dat?");
    EXPECT_EQ(::access(path.c_str(), R_OK), 0) << "the owner can read the restored file";
    EXPECT_NE(::access(path.c_str(), W_OK), 0) << "and it is read-only";

    message_boxes.shown.clear();
    search(Category::WebDomainNames, "*", SearchField::Code);
    EXPECT_TRUE(message_boxes.shown.empty()) << "the search reads the restored file";
    EXPECT_GT(rows(), 100);
}

// ---------------------------------------------------------------------------------
// The new file reaches the disk before it takes the old name, and the folder after

class SyncedWriteTest : public MainWindowTest {};

TEST_F(SyncedWriteTest, TheNewFileAndThenItsFolderReachTheDiskAroundTheRename)
{
    const std::string strace = program_on_path("strace");
    if (strace.empty()) GTEST_SKIP() << "strace is not installed (tools/install-deps installs it)";
    write_database(Category::RadioCallSigns, "G Old entry\r\n");
    folder.write_file("results.txt", "old results\r\n");
    const testing_support::TempFolder traces;
    const std::string trace = traces.file("trace.txt");
    // LeakSanitizer cannot work in a traced process: a sanitizer build's child leaves it out.
    const char* sanitizer_options = std::getenv("ASAN_OPTIONS");
    ChildRun run{"", "SyncedWriteChild.DISABLED_RestoresAndSaves",
                 {{folder_variable, folder.path()},
                  {"ASAN_OPTIONS", std::string(sanitizer_options != nullptr ? sanitizer_options : "") + ":detect_leaks=0"}}};
    // Only these calls stop the child; -y names the file behind each descriptor.
    run.wrapper = {strace, "-f", "--seccomp-bpf", "-qq", "-y",
                   "-e", "trace=fsync,fdatasync,rename,renameat,renameat2", "-o", trace};

    const ChildEnd end = testing_support::run_in_child(run);
    const std::string traced = traces.read_file("trace.txt");
    if (traced.empty() && end.output.find("ptrace") != std::string::npos) {
        GTEST_SKIP() << "strace may not trace a process here:\n" << end.output;
    }
    ASSERT_TRUE(end.passed()) << end.output;

    const std::vector<std::string> lines = lines_of(traced);
    for (const std::string name : {"CallSigns.dat", "results.txt"}) {
        SCOPED_TRACE(name);
        const std::string temporary = folder.path() + "/." + name + ".zentrel-";
        const std::size_t file_synced = first_line_with(lines, 0, {"sync(", "<" + temporary});
        const std::size_t renamed = first_line_with(lines, 0, {"rename", "\"" + temporary, "\"" + folder.file(name) + "\""});
        ASSERT_LT(renamed, lines.size()) << "the temporary was renamed over the file\n" << traced;
        EXPECT_LT(file_synced, renamed) << "the new file reached the disk before the rename\n" << traced;
        const std::size_t folder_synced = first_line_with(lines, renamed, {"fsync(", "<" + folder.path() + ">"});
        EXPECT_LT(folder_synced, lines.size()) << "the folder reached the disk after the rename\n" << traced;
        EXPECT_EQ(first_line_with(lines, renamed + 1, {"rename", "\"" + folder.file(name) + "\""}), lines.size())
            << "renamed once";
    }
    EXPECT_NE(folder.read_file("CallSigns.dat"), "G Old entry\r\n");
    EXPECT_NE(folder.read_file("results.txt"), "old results\r\n");
}

class SyncedWriteChild : public RestoreChild {};

// A restore, then a save over an older file of results.
TEST_F(SyncedWriteChild, DISABLED_RestoresAndSaves)
{
    answer_message(box::answer_yes);
    choose_restore(Category::RadioCallSigns);
    ASSERT_EQ(message_boxes.shown.size(), 1u) << "the question only, no error";
    search(Category::RadioCallSigns, "G*", SearchField::Code);
    ASSERT_GE(rows(), 2);
    answer_message(box::answer_yes); // the results file exists
    answer_save_dialog(child_folder() + "/results.txt", 2);
    choose_from_menu("&Save results");
    EXPECT_EQ(message_boxes.shown.size(), 2u) << "the question only, no error";
}
