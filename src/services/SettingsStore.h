// The per-user settings store: string values addressed by application, section and key.
#pragma once

#include <QString>

#include <map>
#include <string>
#include <utility>

namespace quillora {

// Kept in an INI file in the user's config folder (Quillora/<application>.ini, the layout
// QSettings writes); the section is a group of that file. Sections and keys may hold any
// characters. All games share the file, so only the groups asked for are read (a section is
// read once, on first use), and a write rewrites the file with every other group copied as it
// stands. A file that cannot be kept (not a regular file, larger than kMaxFileBytes, or one that
// cannot be written) is left alone: values live until the program ends, and the player is told
// once, with the reason.
class SettingsStore {
public:
    // A settings file beyond this is damaged or hostile, not the settings of some games.
    static constexpr qint64 kMaxFileBytes = 4 * 1024 * 1024;

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

    // Why settings are not kept (empty while they are), as told to the player.
    const std::string& NotKeptReason() const { return m_notKept; }

private:
    using Group = std::map<QString, QString>; // escaped key -> value
    Group& GroupOf(const std::string& application, const std::string& section) const;
    void Write(const std::string& application, const std::string& section) const;
    QString FileOf(const std::string& application) const;
    // Reads the file (within the limit); false, with the player told once, when it cannot be.
    bool ReadFile(const QString& path, QByteArray& bytes) const;
    void NotKept(const std::string& reason) const;

    QString m_folder;
    mutable std::map<std::pair<std::string, std::string>, Group> m_groups;
    mutable std::string m_notKept;
};

// The process-wide store; the user's one until another is installed (not owned).
SettingsStore& Settings();
void SetSettings(SettingsStore* store);

} // namespace quillora
