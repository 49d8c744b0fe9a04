#pragma once
// Sets an environment variable, or removes it, for the life of the guard.
#include <cstdlib>
#include <optional>
#include <string>

#include <stdlib.h>

namespace testing_support {

class EnvironmentVariable final {
public:
    EnvironmentVariable(const char* name, const std::optional<std::string>& value) : name_(name)
    {
        if (const char* old = std::getenv(name)) saved_ = old;
        set(value);
    }
    ~EnvironmentVariable() { set(saved_); }
    EnvironmentVariable(const EnvironmentVariable&) = delete;
    EnvironmentVariable& operator=(const EnvironmentVariable&) = delete;

private:
    void set(const std::optional<std::string>& value)
    {
        if (value) {
            setenv(name_, value->c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }

    const char* name_;
    std::optional<std::string> saved_;
};

} // namespace testing_support
