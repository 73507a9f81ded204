// Writing screenshots: the folder, a name no other file has, and the reasons a write fails.
#include "services/ScreenshotFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QStandardPaths>

#include <filesystem>
#include <system_error>

namespace quillora {
namespace {

constexpr int kMaxFolderName = 64;
// Names tried before giving up: a folder with that many screenshots of one second is broken.
constexpr int kMaxAttempts = 100;

} // namespace

QString PicturesFolder() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (folder.isEmpty()) folder = QDir::homePath() + "/Pictures";
    return folder;
}

QString GameFolderName(const std::string& gameName) {
    QString name = QString::fromStdString(gameName).trimmed();
    for (QChar& c : name) {
        if (c == '/' || c == '\\' || c == ':' || c.category() == QChar::Other_Control) c = '_';
    }
    // A name of dots alone, or one that starts with a dot, would be "." or ".." or hidden.
    while (name.startsWith('.'))
        name[0] = '_';
    name = name.left(kMaxFolderName).trimmed();
    return name.isEmpty() ? QString("Quillora") : name;
}

ScreenshotResult SaveScreenshot(const QImage& image, const std::string& gameName,
                                const QDateTime& when, const QString& picturesFolder) {
    ScreenshotResult result;
    const QString folderName = GameFolderName(gameName);
    const QString folder = QDir(picturesFolder).filePath(folderName);
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(folder.toStdString()), error);
    if (error || !QFileInfo(folder).isDir()) {
        result.Path = folder;
        result.Error = error ? QString::fromStdString(error.message())
                             : QString("a file of that name is in the way");
        return result;
    }
    if (image.isNull()) {
        result.Path = folder;
        result.Error = "there is no picture to save";
        return result;
    }
    const QString stem = folderName + when.toString(" yyyy-MM-dd HH-mm-ss");
    for (int attempt = 1; attempt <= kMaxAttempts; ++attempt) {
        const QString name = attempt == 1 ? stem : stem + QString(" (%1)").arg(attempt);
        result.Path = QDir(folder).filePath(name + ".png");
        QFile file(result.Path);
        // NewOnly: a file made by someone else between two tries is never overwritten.
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (QFileInfo::exists(result.Path)) continue;
            result.Error = file.errorString();
            return result;
        }
        QImageWriter writer(&file, "png");
        if (!writer.write(image)) {
            result.Error = writer.errorString();
            file.remove();
            return result;
        }
        if (!file.flush()) {
            result.Error = file.errorString();
            file.remove();
            return result;
        }
        file.close();
        if (file.error() != QFileDevice::NoError) {
            result.Error = file.errorString();
            file.remove();
            return result;
        }
        result.Written = true;
        return result;
    }
    result.Error = "every name for this second is taken";
    return result;
}

} // namespace quillora
