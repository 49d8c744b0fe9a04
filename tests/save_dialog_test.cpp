// The real save dialog: a name typed with a letter beyond ASCII comes back in the
// program's Windows-1252 text, and a name with a letter that Windows-1252 cannot hold is
// refused instead of being saved under another name.
#include "platform/runtime_error.h"
#include "platform/services.h"
#include "platform/widgets/real_services.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QTimer>

#include <string>

using testing_support::TempFolder;

namespace {

// Shows the real dialog and, once it is up, chooses this name in it as the user does.
bool save_as(platform::FileDialogState& dialog, const QString& name)
{
    QTimer chooser; // goes with this call, so it never fires in another test
    chooser.setSingleShot(true);
    QObject::connect(&chooser, &QTimer::timeout, [name] {
        auto* box = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr) << "the save dialog is up";
        box->selectFile(name);
        QMetaObject::invokeMethod(box, "accept");
    });
    chooser.start(0);
    return platform::real_services().save_dialogs->show_save(dialog);
}

// A dialog for text files that opens in this folder.
platform::FileDialogState text_file_dialog(const TempFolder& folder)
{
    platform::FileDialogState dialog;
    dialog.filter = "Text files (*.txt)|*.txt|All file types (*.*)|*.*";
    dialog.filter_index = 1;
    dialog.init_dir = folder.path();
    return dialog;
}

} // namespace

TEST(SaveDialogTest, ANameBeyondAsciiComesBackInTheProgramsText)
{
    const TempFolder folder;
    platform::FileDialogState dialog = text_file_dialog(folder);
    ASSERT_TRUE(save_as(dialog, QString::fromUtf8("caf\u00E9 \u20AC.txt")));
    EXPECT_EQ(dialog.file_name, folder.path() + "/caf\xE9 \x80.txt");
}

TEST(SaveDialogTest, ANameTheCodePageCannotHoldIsRefused)
{
    const TempFolder folder;
    platform::FileDialogState dialog = text_file_dialog(folder);
    dialog.file_name = "unchanged";
    int number = 0;
    try {
        save_as(dialog, QString::fromUtf8("\u0141\u00F3d\u017A.txt"));
    } catch (const platform::RuntimeError& error) {
        number = error.number();
    }
    EXPECT_EQ(number, platform::error::bad_file_name_or_number);
    EXPECT_EQ(dialog.file_name, "unchanged");
}
