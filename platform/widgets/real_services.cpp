#include "platform/widgets/real_services.h"

#include "platform/runtime_error.h"
#include "platform/sound_player.h"
#include "platform/system_values.h"
#include "platform/text.h"
#include "platform/widgets/app_state.h"
#include "platform/widgets/controls.h"
#include "platform/widgets/menu.h"
#include "platform/widgets/qt_bridge.h"

#include <QApplication>
#include <QMessageBox>
#include <QClipboard>
#include <QEventLoop>
#include <QFileDialog>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMouseEvent>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <system_error>

namespace platform {

namespace {

class QtMessageBoxes final : public MessageBoxes {
public:
    int show(const std::string& text, int style, const std::string& title) override
    {
        Control::flush_all();
        QMessageBox box(QApplication::activeWindow());
        box.setTextFormat(Qt::PlainText);
        box.setWindowTitle(qt::to_shown_qstring(title));
        box.setText(qt::to_shown_qstring(text));
        box.setIcon(icon_of(style));
        const auto buttons = buttons_of(style & 0x0F);
        for (const auto& [kind, answer] : buttons) box.addButton(kind);
        const std::size_t default_index = (style & message_box::default_button3) ? 2
                                          : (style & message_box::default_button2) ? 1
                                                                                    : 0;
        if (default_index < buttons.size()) box.setDefaultButton(buttons[default_index].first);
        box.exec();
        check_program_end();
        const auto clicked = box.standardButton(box.clickedButton());
        for (const auto& [kind, answer] : buttons) {
            if (kind == clicked) return answer;
        }
        return buttons.back().second; // closed with Esc or the close box
    }

private:
    using Choice = std::pair<QMessageBox::StandardButton, int>;

    static std::vector<Choice> buttons_of(int kind)
    {
        using QB = QMessageBox;
        switch (kind) {
        case message_box::ok_cancel: return {{QB::Ok, message_box::answer_ok}, {QB::Cancel, message_box::answer_cancel}};
        case message_box::yes_no_cancel:
            return {{QB::Yes, message_box::answer_yes}, {QB::No, message_box::answer_no},
                    {QB::Cancel, message_box::answer_cancel}};
        case message_box::yes_no: return {{QB::Yes, message_box::answer_yes}, {QB::No, message_box::answer_no}};
        default: return {{QB::Ok, message_box::answer_ok}};
        }
    }

    static QMessageBox::Icon icon_of(int style)
    {
        switch (style & 0x70) {
        case message_box::critical: return QMessageBox::Critical;
        case message_box::question: return QMessageBox::Question;
        case message_box::exclamation: return QMessageBox::Warning;
        case message_box::information: return QMessageBox::Information;
        default: return QMessageBox::NoIcon;
        }
    }
};

// Paced by time: a yield is due once a millisecond has passed since the last one, far
// more often than the display repaints and any person can notice, and far less often
// than once per line of a file. The clock is read only on every 32nd question, because
// reading it costs more than scanning a line.
class QtEventLoop final : public EventLoop {
public:
    void do_events() override
    {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        last_yield_ = std::chrono::steady_clock::now();
        questions_left_ = questions_per_clock_read;
        check_program_end();
    }

    bool yield_due() override
    {
        if (--questions_left_ > 0) return false;
        questions_left_ = questions_per_clock_read;
        return std::chrono::steady_clock::now() - last_yield_ >= yield_interval;
    }

private:
    static constexpr std::chrono::microseconds yield_interval{1000};
    static constexpr int questions_per_clock_read = 32;

    std::chrono::steady_clock::time_point last_yield_{};
    // The first question after a pause reads the clock.
    int questions_left_ = 1;
};

// Lets only the left mouse button choose an item of a pop-up menu. A press of any
// button outside the menu still reaches it, and closes it as every pop-up menu closes.
class LeftButtonOnly final : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const bool button_event = event->type() == QEvent::MouseButtonPress ||
                                  event->type() == QEvent::MouseButtonRelease ||
                                  event->type() == QEvent::MouseButtonDblClick;
        if (!button_event) return false;
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const bool on_menu = static_cast<QWidget*>(watched)->rect().contains(mouse->position().toPoint());
        return on_menu && mouse->button() != Qt::LeftButton;
    }
};

