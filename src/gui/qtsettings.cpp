#include "gui/qtsettings.h"

#include "gui/codepage.h"

namespace tessaro {

namespace {
QString keyOf(const std::string& section, const std::string& key) {
    return fromBytes(section) + '/' + fromBytes(key);
}
} // namespace

QtSettings::QtSettings() : m_settings(QSettings::UserScope, "Tessaro", "Tessaro") {}

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

} // namespace tessaro
