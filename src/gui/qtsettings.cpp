#include "gui/qtsettings.h"

#include "gui/codepage.h"

#include <QDir>
#include <QStandardPaths>

namespace tessaro {

namespace {

// In a settings file (every system but Windows and macOS) QSettings keeps the
// keys that belong to no group in the section [General] and writes a group
// named "General" as [%General]. Tessaro's "General" section is therefore kept
// as keys of no group, so that the file shows it as [General], the section a
// person edits by hand.
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
constexpr bool kGeneralHasNoGroup = false;
#else
constexpr bool kGeneralHasNoGroup = true;
#endif

QString keyOf(const std::string& section, const std::string& key) {
    if (kGeneralHasNoGroup && section == "General")
        return fromBytes(key);
    return fromBytes(section) + '/' + fromBytes(key);
}

// Earlier versions kept the section as [%General]; its values move to
// [General], where a value already there wins.
void moveOldGeneralGroup(QSettings& settings) {
    settings.beginGroup("General");
    const QStringList keys = settings.childKeys();
    QList<std::pair<QString, QVariant>> values;
    for (const QString& key : keys)
        values.append({key, settings.value(key)});
    settings.endGroup();
    if (values.isEmpty())
        return;
    for (const auto& [key, value] : values) {
        if (!settings.contains(key))
            settings.setValue(key, value);
    }
    settings.remove("General");
    settings.sync();
}

} // namespace

QtSettings::QtSettings() : m_settings(QSettings::UserScope, "Tessaro", "Tessaro") {
    if (kGeneralHasNoGroup)
        moveOldGeneralGroup(m_settings);
}

std::string QtSettings::get(const std::string& section, const std::string& key,
                            const std::string& fallback) const {
    const QVariant value = m_settings.value(keyOf(section, key));
    if (!value.isValid())
        return fallback;
    return pathBytes(value.toString());
}

void QtSettings::set(const std::string& section, const std::string& key, const std::string& value) {
    m_settings.setValue(keyOf(section, key), pathText(value));
    m_settings.sync();
}

std::string userDataFolder() {
    return pathBytes(QDir::toNativeSeparators(
        QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)));
}

} // namespace tessaro
