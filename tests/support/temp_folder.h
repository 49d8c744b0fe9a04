#pragma once
// A folder of its own for one test, benchmark or tool run, removed with everything in it
// afterwards.
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include <stdlib.h>

namespace testing_support {

class TempFolder {
public:
    // Named /tmp/zentrel-<use>-XXXXXX, so that a folder left by a killed run tells
    // what left it.
    explicit TempFolder(const std::string& use = "test")
    {
        std::string name = "/tmp/zentrel-" + use + "-XXXXXX";
        if (::mkdtemp(name.data()) == nullptr) {
            throw std::system_error(errno, std::generic_category(), "cannot make a temporary folder");
        }
        path_ = std::move(name);
    }
    ~TempFolder()
    {
        std::error_code ignored;
        // Give back write permission that a test took away, so everything can go.
        for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, ignored)) {
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ignored);
        }
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

    void write_file(const std::string& name, const std::string& bytes) const
    {
        std::ofstream out(file(name), std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }

    std::string read_file(const std::string& name) const
    {
        std::ifstream in(file(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    // The names of the entries in the folder, for checks that nothing was left behind.
    std::vector<std::string> entries() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path_)) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }

private:
    std::string path_;
};

} // namespace testing_support
