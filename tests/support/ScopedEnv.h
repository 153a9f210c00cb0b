// Test helper: sets (or removes) one environment variable for a scope and puts back what was there before.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

class ScopedEnv {
public:
    // value nullopt: the variable is removed for the scope.
    ScopedEnv(std::string name, const std::optional<std::string>& value) : name_(std::move(name))
    {
        if (const char* old = std::getenv(name_.c_str())) old_ = old;
        Set(value);
    }
    // Restores the earlier value unless someone has set the variable again meanwhile (a later guard, a
    // second simulated camera): that one's value stays.
    ~ScopedEnv()
    {
        const char* now = std::getenv(name_.c_str());
        const std::optional<std::string> current = now ? std::optional<std::string>(now) : std::nullopt;
        if (current == value_) Set(old_);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    void Set(const std::optional<std::string>& value)
    {
        if (value) {
            ::setenv(name_.c_str(), value->c_str(), 1);
        } else {
            ::unsetenv(name_.c_str());
        }
        value_ = value;
    }

    std::string name_;
    std::optional<std::string> old_;
    std::optional<std::string> value_;
};
