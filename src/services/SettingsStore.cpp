// The settings store: one group of a shared INI file read and rewritten at a time.
#include "services/SettingsStore.h"

#include "core/FileAccess.h"
#include "core/Prompts.h"
#include "services/IniText.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace quillora {
namespace {

// The settings store treats "/" and "\" in names as literal; keep them apart from the INI
// format's own group separator by escaping.
QString Escaped(const std::string& name) {
    QString text = QString::fromStdString(name);
    text.replace('%', "%25").replace('/', "%2F").replace('\\', "%5C");
    return text;
}

QByteArray GroupHeader(const std::string& section) {
    return "[" + IniKey(Escaped(section)) + "]";
}

// Calls line(text) for each line of bytes, without its line break.
template <typename Each> void ForEachLine(const QByteArray& bytes, Each line) {
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0) end = bytes.size();
        QByteArrayView text(bytes.constData() + start, end - start);
        if (text.endsWith('\r')) text.chop(1);
        line(text);
        start = end + 1;
    }
}

bool IsHeader(QByteArrayView line) {
    const QByteArrayView trimmed = line.trimmed();
    return trimmed.startsWith('[') && trimmed.endsWith(']');
}

} // namespace

SettingsStore::SettingsStore()
    : m_folder(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
               "/Quillora") {}

SettingsStore::SettingsStore(const QString& folder) : m_folder(folder) {}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::FileOf(const std::string& application) const {
    return QDir(m_folder).filePath(Escaped(application) + ".ini");
}

void SettingsStore::NotKept(const std::string& reason) const {
    if (!m_notKept.empty()) return;
    m_notKept = reason;
    Prompts().MessageBox("Your settings will not be kept: " + reason, BoxStyle::Exclamation,
                         "Quillora");
}

bool SettingsStore::ReadFile(const QString& path, QByteArray& bytes) const {
    const FileBytes file = ReadRegularFile(path.toStdString(), kMaxFileBytes);
    if (file.problem == FileProblem::Missing) return true;
    if (file.problem == FileProblem::TooLarge) {
        NotKept(path.toStdString() + " is larger than " + std::to_string(kMaxFileBytes) +
                " bytes (" + std::to_string(QFileInfo(path).size()) + " bytes).");
        return false;
    }
    if (!file) {
        NotKept(path.toStdString() + " " + DescribeFileProblem(file.problem) + ".");
        return false;
    }
    bytes = QByteArray::fromStdString(file.bytes);
    return true;
}

SettingsStore::Group& SettingsStore::GroupOf(const std::string& application,
                                             const std::string& section) const {
    const auto key = std::make_pair(application, section);
    if (const auto found = m_groups.find(key); found != m_groups.end()) return found->second;
    Group& group = m_groups[key];
    QByteArray bytes;
    if (!ReadFile(FileOf(application), bytes)) return group;
    // Only the lines of this group are looked at; other games' groups stay bytes.
    const QByteArray header = GroupHeader(section);
    bool inGroup = false;
    ForEachLine(bytes, [&](QByteArrayView line) {
        if (IsHeader(line)) {
            inGroup = line.trimmed() == header;
            return;
        }
        const qsizetype equals = line.indexOf('=');
        if (!inGroup || equals <= 0 || line.trimmed().startsWith(';')) return;
        const QString name = QString::fromUtf8(line.first(equals).trimmed());
        group[name] = ParseIniValue(line.sliced(equals + 1));
    });
    return group;
}

void SettingsStore::Write(const std::string& application, const std::string& section) const {
    if (!m_notKept.empty()) return;
    const QString path = FileOf(application);
    QByteArray old;
    if (!ReadFile(path, old)) return;
    // Every other group is copied as it stands; this one is written anew at the end.
    const QByteArray header = GroupHeader(section);
    QByteArray text;
    text.reserve(old.size() + 256);
    bool inGroup = false;
    ForEachLine(old, [&](QByteArrayView line) {
        if (IsHeader(line)) inGroup = line.trimmed() == header;
        if (!inGroup) text.append(line).append('\n');
    });
    const Group& group = m_groups[{application, section}];
    if (!group.empty()) {
        if (!text.isEmpty() && !text.endsWith("\n\n")) text += '\n';
        text += header + '\n';
        for (const auto& [key, value] : group)
            text += key.toUtf8() + "=" + IniValue(value) + '\n';
    }
    // The file is replaced, not written in place: honour a file the user made read-only.
    const QFileInfo existing(path);
    if (existing.exists() && !(existing.permissions() & QFileDevice::WriteOwner)) {
        NotKept(path.toStdString() + " is read-only.");
        return;
    }
    QDir().mkpath(m_folder);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        NotKept(path.toStdString() + " cannot be written (" + file.errorString().toStdString() +
                ").");
    }
}

std::string SettingsStore::GetSetting(const std::string& application, const std::string& section,
                                      const std::string& key,
                                      const std::string& defaultValue) const {
    const Group& group = GroupOf(application, section);
    const auto found = group.find(QString::fromUtf8(IniKey(Escaped(key))));
    return found == group.end() ? defaultValue : found->second.toStdString();
}

void SettingsStore::SaveSetting(const std::string& application, const std::string& section,
                                const std::string& key, const std::string& value) {
    GroupOf(application, section)[QString::fromUtf8(IniKey(Escaped(key)))] =
        QString::fromStdString(value);
    Write(application, section);
}

void SettingsStore::DeleteSetting(const std::string& application, const std::string& section,
                                  const std::string& key) {
    GroupOf(application, section).erase(QString::fromUtf8(IniKey(Escaped(key))));
    Write(application, section);
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
