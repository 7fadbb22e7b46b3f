#pragma once

#include <string>

namespace tessaro {

// Per-user store of text values addressed by section and key.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // The stored value, or fallback when the key is absent.
    virtual std::string get(const std::string& section, const std::string& key,
                            const std::string& fallback) const = 0;
    virtual void set(const std::string& section, const std::string& key,
                     const std::string& value) = 0;
};

} // namespace tessaro
