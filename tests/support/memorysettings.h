#pragma once

#include "common/settings.h"

#include <map>
#include <vector>

namespace tessaro::test {

// Settings kept in memory; every set is also logged in order.
class MemorySettings : public SettingsStore {
public:
    struct Write {
        std::string section, key, value;
        bool operator==(const Write&) const = default;
    };
    std::map<std::pair<std::string, std::string>, std::string> values;
    std::vector<Write> writes;

    std::string get(const std::string& section, const std::string& key,
                    const std::string& fallback) const override {
        const auto found = values.find({section, key});
        return found == values.end() ? fallback : found->second;
    }
    void set(const std::string& section, const std::string& key,
             const std::string& value) override {
        values[{section, key}] = value;
        writes.push_back({section, key, value});
    }
};

} // namespace tessaro::test