class QtPopupMenus final : public PopupMenus {
public:
    MenuItem* show(MenuItem& menu, Window& window, double x, double y, const MenuItem* default_item) override
    {
        Control::flush_all();
        QMenu popup(window.widget());
        popup.installEventFilter(new LeftButtonOnly(&popup));
        std::map<QAction*, MenuItem*> chosen_by;
        fill(popup, menu, default_item, chosen_by);
        const QSize size = popup.sizeHint();
        const QPoint at = window.widget()->mapToGlobal(QPoint(qt::to_pixels(x), qt::to_pixels(y)));
        QAction* chosen = popup.exec(QPoint(at.x() - size.width() / 2, at.y()));
        check_program_end();
        const auto found = chosen_by.find(chosen);
        return found != chosen_by.end() ? found->second : nullptr;
    }

private:
    static void fill(QMenu& popup, MenuItem& menu, const MenuItem* default_item,
                     std::map<QAction*, MenuItem*>& chosen_by)
    {
        for (MenuItem* item : menu.items()) {
            if (!item->visible()) continue;
            if (item->is_separator()) {
                popup.addSeparator();
                continue;
            }
            QString text = qt::to_shown_qstring(item->caption());
            if (!item->shortcut().empty()) text += QLatin1Char('\t') + qt::to_qstring(item->shortcut());
            if (!item->items().empty()) {
                QMenu* submenu = popup.addMenu(text);
                submenu->installEventFilter(new LeftButtonOnly(submenu));
                submenu->setEnabled(item->enabled());
                fill(*submenu, *item, default_item, chosen_by);
                continue;
            }
            QAction* action = popup.addAction(text);
            action->setEnabled(item->enabled());
            if (item == default_item) {
                QFont bold = action->font();
                bold.setBold(true);
                action->setFont(bold);
                popup.setDefaultAction(action);
            }
            chosen_by[action] = item;
        }
    }
};

// Runs xdg-open, the desktop's handler, with the target as its one argument, and waits a
// little for its answer: long enough to hear of a target it cannot open, which it tells
// at once by its exit status, never so long that the window seems to hang. Meanwhile the
// window repaints but takes no input, so that no command starts inside this one. A
// handler that is still running then is opening the target (some run the program they
// hand it to until that program ends): it is left to run on, also past the program's end.
class DesktopShell final : public Shell {
public:
    // The show state has no counterpart on this desktop: the handler decides.
    ShellResult open(const std::string& target, int) override
    {
        const QUrl url = url_of(target);
        if (url.isEmpty()) return {false, "there is nothing to open"};
        const QString handler = QStandardPaths::findExecutable(QString::fromLatin1(handler_name));
        if (handler.isEmpty()) return {false, std::string(handler_name) + " is not installed"};
        return run_handler(handler, url);
    }

private:
    static constexpr const char* handler_name = "xdg-open";
    static constexpr int answer_time_ms = 2000;

    static QUrl url_of(const std::string& target)
    {
        const QString text = QString::fromUtf8(target.data(), static_cast<qsizetype>(target.size()));
        const bool is_address = text.contains(QStringLiteral("://")) ||
                                text.startsWith(QStringLiteral("mailto:"), Qt::CaseInsensitive);
        return is_address ? QUrl(text, QUrl::TolerantMode) : local_file_url(target);
    }

    // A file or folder by the system's own name, made absolute. Its bytes go into the
    // address percent-encoded, so that even a name that is not UTF-8 reaches the handler
    // as the file system holds it. An empty name names nothing.
    static QUrl local_file_url(const std::string& path)
    {
        if (path.empty()) return {};
        std::error_code failed;
        const std::filesystem::path absolute = std::filesystem::absolute(path, failed);
        const QByteArray name = QByteArray::fromStdString(failed ? path : absolute.string());
        return QUrl::fromEncoded(QByteArrayLiteral("file://") + name.toPercentEncoding("/"));
    }

    static ShellResult run_handler(const QString& handler, const QUrl& url)
    {
        // Owned by no one: a handler still running when the program ends is not stopped.
        auto* process = new QProcess;
        process->setProgram(handler);
        process->setArguments({QString::fromLatin1(url.toEncoded())});
        process->setStandardInputFile(QProcess::nullDevice());
        process->setProcessChannelMode(QProcess::ForwardedChannels);
        process->start();
        if (!process->waitForStarted()) {
            delete process;
            return {false, std::string(handler_name) + " could not be started"};
        }
        if (process->state() != QProcess::NotRunning) {
            QEventLoop waiting;
            QObject::connect(process, &QProcess::finished, &waiting, &QEventLoop::quit);
            QTimer::singleShot(answer_time_ms, &waiting, &QEventLoop::quit);
            waiting.exec(QEventLoop::ExcludeUserInputEvents);
        }
        if (process->state() != QProcess::NotRunning) {
            QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
            return {};
        }
        const bool crashed = process->exitStatus() != QProcess::NormalExit;
        const int status = process->exitCode();
        delete process;
        if (crashed) return {false, std::string(handler_name) + " crashed"};
        if (status != 0) return {false, std::string(handler_name) + " ended with exit status " + std::to_string(status)};
        return {};
    }
};

