// An animated GIF picture that a scene element draws: QMovie with the game's speed rule.
#pragma once

#include <QImage>
#include <QMovie>
#include <QObject>
#include <QSize>

#include <memory>
#include <string>

namespace quillora {

// One animated picture. The scene element draws CurrentImage at its place and repaints on
// FrameChanged; no widget is involved. Belongs to the window thread.
//
// Speed: the game gives an integer speed, and values below 1 mean 50. A speed of 50 plays the
// file at its own frame delays; other values scale the pace in proportion, so 100 plays twice as
// fast and 25 at half the pace (QMovie speed = 2 × speed percent, held to 1..1000 %).
class AnimatedPicture : public QObject {
    Q_OBJECT

public:
    static constexpr int kDefaultSpeed = 50;
    // Decoded frames are kept while all of them fit in this; larger animations (a big canvas,
    // or very many frames) are decoded again on every pass, so their memory stays flat.
    static constexpr long long kFrameCacheBudgetBytes = 32LL * 1024 * 1024;

    AnimatedPicture();
    ~AnimatedPicture() override;

    // The speed actually used for a given one: below 1 becomes 50.
    static int EffectiveSpeed(int speed) { return speed < 1 ? kDefaultSpeed : speed; }
    // QMovie's speed in percent for a game speed.
    static int MovieSpeedPercent(int speed);
    // Whether frames of a canvas (pixels) and a frame count fit the cache budget; an unknown
    // count (0 or less) does not.
    static bool FitsFrameCache(QSize canvas, int frames);

    // Loads a resolved path (through the case-insensitive lookup) and starts the animation at
    // the speed. A missing file loads nothing and returns false without an error; a file that
    // is not a readable picture throws MediaError.
    bool Load(const std::string& path, int speed);
    // Forgets the picture.
    void Clear();
    bool IsLoaded() const { return m_movie != nullptr; }
    // Whether the loaded picture keeps its decoded frames (it fits the budget).
    bool CachesFrames() const { return m_cachesFrames; }

    // Stops and plays the animation from its first frame (after a transition).
    void Restart();
    void Stop();
    void Start();
    bool IsRunning() const;
    // Holds a running animation at its current image (true) and lets a held one go on from
    // there (false); a stopped animation stays stopped either way.
    void SetPaused(bool paused);
    bool IsPaused() const;

    // The picture's size in pixels; empty when nothing is loaded.
    QSize Size() const;
    // The frame to draw now; null when nothing is loaded.
    QImage CurrentImage() const;
    int Speed() const { return m_speed; }
    const std::string& FileName() const { return m_fileName; }

signals:
    // A new frame is current: repaint.
    void FrameChanged();

private:
    std::unique_ptr<QMovie> m_movie;
    std::string m_fileName;
    int m_speed = kDefaultSpeed;
    bool m_cachesFrames = false;
};

} // namespace quillora
