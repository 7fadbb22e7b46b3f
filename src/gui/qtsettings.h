#pragma once

#include "common/settings.h"

#include <QSettings>

namespace tessaro {

// Settings in the user's store (the registry on Windows, an INI file under
// the user's configuration folder elsewhere), keyed "section/key". Values
// are paths, numbers and flags, kept as UTF-8 text like every path.
class QtSettings : public SettingsStore {
public:
    QtSettings();

    std::string get(const std::string& section, const std::string& key,
                    const std::string& fallback) const override;
    void set(const std::string& section, const std::string& key, const std::string& value) override;

private:
    mutable QSettings m_settings;
};

} // namespace tessaro
