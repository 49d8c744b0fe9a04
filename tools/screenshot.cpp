// Takes screenshots of the main window for the README: a small US ZIP-code database in a
// temporary program folder, a search by name for "*, MA", and the window grabbed at its
// designed size and again enlarged.
//
//   zentrel_screenshot [path.png]      (default docs/screenshot.png)
//
// The enlarged picture goes beside it, with "-large" before ".png".
#include "core/app_identity.h"
#include "core/category.h"
#include "info_windows/frm_datainfo.h"
#include "main_window/frm_main.h"
#include "platform/services.h"
#include "platform/widgets/real_services.h"
#include "tests/support/main_window_user.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_doubles.h"
#include "tests/support/user_actions.h"

#include <QApplication>
#include <QPixmap>
#include <QStyleFactory>
#include <QWidget>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

namespace {

constexpr const char* search_pattern = "*, MA";
// The result row whose information window is taken; row 0 is the header row.
constexpr int info_row = 3;
constexpr int large_width = 640;
constexpr int large_height = 480;

constexpr const char* zip_code_lines[] = {
    "# US ZIP codes: a small sample for the screenshot.",
    "# Code, then place name and state.",
    "01001 Agawam, MA",
    "01002 Amherst, MA",
    "01005 Barre, MA",
    "01007 Belchertown, MA",
    "01013 Chicopee, MA",
    "01027 Easthampton, MA",
    "01035 Hadley, MA",
    "01040 Holyoke, MA",
    "01060 Northampton, MA",
    "01085 Westfield, MA",
    "01089 West Springfield, MA",
    "01103 Springfield, MA",
    "01201 Pittsfield, MA",
    "01230 Great Barrington, MA",
    "01238 Lee, MA",
    "01240 Lenox, MA",
    "01247 North Adams, MA",
    "01267 Williamstown, MA",
    "01301 Greenfield, MA",
    "01420 Fitchburg, MA",
    "01453 Leominster, MA",
    "01602 Worcester, MA",
    "02108 Boston, MA",
    "02903 Providence, RI",
    "03031 Amherst, NH",
    "03301 Concord, NH",
    "05401 Burlington, VT",
    "06103 Hartford, CT",
    "10001 New York, NY",
    "19103 Philadelphia, PA",
};

std::string zip_code_database()
{
    std::string bytes;
    for (const char* line : zip_code_lines) bytes += std::string(line) + "\r\n";
    return bytes;
}

bool save_grab(QWidget& window, const std::string& path)
{
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    std::error_code ignored;
    if (!parent.empty()) std::filesystem::create_directories(parent, ignored);
    if (!window.grab().save(QString::fromStdString(path), "PNG")) {
        std::cerr << "zentrel_screenshot: cannot write " << path << "\n";
        return false;
    }
    std::cout << "wrote " << path << " (" << window.width() << " x " << window.height() << ")\n";
    return true;
}

// The path with a suffix before its ".png": "docs/screenshot.png" gives
// "docs/screenshot-large.png" for the suffix "-large".
std::string path_with_suffix(const std::string& path, const std::string& suffix)
{
    const std::string png = ".png";
    if (path.size() >= png.size() && path.ends_with(png)) {
        return path.substr(0, path.size() - png.size()) + suffix + png;
    }
    return path + suffix + png;
}

// Shows the About box as the program does, takes its picture, and closes it as its
// user would.
class GrabAndCloseModal final : public platform::ModalWindows {
public:
    explicit GrabAndCloseModal(std::string path) : path_(std::move(path)) {}

    void show_modal(platform::Window& window, platform::Window&) override
    {
        window.show();
        testing_support::settle();
        saved_ = save_grab(*window.widget(), path_);
        window.close();
    }

    bool saved() const { return saved_; }

private:
    std::string path_;
    bool saved_ = false;
};

} // namespace

// The search, the main window's pictures, the information window's and the About box's;
// false when one of them could not be taken.
bool take_pictures(testing_support::UsedMainWindow& main, const GrabAndCloseModal& about_box, const std::string& path)
{
    zentrel::frm_Main& form = main.form;
    testing_support::MainWindowUser& user = main.user;

    user.search_with_enter(zentrel::Category::USZipCodes, search_pattern, zentrel::SearchField::Name);
    testing_support::settle();

    QWidget& window = *form.ui().frm.widget();
    if (!save_grab(window, path)) return false;

    user.click_row(info_row);
    testing_support::settle();
    const zentrel::frm_DataInfo* info = form.info_window();
    if (info == nullptr) {
        std::cerr << "zentrel_screenshot: a click on row " << info_row << " opened no information window\n";
        return false;
    }
    if (!save_grab(*info->ui().frm.widget(), path_with_suffix(path, "-info"))) return false;

    if (!user.choose_from_menu(std::string("&About ") + zentrel::app_title) || !about_box.saved()) return false;

    window.resize(large_width, large_height);
    testing_support::settle();
    return save_grab(window, path_with_suffix(path, "-large"));
}

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    const std::string path = argc > 1 ? argv[1] : "docs/screenshot.png";

    const testing_support::TempFolder folder("screenshot");
    folder.write_file(std::string(zentrel::database_file_name(zentrel::Category::USZipCodes)), zip_code_database());

    testing_support::AnsweringMessageBoxes message_boxes;
    GrabAndCloseModal about_box(path_with_suffix(path, "-about"));
    platform::Services services = platform::real_services();
    services.message_boxes = &message_boxes;
    services.modal_windows = &about_box;
    services.program_folder = folder.path();

    testing_support::UsedMainWindow main(services);
    const bool taken = take_pictures(main, about_box, path);
    // Every message box the run answered, so that none goes unseen.
    for (const testing_support::ShownMessage& box : message_boxes.shown) {
        std::cerr << "message box answered: " << box.title << "\n" << box.text << "\n";
    }
    return taken ? EXIT_SUCCESS : EXIT_FAILURE;
}
