// Creating, updating and drawing the animated pictures of hotspots.
#include "game/AnimatedGifs.h"

#include "core/ClassicError.h"
#include "core/Twips.h"
#include "game/GameScene.h"
#include "game/GameSession.h"
#include "media/AnimatedPicture.h"
#include "media/MediaError.h"
#include "project/ErrorMessages.h"
#include "scene/Pictures.h"

#include <QPainter>
#include <QWidget>

namespace quillora {

AnimatedGifs::AnimatedGifs(GameScene& scene, const RunFlags& flags)
    : m_scene(scene), m_flags(flags) {}

AnimatedGifs::~AnimatedGifs() = default;

int AnimatedGifs::AniGifNewWithIndex(int newIndex, const std::string& file, int x, int y,
                                     int speed) {
    if (file.empty() || newIndex <= 0) return 0;
    SceneElement& box = m_scene.AniGifBox.Load(newIndex);
    SceneElement& picture = m_scene.AniGif.Load(newIndex);
    m_scene.Box.SetContainer(picture, &box);
    box.Move(x, y);
    box.SetVisible(true);
    m_scene.Box.ZOrder(box);
    if (WireBox) WireBox(box, picture, newIndex);
    AniGifUpdate(newIndex, file, speed);
    return newIndex;
}

void AnimatedGifs::AniGifUpdate(int index, const std::string& file, int speed) {
    if (m_flags.StopEverything) return;
    SceneElement* box = m_scene.AniGifBox.Item(index);
    SceneElement* picture = m_scene.AniGif.Item(index);
    if (box == nullptr || picture == nullptr || index <= 0) return;
    if (file.empty()) {
        m_pictures.erase(index);
        m_files.erase(index);
        m_scene.AniGif.Unload(index);
        m_scene.AniGifBox.Unload(index);
        return;
    }
    auto animation = std::make_unique<AnimatedPicture>();
    try {
        if (!animation->Load(file, speed)) return; // no such file: nothing happens
    } catch (const MediaError&) {
        ShowCommonError(" Unable to load '" + file + "'.");
        return;
    }
    AnimatedPicture& shown = *animation;
    m_pictures[index] = std::move(animation);
    m_files[index] = file;
    const QSize size = shown.Size();
    picture->Move(0, 0, PixelsToTwips(size.width()), PixelsToTwips(size.height()));
    picture->Painter = [&shown](QPainter& painter, const QRect& rect) {
        painter.drawImage(rect.topLeft(), shown.CurrentImage());
    };
    connect(&shown, &AnimatedPicture::FrameChanged, this, [picture] { picture->Changed(); });
    picture->SetVisible(true);
    box->Move(box->Left, box->Top, picture->Width, picture->Height);
    QWidget* window = m_scene.Box.window();
    if (window != nullptr && window->isVisible()) window->setFocus();
}

QImage AnimatedGifs::StillImage(int index) const {
    const auto found = m_files.find(index);
    if (found == m_files.end()) return QImage();
    try {
        return LoadPictureIfPresent(found->second);
    } catch (const ClassicError&) {
        return QImage();
    }
}

void AnimatedGifs::Stop(int index) {
    if (const auto found = m_pictures.find(index); found != m_pictures.end()) found->second->Stop();
}

void AnimatedGifs::Restart(int index) {
    if (const auto found = m_pictures.find(index); found != m_pictures.end())
        found->second->Restart();
}

void AnimatedGifs::SetPaused(bool paused) {
    for (auto& [index, animation] : m_pictures)
        animation->SetPaused(paused);
}

void AnimatedGifs::RestartVisible() {
    for (auto& [index, animation] : m_pictures) {
        const SceneElement* box = m_scene.AniGifBox.Item(index);
        if (box != nullptr && box->Visible()) animation->Restart();
    }
}

void AnimatedGifs::Reset() {
    m_pictures.clear();
    m_files.clear();
    for (const auto& [index, gif] : m_scene.AniGif.Elements()) {
        if (SceneElement* box = m_scene.AniGifBox.Item(index)) box->SetVisible(false);
    }
    m_scene.AniGif.UnloadAll();
    m_scene.AniGifBox.UnloadAll();
}

} // namespace quillora
