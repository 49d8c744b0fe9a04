// Takes screenshots of the main window for the README: a small US ZIP-code database in a
// temporary program folder, a search by name for "*, MA", and the window grabbed at its
// designed size and again enlarged.
//
//   zentrel_screenshot [path.png]      (default docs/screenshot.png)
//
// The enlarged picture goes beside it, with "-large" before ".png".
#include "info_windows/frm_datainfo.h"
#include "main_window/frm_main.h"
#include "platform/services.h"
#include "platform/widgets/grid.h"
#include "platform/widgets/controls.h"
#include "platform/widgets/real_services.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPixmap>
#include <QStyleFactory>
#include <QTableView>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include <stdlib.h>

namespace {

constexpr int search_category_us_zip = 7;
constexpr int option_by_name = 1;
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

// Every message box is answered with OK, and shown on the console so that none goes unseen.
class OkMessageBoxes final : public platform::MessageBoxes {
public:
    int show(const std::string& text, int, const std::string& title) override
    {
        std::cerr << "message box answered OK: " << title << "\n" << text << "\n";
        return platform::message_box::answer_ok;
    }
};

class TemporaryFolder {
public:
    TemporaryFolder()
    {
        char name[] = "/tmp/zentrel-screenshot-XXXXXX";
        if (::mkdtemp(name) == nullptr) {
            std::perror("zentrel_screenshot: mkdtemp");
            std::exit(EXIT_FAILURE);
        }
        path_ = name;
    }
    ~TemporaryFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::string& path() const { return path_; }

private:
    std::string path_;
};

void write_zip_code_database(const std::string& folder)
{
    std::ofstream out(folder + "/ZipCodesUS.dat", std::ios::binary | std::ios::trunc);
    for (const char* line : zip_code_lines) out << line << "\r\n";
}

// Lets the window lay itself out and paint, as it does for a user.
void settle(int milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    do {
        platform::Control::flush_all();
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    } while (timer.elapsed() < milliseconds);
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

// A left click on the name cell of a row of the grid (row 0 is the header row), as the
// window system hands it to the grid's view.
void click_grid_row(const platform::Grid& grid, int row)
{
    auto& view = *static_cast<QTableView*>(grid.widget());
    const QPoint at = view.visualRect(view.model()->index(row - 1, 1)).center();
    const QPointF global = view.viewport()->mapToGlobal(QPointF(at));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at), global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &press);
    QApplication::sendEvent(view.viewport(), &release);
}

// Shows the About box as the program does, takes its picture, and closes it as its
// user would.
class GrabAndCloseModal final : public platform::ModalWindows {
public:
    explicit GrabAndCloseModal(std::string path) : path_(std::move(path)) {}

    void show_modal(platform::Window& window, platform::Window&) override
    {
        window.show();
        settle(400);
        saved_ = save_grab(*window.widget(), path_);
        window.close();
    }

    bool saved() const { return saved_; }

private:
    std::string path_;
    bool saved_ = false;
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    const std::string path = argc > 1 ? argv[1] : "docs/screenshot.png";

    TemporaryFolder folder;
    write_zip_code_database(folder.path());

    OkMessageBoxes message_boxes;
    GrabAndCloseModal about_box(path_with_suffix(path, "-about"));
    platform::Services services = platform::real_services();
    services.message_boxes = &message_boxes;
    services.modal_windows = &about_box;
    services.program_folder = folder.path();

    zentrel::frm_Main form(services);
    form.load_and_show();
    settle(300);

    form.ui().com_SearchType.set_list_index(search_category_us_zip);
    form.ui().opt_DiallOption(option_by_name).set_value(true);
    form.ui().txt_Inputbox.set_text(search_pattern);
    form.ui().com_Search.click();
    settle(500);

    QWidget& window = *form.ui().frm.widget();
    if (!save_grab(window, path)) return EXIT_FAILURE;

    click_grid_row(form.ui().flx_ResultsChart, info_row);
    settle(400);
    const zentrel::frm_DataInfo* info = form.info_window();
    if (info == nullptr) {
        std::cerr << "zentrel_screenshot: a click on row " << info_row << " opened no information window\n";
        return EXIT_FAILURE;
    }
    if (!save_grab(*info->ui().frm.widget(), path_with_suffix(path, "-info"))) return EXIT_FAILURE;

    form.ui().menu_AboutApp.click();
    if (!about_box.saved()) return EXIT_FAILURE;

    window.resize(large_width, large_height);
    settle(500);
    if (!save_grab(window, path_with_suffix(path, "-large"))) return EXIT_FAILURE;
    return EXIT_SUCCESS;
}
