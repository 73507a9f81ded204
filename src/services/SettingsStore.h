// The per-user settings store: string values addressed by application, section and key.
#pragma once

#include <QString>

#include <memory>
#include <string>

class QSettings;

namespace quillora {

// Kept in an INI file in the user's config folder (Quillora/<application>.ini); the section is
// a group of that file. Sections and keys may hold any characters.
class SettingsStore {
public:
    // The store in the user's config folder.
    SettingsStore();
    // A store kept under another folder (tests point it at a temporary one).
    explicit SettingsStore(const QString& folder);
    ~SettingsStore();

    // The classic GetSetting: the stored value, or defaultValue when there is none.
    std::string GetSetting(const std::string& application, const std::string& section,
                           const std::string& key, const std::string& defaultValue = "") const;
    // The classic SaveSetting; written to disk at once.
    void SaveSetting(const std::string& application, const std::string& section,
                     const std::string& key, const std::string& value);
    void DeleteSetting(const std::string& application, const std::string& section,
                       const std::string& key);

private:
    QSettings& FileOf(const std::string& application) const;

    QString m_folder;
    mutable std::unique_ptr<QSettings> m_settings;
    mutable std::string m_application;
};

// The process-wide store; the user's one until another is installed (not owned).
SettingsStore& Settings();
void SetSettings(SettingsStore* store);

} // namespace quillora
