#pragma once

#include "common/settings.h"

#include <QSettings>
#include <string>

namespace tessaro {

// Settings in the user's store: on Windows the registry key
// HKEY_CURRENT_USER\Software\Tessaro\Tessaro with a sub-key per section;
// elsewhere the file Tessaro/Tessaro.conf in the user's configuration folder
// (~/.config unless XDG_CONFIG_HOME says otherwise), with a [section] per
// section, "General" written as [General].
// Values are paths, numbers and flags, kept as UTF-8 text like every path.
class QtSettings : public SettingsStore {
public:
    QtSettings();

    std::string get(const std::string& section, const std::string& key,
                    const std::string& fallback) const override;
    void set(const std::string& section, const std::string& key, const std::string& value) override;

private:
    mutable QSettings m_settings;
};

// Tessaro's per-user data folder (QStandardPaths::AppLocalDataLocation: on
// Linux ~/.local/share/Tessaro/Tessaro), as path text; it may not exist yet.
std::string userDataFolder();

} // namespace tessaro
