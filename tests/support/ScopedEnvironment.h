#pragma once
// Sets or unsets environment variables for a scope and puts back what was there.
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace TestSupport {

class ScopedEnvironment {
public:
    ScopedEnvironment() = default;
    ~ScopedEnvironment() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
            Apply(it->first, it->second);
        }
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

    ScopedEnvironment& Set(const std::string& name, const std::string& value) {
        Save(name);
        Apply(name, value);
        return *this;
    }
    ScopedEnvironment& Unset(const std::string& name) {
        Save(name);
        Apply(name, std::nullopt);
        return *this;
    }

private:
    void Save(const std::string& name) {
        const char* value = std::getenv(name.c_str());
        saved_.emplace_back(name,
                            value != nullptr ? std::optional<std::string>(value) : std::nullopt);
    }
    static void Apply(const std::string& name, const std::optional<std::string>& value) {
        if (value) {
            ::setenv(name.c_str(), value->c_str(), 1);
        } else {
            ::unsetenv(name.c_str());
        }
    }
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

}  // namespace TestSupport
