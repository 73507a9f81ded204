// Screenshots: a picture of the frame written as a PNG file under the user's pictures folder.
#pragma once

#include <QDateTime>
#include <QImage>
#include <QString>

#include <string>

namespace quillora {

// What writing a screenshot came to: the file written, or why nothing was.
struct ScreenshotResult {
    bool Written = false;
    QString Path;  // the file written, or the one that could not be
    QString Error; // why it failed ("" when written)
};

// The user's pictures folder (XDG pictures folder, else ~/Pictures).
QString PicturesFolder();

// A folder name made from a game's name: characters a file system or a path would take
// differently (separators, control characters, leading dots) become "_", and it is cut to 64
// characters; an empty result becomes "Quillora". The name comes from the game's files, so it
// must never lead out of the pictures folder.
QString GameFolderName(const std::string& gameName);

// Writes `image` as a PNG file in picturesFolder/<game folder>/, named after the game and `when`
// ("Name 2026-12-08 16-35-12.png", " (2)" and up added when that name is taken; an existing file
// is never overwritten). Creates the folders it needs.
ScreenshotResult SaveScreenshot(const QImage& image, const std::string& gameName,
                                const QDateTime& when, const QString& picturesFolder);

} // namespace quillora