class QtSaveDialogs final : public SaveDialogs {
public:
    bool show_save(FileDialogState& dialog) override
    {
        Control::flush_all();
        const QString folder = QFile::decodeName(dialog.init_dir.c_str());
        // The toolkit names files by Unicode text: a folder whose name does not come back
        // as the same bytes cannot be shown, and the dialog would open on another one, where
        // the user never chose to save.
        if (QFile::encodeName(folder).toStdString() != dialog.init_dir) raise_error(error::folder_not_shown);
        QFileDialog box(QApplication::activeWindow(), qt::to_qstring(dialog.dialog_title), folder);
        box.setAcceptMode(QFileDialog::AcceptSave);
        box.setOption(QFileDialog::DontConfirmOverwrite, true);
        box.setOption(QFileDialog::DontUseNativeDialog, true);
        const QStringList filters = name_filters(dialog.filter);
        box.setNameFilters(filters);
        if (dialog.filter_index >= 1 && dialog.filter_index <= filters.size()) {
            box.selectNameFilter(filters[dialog.filter_index - 1]);
        }
        if (!dialog.file_name.empty()) box.selectFile(QFile::decodeName(dialog.file_name.c_str()));
        const bool accepted = box.exec() == QDialog::Accepted;
        check_program_end();
        if (!accepted || box.selectedFiles().isEmpty()) return false;
        const QString chosen = box.selectedFiles().front();
        if (!fits_code_page(QFileInfo(chosen).fileName())) raise_error(error::bad_file_name_or_number);
        dialog.file_name = QFile::encodeName(chosen).toStdString();
        dialog.filter_index = static_cast<int>(filters.indexOf(box.selectedNameFilter())) + 1;
        return true;
    }

private:
    // The folder is the system's and may have any name, but the name of the file is the
    // user's text, which the program holds and shows in Windows-1252: a name with a
    // letter outside it is refused, rather than saved under a name that every question
    // and message about the file would show otherwise.
    static bool fits_code_page(const QString& name)
    {
        return std::all_of(name.begin(), name.end(),
                           [](QChar c) { return c == QLatin1Char('?') || unicode_to_cp1252(c.unicode()) != '?'; });
    }

    // "Text files (*.txt)|*.txt|..." gives "Text files (*.txt)", ...; the toolkit
    // reads the patterns from the parentheses of each description.
    static QStringList name_filters(const std::string& filter)
    {
        const QStringList parts = qt::to_qstring(filter).split(QLatin1Char('|'));
        QStringList filters;
        for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
            filters << parts[i].section(QLatin1Char('('), 0, 0).trimmed() + QStringLiteral(" (") + parts[i + 1] +
                           QLatin1Char(')');
        }
        return filters;
    }
};

class SystemClipboard final : public Clipboard {
public:
    void clear() override { QGuiApplication::clipboard()->clear(); }
    void set_text(const std::string& text) override { QGuiApplication::clipboard()->setText(qt::to_qstring(text)); }
};

class SystemBeeper final : public Beeper {
public:
    void beep() override { QApplication::beep(); }
};

class QtModalWindows final : public ModalWindows {
public:
    void show_modal(Window& window, Window& owner) override
    {
        Control::flush_all();
        QWidget* widget = window.widget();
        widget->setParent(owner.widget(), Qt::Dialog);
        widget->setWindowModality(Qt::ApplicationModal);
        window.show();
        QEventLoop loop;
        while (widget->isVisible() && !program_ending()) loop.processEvents(QEventLoop::WaitForMoreEvents);
        check_program_end();
    }
};

// The folder of the running program by the name the system has for it: the bytes of the
// link the kernel keeps to the program's file, which need not even be UTF-8; the
// toolkit's answer where that link cannot be read.
std::string running_program_folder()
{
    std::error_code failed;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", failed);
    if (!failed && program.is_absolute()) return program.parent_path().string();
    return QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
}

} // namespace

void post_to_event_loop(std::function<void()> function)
{
    QCoreApplication* application = QCoreApplication::instance();
    if (application == nullptr) return; // the program has ended: nothing is left to run it
    QMetaObject::invokeMethod(application, std::move(function), Qt::QueuedConnection);
}

Services real_services()
{
    static QtMessageBoxes message_boxes;
    static QtEventLoop event_loop;
    static QtPopupMenus popup_menus;
    static DesktopShell shell;
    static QtSaveDialogs save_dialogs;
    static SystemClipboard clipboard;
    static SystemBeeper beeper;
    static QtModalWindows modal_windows;
    static CanberraOutput sound_output;
    static EventSoundPlayer sound_player(sound_output, post_to_event_loop);
    // A sound that still plays when the application ends is stopped then, so that its end
    // is never posted to an application that has gone.
    [[maybe_unused]] static const bool stopped_at_end = (qAddPostRoutine([] { sound_player.play("", false); }), true);
    static RegistrySystemValues system_values;
    static RandomNumbers random;
    return Services{&message_boxes, &event_loop, &system_clock(), &popup_menus, &shell, &save_dialogs, &clipboard,
                    &beeper, &modal_windows, &sound_player, &system_values, &random, running_program_folder()};
}

} // namespace platform
