// The game's videos: the one-time cut-scene over the frame, and the videos of hotspots.
#pragma once

#include <QObject>

#include <functional>
#include <map>
#include <memory>
#include <string>

namespace quillora {

class MediaPlayer;
struct MoviePlacement;
class SceneElement;
struct GameScene;
struct GameSession;

class GameVideos : public QObject {
    Q_OBJECT

public:
    GameVideos(GameScene& scene, GameSession& session);
    ~GameVideos() override;

    // Starts the one-time video `file` (under Frames) over the frame area at its placement.
    // Waits 0.3 s first (hotspot clicks are ignored meanwhile); returns once it plays. A file
    // that cannot be played shows " Error while attempting to play the following video file:
    // ..." once.
    void PlayMovieWithStop(const std::string& file, const MoviePlacement& placement);
    // Removes the one-time video, if there is one.
    void StopOneTimeVideoPlayer();
    bool IsOneTimeVideoPlaying() const;
    // Told when a one-time video comes over the frame (true) and when it is removed (false).
    std::function<void(bool)> OnOneTimeVideo;

    // Sets up the video of hotspot index (under Frames), not started: at the hotspot's place, at
    // the video's own size or the hotspot's, with its rate, play count (0 = for ever) and volume.
    void PlayHotspotVideo(int index, const std::string& file, bool stretched, double rate,
                          int playCount, double volume);
    // Shows (rewound and started, unless a transition is on screen) or hides (stopped) the video
    // of hotspot index.
    void ShowHotspotVideo(int index, bool show, bool transitionOnScreen);
    // Starts every visible hotspot video again (after a one-time video).
    void PlayVisibleHotspotVideos();
    // Removes every hotspot video (the frame's hotspots are going).
    void ResetHotspotVideos();
    // The player of VideoPlayer element index, created (empty, drawn into the element) when the
    // element has none yet; nullptr when the element does not exist. Scripts reach it as
    // LoopingVideo(index).
    MediaPlayer* HotspotPlayer(int index);
    // Stops and removes the player of element index, before the element itself goes.
    void RemoveHotspotVideo(int index);

private:
    // Draws a player's current picture into its element, which repaints on every new picture.
    void Attach(MediaPlayer& player, SceneElement& element);
    // Starts a video element's player; a failure shows "Unable to play video file. ".
    void PlayVideoControl(MediaPlayer& player);

    GameScene& m_scene;
    GameSession& m_session;
    std::unique_ptr<MediaPlayer> m_oneTime;
    std::map<int, std::unique_ptr<MediaPlayer>> m_hotspotPlayers;
};

} // namespace quillora
