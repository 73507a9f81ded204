// The settings store on QSettings in INI format.
#include "services/SettingsStore.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

namespace quillora {
namespace {

// QSettings treats "/" and "\" as group separators; keep them literal by escaping.
QString Escaped(const std::string& name) {
    QString text = QString::fromStdString(name);
    text.replace('%', "%25").replace('/', "%2F").replace('\\', "%5C");
    return text;
}

} // namespace

SettingsStore::SettingsStore()
    : m_folder(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
               "/Quillora") {}

SettingsStore::SettingsStore(const QString& folder) : m_folder(folder) {}

SettingsStore::~SettingsStore() = default;

QSettings& SettingsStore::FileOf(const std::string& application) const {
    if (!m_settings || m_application != application) {
        QDir().mkpath(m_folder);
        m_settings = std::make_unique<QSettings>(m_folder + "/" + Escaped(application) + ".ini",
                                                 QSettings::IniFormat);
        m_application = application;
    }
    return *m_settings;
}

std::string SettingsStore::GetSetting(const std::string& application, const std::string& section,
                                      const std::string& key,
                                      const std::string& defaultValue) const {
    const QString path = Escaped(section) + "/" + Escaped(key);
    const QVariant value = FileOf(application).value(path);
    return value.isValid() ? value.toString().toStdString() : defaultValue;
}

void SettingsStore::SaveSetting(const std::string& application, const std::string& section,
                                const std::string& key, const std::string& value) {
    QSettings& file = FileOf(application);
    file.setValue(Escaped(section) + "/" + Escaped(key), QString::fromStdString(value));
    file.sync();
}

void SettingsStore::DeleteSetting(const std::string& application, const std::string& section,
                                  const std::string& key) {
    QSettings& file = FileOf(application);
    file.remove(Escaped(section) + "/" + Escaped(key));
    file.sync();
}

namespace {
SettingsStore* g_settings = nullptr;
} // namespace

SettingsStore& Settings() {
    static SettingsStore user;
    return g_settings ? *g_settings : user;
}

void SetSettings(SettingsStore* store) {
    g_settings = store;
}

} // namespace quillora
