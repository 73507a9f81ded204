// Loading pictures and pointer files, with decoded pictures kept across frames.
#pragma once

#include <QCursor>
#include <QImage>

#include <string>

namespace quillora {

// The decoded picture of a file (BMP, JPG, GIF, PNG, ICO, CUR; the format is told by the
// content, so stored numbered names work). Decoded pictures are kept, keyed by file and
// modification time, up to a memory budget. Throws ClassicError "Invalid picture" for a file
// that is not a picture, "File not found" for a missing one.
QImage LoadPicture(const std::string& path);

// Like LoadPicture, but a missing file gives an empty picture: callers that went through the
// media lookup have already warned about it.
QImage LoadPictureIfPresent(const std::string& path);

// A pointer from a .cur or .ico file, with the hot spot the file gives (cursor files) or the
// centre (icons). Throws like LoadPicture.
QCursor LoadPointer(const std::string& path);

// Forgets every kept picture.
void ClearPictureCache();

} // namespace quillora
