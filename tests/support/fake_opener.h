#pragma once
// The desktop's handler as a test makes it: while the guard lives, PATH leads only to a
// folder of the test's own, which holds an xdg-open that notes its arguments and ends
// with a given exit status, or no xdg-open at all.
#include "tests/support/environment_variable.h"
#include "tests/support/temp_folder.h"

#include <QUrl>

#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace testing_support {

class FakeOpener final {
public:
    // No xdg-open on PATH without an exit status.
    explicit FakeOpener(std::optional<int> exit_status)
    {
        if (!exit_status) return;
        folder_.write_file("xdg-open", "#!/bin/sh\n{ printf '%s\\n' \"$#\"; printf '%s\\n' \"$@\"; } >> '" +
                                           folder_.file("runs.txt") + "'\nexit " + std::to_string(*exit_status) +
                                           "\n");
        std::filesystem::permissions(folder_.file("xdg-open"), std::filesystem::perms::owner_all);
    }

    // The arguments of every run, in order.
    std::vector<std::vector<std::string>> runs() const
    {
        std::vector<std::vector<std::string>> found;
        std::istringstream lines(folder_.read_file("runs.txt"));
        std::string line;
        while (std::getline(lines, line)) {
            std::vector<std::string>& arguments = found.emplace_back();
            for (int count = std::stoi(line); count > 0 && std::getline(lines, line); --count) {
                arguments.push_back(line);
            }
        }
        return found;
    }

    // The address of every run that had one argument, as the handler reads it.
    std::vector<QUrl> urls() const
    {
        std::vector<QUrl> found;
        for (const auto& arguments : runs()) {
            if (arguments.size() == 1) found.push_back(QUrl::fromEncoded(QByteArray::fromStdString(arguments[0])));
        }
        return found;
    }

private:
    TempFolder folder_;
    EnvironmentVariable path_{"PATH", folder_.path()};
};

} // namespace testing_support
