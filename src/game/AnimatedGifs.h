// The animated pictures of hotspots: a box that takes the pointer, holding the animated picture.
#pragma once

#include <QImage>
#include <QObject>

#include <functional>
#include <map>
#include <memory>
#include <string>

namespace quillora {

class AnimatedPicture;
class SceneElement;
struct GameScene;
struct RunFlags;

class AnimatedGifs : public QObject {
    Q_OBJECT

public:
    // `flags` (not owned): while the game stops everything, no picture is loaded.
    AnimatedGifs(GameScene& scene, const RunFlags& flags);
    ~AnimatedGifs() override;

    // Creates box and picture newIndex at x, y twips and starts `file` (a resolved path) at the
    // speed (below 1: 50, the file's own pace). Returns newIndex, or 0 when the file name is
    // empty or the index is not positive (nothing is created then).
    int AniGifNewWithIndex(int newIndex, const std::string& file, int x, int y, int speed);
    // Loads another file into picture index, or removes it when file is empty. A missing file
    // changes nothing; a damaged one shows " Unable to load '<file>'.".
    void AniGifUpdate(int index, const std::string& file, int speed);
    // Stops, or restarts from its first image, picture index.
    void Stop(int index);
    void Restart(int index);
    // Restarts every picture whose box shows (after a transition).
    void RestartVisible();
    // Holds every running picture at its image while the game is paused; false lets them go on.
    void SetPaused(bool paused);
    // Removes every picture and box.
    void Reset();
    // The first image of picture index's file, as a still picture; empty when there is none.
    QImage StillImage(int index) const;

    // Wires a new box's pointer events (the game makes it act as its hotspot).
    std::function<void(SceneElement& box, SceneElement& picture, int index)> WireBox;

private:
    GameScene& m_scene;
    const RunFlags& m_flags;
    std::map<int, std::unique_ptr<AnimatedPicture>> m_pictures;
    std::map<int, std::string> m_files;
};

} // namespace quillora
