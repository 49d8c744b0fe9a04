// The real save dialog: it opens in its folder, whatever letters the folder's name has,
// and gives back the chosen path in the system's encoding (UTF-8); a file name with a
// letter that Windows-1252 cannot hold is refused, since the program could not show it.
#include "platform/runtime_error.h"
#include "platform/services.h"
#include "platform/widgets/real_services.h"
#include "tests/support/main_window_fixture.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QTimer>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

using testing_support::TempFolder;

namespace {

// What the dialog showed when it came up: its folder and the file it offered.
struct ShownDialog {
    QString folder;
    QString offered_file;
};

// Shows the real dialog and, once it is up, notes what it shows and chooses this name in
// it as the user does.
bool save_as(platform::FileDialogState& dialog, const QString& name, ShownDialog* shown = nullptr)
{
    QTimer chooser; // goes with this call, so it never fires in another test
    chooser.setSingleShot(true);
    QObject::connect(&chooser, &QTimer::timeout, [name, shown] {
        auto* box = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr) << "the save dialog is up";
        if (shown != nullptr) *shown = {box->directory().absolutePath(), box->selectedFiles().value(0)};
        box->selectFile(name);
        QMetaObject::invokeMethod(box, "accept");
    });
    chooser.start(0);
    return platform::real_services().save_dialogs->show_save(dialog);
}

// A dialog for text files that opens in this folder.
platform::FileDialogState text_file_dialog(const std::string& folder)
{
    platform::FileDialogState dialog;
    dialog.filter = "Text files (*.txt)|*.txt|All file types (*.*)|*.*";
    dialog.filter_index = 1;
    dialog.init_dir = folder;
    return dialog;
}

platform::FileDialogState text_file_dialog(const TempFolder& folder) { return text_file_dialog(folder.path()); }

int error_number_of_save(platform::FileDialogState& dialog, const QString& name)
{
    try {
        save_as(dialog, name);
    } catch (const platform::RuntimeError& error) {
        return error.number();
    }
    return 0;
}

// "жук": a folder whose name Windows-1252 cannot hold.
const std::string beetle = "\xD0\xB6\xD1\x83\xD0\xBA";

} // namespace

TEST(SaveDialogTest, ANameBeyondAsciiComesBackInTheSystemsEncoding)
{
    const TempFolder folder;
    platform::FileDialogState dialog = text_file_dialog(folder);
    ASSERT_TRUE(save_as(dialog, QString::fromUtf8("caf\u00E9 \u20AC.txt")));
    EXPECT_EQ(dialog.file_name, folder.path() + "/caf\xC3\xA9 \xE2\x82\xAC.txt");
}

TEST(SaveDialogTest, AFolderOfAnyNameOpensAndHoldsTheChosenFile)
{
    const TempFolder folder;
    std::filesystem::create_directory(folder.file(beetle));
    platform::FileDialogState dialog = text_file_dialog(folder.file(beetle));
    dialog.file_name = "DirectoryResultsFor_Caf\xC3\xA9_"; // the suggestion, in the system's encoding
    ShownDialog shown;
    ASSERT_TRUE(save_as(dialog, QString::fromUtf8("caf\u00E9.txt"), &shown));
    EXPECT_EQ(shown.folder, QString::fromUtf8(folder.file(beetle).c_str()));
    EXPECT_EQ(shown.offered_file, QString::fromUtf8((folder.file(beetle) + "/DirectoryResultsFor_Caf\u00E9_").c_str()));
    EXPECT_EQ(dialog.file_name, folder.file(beetle) + "/caf\xC3\xA9.txt");
}

TEST(SaveDialogTest, ANameTheCodePageCannotHoldIsRefused)
{
    const TempFolder folder;
    std::filesystem::create_directory(folder.file(beetle));
    for (const std::string& where : {folder.path(), folder.file(beetle)}) {
        SCOPED_TRACE(where);
        platform::FileDialogState dialog = text_file_dialog(where);
        dialog.file_name = "unchanged";
        EXPECT_EQ(error_number_of_save(dialog, QString::fromUtf8("\u0141\u00F3d\u017A.txt")),
                  platform::error::bad_file_name_or_number);
        EXPECT_EQ(dialog.file_name, "unchanged");
    }
}

