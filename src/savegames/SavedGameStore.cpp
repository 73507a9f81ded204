// Saved games on disk: listing by time, atomic writes, pictures, reading a file back.
#include "savegames/SavedGameStore.h"

#include "core/ClassicError.h"
#include "core/Cp1252.h"
#include "core/PathLookup.h"
#include "core/ValueListReader.h"
#include "project/ErrorMessages.h"
#include "project/ProjectPaths.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace quillora {
namespace {

constexpr int kPictureWidth = 160;

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// The file a saved game is kept in: an existing one whatever its case, else the name as typed.
std::string ExistingOrNew(const std::string& relative) {
    if (auto found = PathLookup::Instance().Find(Paths().Root + relative)) return *found;
    return Paths().Root + relative;
}

} // namespace

bool IsAllowedSaveName(const std::string& name) {
    return name.find_first_of(kForbiddenSaveCharacters) == std::string::npos;
}

std::string SavedGamePath(const std::string& name) {
    return ExistingOrNew(name + ".sav");
}

std::string SavedGamePicturePath(const std::string& name) {
    return ExistingOrNew(name + ".png");
}

std::vector<std::string> ListSavedGames() {
    const auto folder = PathLookup::Instance().Find(Paths().Root);
    if (!folder) return {};
    QDir dir(Q(*folder));
    QStringList files = dir.entryList({"*.sav"}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    struct Entry {
        std::string name;
        QDateTime time;
    };
    std::vector<Entry> entries;
    for (const QString& file : files) {
        const std::string bytes = Utf8ToCp1252(file.toStdString());
        if (bytes.size() <= 4) continue;
        entries.push_back({file.left(file.size() - 4).toStdString(),
                           QFileInfo(dir.filePath(file)).lastModified()});
    }
    // Stable: equal times keep the alphabetical order of the listing.
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry& a, const Entry& b) { return a.time < b.time; });
    std::vector<std::string> names;
    for (const Entry& entry : entries)
        names.push_back(entry.name);
    return names;
}

QDateTime SavedGameTime(const std::string& name) {
    return QFileInfo(Q(SavedGamePath(name))).lastModified();
}

void WriteFileAtomically(const std::string& path, const std::string& bytes) {
    QSaveFile file(Q(path));
    if (!file.open(QIODevice::WriteOnly)) {
        throw ClassicError(ErrorCode::PermissionDenied,
                           ClassicDescription(ErrorCode::PermissionDenied) + " (" +
                               file.errorString().toStdString() + ")");
    }
    const qint64 written = file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    if (written != static_cast<qint64>(bytes.size()) || !file.commit()) {
        const std::string why = file.errorString().toStdString();
        file.cancelWriting();
        throw ClassicError(ErrorCode::PermissionDenied,
                           ClassicDescription(ErrorCode::PermissionDenied) + " (" + why + ")");
    }
}

void WriteSavedGame(const std::string& name, const std::string& bytes, const QImage& frame) {
    WriteFileAtomically(SavedGamePath(name), bytes);
    if (frame.isNull()) return;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    frame.scaledToWidth(std::min(kPictureWidth, frame.width()), Qt::SmoothTransformation)
        .save(&buffer, "PNG");
    try {
        WriteFileAtomically(SavedGamePicturePath(name), png.toStdString());
    } catch (const ClassicError&) {
        // The game is saved; only its picture is missing, which the load window tolerates.
    }
}

SavedGameRecord ReadSavedGameFile(const std::string& name) {
    ValueListReader in = ValueListReader::Open(Paths().Root + name + ".sav");
    return ReadSavedGame(in);
}

std::optional<SavedGameRecord> ReadSavedGameOrReport(const std::string& name) {
    try {
        return ReadSavedGameFile(name);
    } catch (const ClassicError&) {
        ShowCommonError(" Unable to load '" + Paths().Root + name + ".sav'.");
        return std::nullopt;
    }
}

std::string SaveDateText(const QDate& date) {
    return date.toString("MM/dd/yyyy").toStdString();
}

} // namespace quillora
