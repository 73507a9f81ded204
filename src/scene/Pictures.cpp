// Picture and pointer files.
#include "scene/Pictures.h"

#include "core/ClassicError.h"
#include "core/FileAccess.h"
#include "core/PathLookup.h"

#include <QBuffer>
#include <QImageReader>
#include <QPixmap>

#include <list>
#include <mutex>
#include <sys/stat.h>
#include <unordered_map>

namespace quillora {
namespace {

constexpr qsizetype kCacheBudgetBytes = 384LL * 1024 * 1024;
// Far above any picture a game of this kind ships (an uncompressed 4096 x 4096 bitmap is 64 MB).
constexpr size_t kMaxPictureFileBytes = 96 * 1024 * 1024;

struct CachedPicture {
    long long modified = 0;
    QImage image;
};

// The error of a picture file, naming it for authors.
ClassicError Problem(ErrorCode code, const std::string& path) {
    ClassicError error(code);
    error.SetDetail(code == ErrorCode::FileNotFound
                        ? "The picture file \"" + path + "\" is missing."
                        : "The picture file \"" + path +
                              "\" is damaged or not a picture: expected a BMP, JPEG, GIF, PNG, "
                              "ICO or CUR picture.");
    return error;
}

class PictureCache {
public:
    QImage Load(const std::string& realPath) {
        struct stat info {};
        if (::stat(realPath.c_str(), &info) != 0) throw Problem(ErrorCode::FileNotFound, realPath);
        const long long modified =
            static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec;
        std::lock_guard lock(m_mutex);
        if (auto found = m_entries.find(realPath); found != m_entries.end()) {
            if (found->second.modified == modified) {
                Touch(realPath);
                return found->second.image;
            }
            Drop(realPath);
        }
        QImage image = Decode(realPath);
        m_entries[realPath] = {modified, image};
        m_order.push_front(realPath);
        m_bytes += image.sizeInBytes();
        while (m_bytes > kCacheBudgetBytes && m_order.size() > 1)
            Drop(m_order.back());
        return image;
    }

    void Clear() {
        std::lock_guard lock(m_mutex);
        m_entries.clear();
        m_order.clear();
        m_bytes = 0;
    }

private:
    static QImage Decode(const std::string& path) {
        // Read once, within a limit: a reader that fails must not fall back to reading a
        // device or a pipe named in place of a picture.
        FileBytes file = ReadRegularFile(path, kMaxPictureFileBytes);
        if (file.problem == FileProblem::Missing) throw Problem(ErrorCode::FileNotFound, path);
        if (!file) throw Problem(ErrorCode::InvalidPicture, path);
        QByteArray bytes = QByteArray::fromStdString(file.bytes);
        file.bytes.clear();
        QBuffer buffer(&bytes);
        QImageReader reader(&buffer);
        reader.setDecideFormatFromContent(true);
        QImage image = reader.read();
        if (image.isNull() && bytes.size() > 4 && bytes[0] == 0 && bytes[1] == 0 &&
            (bytes[2] == 1 || bytes[2] == 2) && bytes[3] == 0) {
            // Icon files have no signature the readers look for, and cursor files are icon
            // files with another type number: the icon reader takes both when asked.
            bytes[2] = 1;
            QBuffer icon(&bytes);
            QImageReader iconReader(&icon, "ico");
            image = iconReader.read();
        }
        if (image.isNull()) throw Problem(ErrorCode::InvalidPicture, path);
        return image.hasAlphaChannel() ? image.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                                       : image.convertToFormat(QImage::Format_RGB32);
    }

    void Touch(const std::string& path) {
        m_order.remove(path);
        m_order.push_front(path);
    }

    void Drop(const std::string& path) {
        if (auto found = m_entries.find(path); found != m_entries.end()) {
            m_bytes -= found->second.image.sizeInBytes();
            m_entries.erase(found);
        }
        m_order.remove(path);
    }

    std::mutex m_mutex;
    std::unordered_map<std::string, CachedPicture> m_entries;
    std::list<std::string> m_order; // most recently used first
    qsizetype m_bytes = 0;
};

PictureCache& Cache() {
    static PictureCache cache;
    return cache;
}

std::string RealPath(const std::string& path) {
    if (path.empty()) throw ClassicError(ErrorCode::BadFileNameOrNumber);
    const auto real = PathLookup::Instance().Find(path);
    if (!real) throw Problem(ErrorCode::FileNotFound, path);
    return *real;
}

// The hot spot of the first image of a cursor file, or nothing for icons.
std::optional<QPoint> CursorHotSpot(const std::string& path) {
    const FileBytes file = ReadRegularFileHead(path, 22);
    if (file.bytes.size() < 22) return std::nullopt;
    const auto* head = reinterpret_cast<const unsigned char*>(file.bytes.data());
    const auto byte = [head](int i) { return head[i]; };
    if (byte(0) != 0 || byte(1) != 0 || byte(2) != 2 || byte(3) != 0) return std::nullopt;
    return QPoint(byte(10) | (byte(11) << 8), byte(12) | (byte(13) << 8));
}

} // namespace

QImage LoadPicture(const std::string& path) {
    return Cache().Load(RealPath(path));
}

QImage LoadPictureIfPresent(const std::string& path) {
    if (!PathLookup::Instance().FileExists(path)) return QImage();
    return LoadPicture(path);
}

QCursor LoadPointer(const std::string& path) {
    const std::string real = RealPath(path);
    const QImage image = Cache().Load(real);
    const QPoint hot = CursorHotSpot(real).value_or(QPoint(image.width() / 2, image.height() / 2));
    return QCursor(QPixmap::fromImage(image), hot.x(), hot.y());
}

void ClearPictureCache() {
    Cache().Clear();
}

} // namespace quillora
