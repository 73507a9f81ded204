// Playing the one-time video and the hotspot videos in the frame scene.
#include "game/Videos.h"

#include "core/PathLookup.h"
#include "core/Prompts.h"
#include "core/Twips.h"
#include "game/GameScene.h"
#include "game/GameSession.h"
#include "game/GameState.h"
#include "game/VideoPlacement.h"
#include "media/MediaError.h"
#include "media/MediaPlayer.h"
#include "project/ErrorMessages.h"
#include "project/InterfaceTexts.h"
#include "project/MediaPath.h"
#include "project/ProjectPaths.h"
#include "services/Wait.h"

#include <QPainter>

namespace quillora {

GameVideos::GameVideos(GameScene& scene, GameSession& session)
    : m_scene(scene), m_session(session) {}

GameVideos::~GameVideos() {
    StopOneTimeVideoPlayer();
    ResetHotspotVideos();
}

void GameVideos::Attach(MediaPlayer& player, SceneElement& element) {
    element.Painter = [&player](QPainter& painter, const QRect& rect) {
        const QImage& picture = player.CurrentFrame();
        if (!picture.isNull()) painter.drawImage(rect, picture);
    };
    connect(&player, &MediaPlayer::FrameChanged, this, [&element] { element.Changed(); });
}

void GameVideos::PlayMovieWithStop(const std::string& file, const MoviePlacement& placement) {
    const std::string path =
        ResolveMediaPath(Paths().Frames + file, m_session.Flags.StopEverything);
    StopOneTimeVideoPlayer();
    if (!PathLookup::Instance().FileExists(path)) return; // the lookup has warned
    try {
        SceneElement& element = m_scene.OneTimeVideoPlayer.Load(1);
        m_oneTime = std::make_unique<MediaPlayer>(m_session.Audio.GivenMixer());
        PrepareMoviePlayer(*m_oneTime, path, placement);
        const QRect rect = MovieRectTwips(placement, m_oneTime->NaturalSize());
        element.Move(rect.x(), rect.y(), rect.width(), rect.height());
        Attach(*m_oneTime, element);
        element.SetVisible(true);
        m_scene.Box.ZOrder(element);
        if (OnOneTimeVideo) OnOneTimeVideo(true);
        m_session.State.VideoWaitActive = true;
        WaitSeconds(0.3);
        m_session.State.VideoWaitActive = false;
        if (m_oneTime) m_oneTime->Play();
        DoEvents();
        m_session.Flags.StopMovie = false;
    } catch (const MediaError& error) {
        m_session.State.VideoWaitActive = false;
        ShowCommonError(" Error while attempting to play the following video file: \"" + file +
                            "\". ",
                        error.what());
    }
}

void GameVideos::StopOneTimeVideoPlayer() {
    const bool covering = m_scene.OneTimeVideoPlayer.Exists(1);
    if (m_oneTime) m_oneTime->Stop();
    m_scene.OneTimeVideoPlayer.Unload(1);
    m_oneTime.reset();
    if (covering && OnOneTimeVideo) OnOneTimeVideo(false);
}

bool GameVideos::IsOneTimeVideoPlaying() const {
    return m_oneTime && m_scene.OneTimeVideoPlayer.Exists(1) &&
           m_oneTime->PlayState() == MediaPlayer::kPlaying;
}

void GameVideos::PlayHotspotVideo(int index, const std::string& file, bool stretched, double rate,
                                  int playCount, double volume) {
    SceneElement& element = m_scene.VideoPlayer.Load(index);
    const SceneElement* area = m_scene.Area.Item(index);
    const QRect hotspot = area ? QRect(area->Left, area->Top, area->Width, area->Height) : QRect();
    element.Move(hotspot.x(), hotspot.y());
    const std::string path = ResolveMediaPath(file, m_session.Flags.StopEverything);
    if (!PathLookup::Instance().FileExists(path)) return;
    auto player = std::make_unique<MediaPlayer>(m_session.Audio.GivenMixer());
    PrepareHotspotVideoPlayer(*player, path, !stretched, rate, playCount, volume);
    const QRect rect = HotspotVideoRectTwips(hotspot, !stretched, player->NaturalSize());
    element.Move(rect.x(), rect.y(), rect.width(), rect.height());
    Attach(*player, element);
    m_hotspotPlayers[index] = std::move(player);
    // The hotspot stays in front of its video, so it still takes the clicks.
    m_scene.Box.ZOrder(element);
    if (area != nullptr) m_scene.Box.ZOrder(*m_scene.Area.Item(index));
}

void GameVideos::ShowHotspotVideo(int index, bool show, bool transitionOnScreen) {
    SceneElement* element = m_scene.VideoPlayer.Item(index);
    const auto found = m_hotspotPlayers.find(index);
    if (element == nullptr || index == 0) return;
    if (!show) {
        element->SetVisible(false);
        if (found != m_hotspotPlayers.end()) found->second->Stop();
        return;
    }
    if (found != m_hotspotPlayers.end()) {
        found->second->SetCurrentPosition(0);
        if (!transitionOnScreen) PlayVideoControl(*found->second);
    }
    element->SetVisible(true);
}

void GameVideos::PlayVisibleHotspotVideos() {
    for (auto& [index, player] : m_hotspotPlayers) {
        const SceneElement* element = m_scene.VideoPlayer.Item(index);
        if (element != nullptr && element->Visible()) PlayVideoControl(*player);
    }
}

void GameVideos::PlayVideoControl(MediaPlayer& player) {
    try {
        player.Play();
    } catch (const MediaError& error) {
        Prompts().MessageBox(Text(30) + " " + Text(31) + "\r\n\r\nUnable to play video file. " +
                                 error.what(),
                             BoxStyle::Critical, Text(29));
    }
}

void GameVideos::ResetHotspotVideos() {
    for (auto& [index, player] : m_hotspotPlayers)
        player->Stop();
    m_hotspotPlayers.clear();
}

MediaPlayer* GameVideos::HotspotPlayer(int index) {
    SceneElement* element = index > 0 ? m_scene.VideoPlayer.Item(index) : nullptr;
    if (element == nullptr) return nullptr;
    auto& player = m_hotspotPlayers[index];
    if (!player) {
        player = std::make_unique<MediaPlayer>(m_session.Audio.GivenMixer());
        Attach(*player, *element);
    }
    return player.get();
}

void GameVideos::RemoveHotspotVideo(int index) {
    const auto found = m_hotspotPlayers.find(index);
    if (found == m_hotspotPlayers.end()) return;
    found->second->Stop();
    m_hotspotPlayers.erase(found);
    if (SceneElement* element = m_scene.VideoPlayer.Item(index)) element->Painter = nullptr;
}

} // namespace quillora