namespace {

struct ProgramFolder {
    const char* label;
    std::string name; // as the file system holds it
    bool shown;       // whether the toolkit can show it
};

std::ostream& operator<<(std::ostream& out, const ProgramFolder& folder) { return out << folder.label; }

// The main window in a program folder of the parameter's name, with the real save
// dialog, after a search that listed two places.
class SaveFromProgramFolderTest : public testing_support::MainWindowTest,
                                  public testing::WithParamInterface<ProgramFolder> {
protected:
    void SetUp() override
    {
        std::filesystem::create_directory(program_folder());
        folder.write_file(GetParam().name + "/Directory.dat", "Haywards Heath 01444\r\nHorsham 01403\r\n");
        MainWindowTest::SetUp();
        search(zentrel::Category::UKDiallingCodes, "H*", zentrel::SearchField::Name);
    }
    void change_services(platform::Services& services) override
    {
        services.program_folder = program_folder();
        services.save_dialogs = platform::real_services().save_dialogs;
    }

    std::string program_folder() const { return folder.file(GetParam().name); }

    // The save from the menu; a dialog that comes up is answered with Save on the name it
    // offers, as a user in a hurry does. The folder the dialog showed, if one came up.
    std::optional<QString> save_as_offered()
    {
        std::optional<QString> shown_folder;
        // Looks for the dialog on every turn of the event loop until it is up, since the
        // clicks that open the menu turn the loop too. It goes with this call, so it never
        // fires in another test.
        QTimer chooser;
        QObject::connect(&chooser, &QTimer::timeout, [&shown_folder, &chooser] {
            auto* box = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (box == nullptr || !box->isVisible()) return;
            chooser.stop();
            shown_folder = box->directory().absolutePath();
            QMetaObject::invokeMethod(box, "accept");
        });
        chooser.start(0);
        choose_from_menu("&Save results");
        QCoreApplication::processEvents();
        return shown_folder;
    }

    // The files in a folder, by name.
    static std::vector<std::string> files_in(const std::string& where)
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(where)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
};

const ProgramFolder program_folders[] = {
    {"Cafe", "caf\xC3\xA9", true},
    {"Beetle", beetle, true},
    {"CafeInLatin1", "caf\xE9", false},
};

} // namespace

INSTANTIATE_TEST_SUITE_P(Folders, SaveFromProgramFolderTest, testing::ValuesIn(program_folders),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_P(SaveFromProgramFolderTest, TheDialogOpensInTheProgramFolderOrTheSaveSaysItCannot)
{
    const std::string results = "DirectoryResultsFor_H_";
    const char* cannot = "The file dialog cannot open a folder whose name is not UTF-8";
    if (!GetParam().shown) answer_message(platform::message_box::answer_ok);
    const std::optional<QString> shown_folder = save_as_offered();

    EXPECT_EQ(files_in(folder.path()), std::vector<std::string>{GetParam().name}) << "nothing beside the program folder";
    if (GetParam().shown) {
        ASSERT_TRUE(shown_folder.has_value());
        EXPECT_EQ(*shown_folder, QString::fromUtf8(program_folder().c_str()));
        EXPECT_EQ(files_in(program_folder()), (std::vector<std::string>{"Directory.dat", results}));
        EXPECT_TRUE(message_boxes.shown.empty());
        return;
    }
    EXPECT_FALSE(shown_folder.has_value()) << "no dialog on another folder";
    EXPECT_EQ(files_in(program_folder()), std::vector<std::string>{"Directory.dat"});
    ASSERT_EQ(message_boxes.shown.size(), 1u);
    EXPECT_EQ(message_boxes.shown[0].text, std::string("Zentrel error.\r\nZentrel - Save results as; error.\r\n\r\n") +
                                               cannot + "\r\nError number = 77");
    EXPECT_EQ(message_boxes.shown[0].title, std::string("Zentrel - ") + cannot);
    expect_idle();
}
