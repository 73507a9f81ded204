// Animated GIF pictures on QMovie.
#include "media/AnimatedPicture.h"

#include "core/FileAccess.h"
#include "core/PathLookup.h"
#include "media/MediaError.h"

#include <QImageReader>
#include <QString>

#include <algorithm>

namespace quillora {

AnimatedPicture::AnimatedPicture() = default;

AnimatedPicture::~AnimatedPicture() = default;

int AnimatedPicture::MovieSpeedPercent(int speed) {
    return std::clamp(EffectiveSpeed(speed), 1, 500) * 2;
}

bool AnimatedPicture::Load(const std::string& path, int speed) {
    Clear();
    PathLookup& lookup = PathLookup::Instance();
    const std::optional<std::string> real = lookup.Find(path);
    // Only regular files: opening a pipe named in place of a picture would block.
    if (!real || !lookup.FileExists(*real) || !IsRegularFile(*real)) return false;
    // QMovie accepts a file by its header alone; reading the first picture tells a damaged one.
    QImageReader reader(QString::fromStdString(*real));
    if (reader.read().isNull())
        throw MediaError("The picture cannot be read (" + reader.errorString().toStdString() +
                         ").");
    auto movie = std::make_unique<QMovie>(QString::fromStdString(*real));
    if (!movie->isValid()) {
        throw MediaError("The picture cannot be read (" + movie->lastErrorString().toStdString() +
                         ").");
    }
    m_fileName = path;
    m_speed = EffectiveSpeed(speed);
    movie->setSpeed(MovieSpeedPercent(speed));
    m_cachesFrames = FitsFrameCache(reader.size(), reader.imageCount());
    movie->setCacheMode(m_cachesFrames ? QMovie::CacheAll : QMovie::CacheNone);
    connect(movie.get(), &QMovie::frameChanged, this, [this] { emit FrameChanged(); });
    m_movie = std::move(movie);
    m_movie->start();
    return true;
}

bool AnimatedPicture::FitsFrameCache(QSize canvas, int frames) {
    if (frames <= 0 || canvas.isEmpty()) return false;
    const long long bytes = 4LL * canvas.width() * canvas.height() * frames;
    return bytes <= kFrameCacheBudgetBytes;
}

void AnimatedPicture::Clear() {
    m_movie.reset();
    m_fileName.clear();
}

void AnimatedPicture::Restart() {
    if (!m_movie) return;
    m_movie->stop();
    m_movie->start();
}

void AnimatedPicture::Stop() {
    if (m_movie) m_movie->stop();
}

void AnimatedPicture::Start() {
    if (m_movie && m_movie->state() != QMovie::Running) m_movie->start();
}

void AnimatedPicture::SetPaused(bool paused) {
    if (!m_movie) return;
    if (paused ? m_movie->state() == QMovie::Running : m_movie->state() == QMovie::Paused)
        m_movie->setPaused(paused);
}

bool AnimatedPicture::IsPaused() const {
    return m_movie && m_movie->state() == QMovie::Paused;
}

bool AnimatedPicture::IsRunning() const {
    return m_movie && m_movie->state() == QMovie::Running;
}

QSize AnimatedPicture::Size() const {
    if (!m_movie) return {};
    const QRect rect = m_movie->frameRect();
    return rect.isEmpty() ? m_movie->currentImage().size() : rect.size();
}

QImage AnimatedPicture::CurrentImage() const {
    return m_movie ? m_movie->currentImage() : QImage();
}

} // namespace quillora
