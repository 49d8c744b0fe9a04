// The real save dialog: it opens in its folder, whatever letters the folder's name has,
// and gives back the chosen path in the system's encoding (UTF-8); a file name with a
// letter that Windows-1252 cannot hold is refused, since the program could not show it.
#include "platform/runtime_error.h"
#include "platform/services.h"
#include "platform/widgets/real_services.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QTimer>

#include <filesystem>
#include <string>

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
