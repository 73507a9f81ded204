// The message bar and the system message box.
#include "game/MessageBar.h"

#include "core/Cp1252.h"
#include "core/Prompts.h"
#include "core/Twips.h"
#include "game/GameScene.h"
#include "project/ProjectInfo.h"

namespace quillora {
namespace {

// Characters, not bytes: the classic Len of the text.
int CharacterCount(const std::string& text) {
    return static_cast<int>(Utf8ToCp1252(text).size());
}

constexpr int kSideMargin = 240; // twips kept free on each side of a long message

} // namespace

int MessageBarMilliseconds(const std::string& text) {
    return CharacterCount(text) * 70 + 1000;
}

MessageBar::MessageBar(GameScene& scene) : m_scene(scene) {
    TimerMessageBox.setSingleShot(false);
    connect(&TimerMessageBox, &QTimer::timeout, this, &MessageBar::Hide);
    scene.FrameMessageBox.OnClick = [this] { Hide(); };
    scene.LabelMessageBox.OnClick = [this] { Hide(); };
}

void MessageBar::DisplayTextMessage(const std::string& text, bool inBar, bool noTimer) {
    if (!inBar) {
        if (OnMessageShown) OnMessageShown(text);
        Prompts().MessageBox(text, BoxStyle::Information, Project().AdventureName);
        return;
    }
    if (EqualsNoCase(text, "[hide]")) {
        Hide();
        return;
    }
    SceneElement& bar = m_scene.FrameMessageBox;
    SceneElement& label = m_scene.LabelMessageBox;
    const int boxWidth = m_scene.Box.FrameWidth();
    bar.Left = 0;
    bar.Width = boxWidth;
    // Long messages wrap inside the bar instead of running off the frame.
    label.WordWrap = false;
    label.AutoSize = true;
    label.SetCaption("");
    label.Left = boxWidth / 2;
    label.SetCaption(text);
    if (label.Width > boxWidth - 2 * kSideMargin) {
        label.WordWrap = true;
        label.Width = boxWidth - 2 * kSideMargin;
        label.Left = kSideMargin;
        label.Alignment = 2;
        label.SetCaption(text);
        label.Left = kSideMargin;
        label.Width = boxWidth - 2 * kSideMargin;
    }
    label.Top = 262; // half of the 525 twips the bar adds around the label
    bar.Height = label.Height + 525;
    bar.Top = m_scene.Box.FrameHeight() - bar.Height;
    label.SetVisible(true);
    bar.SetVisible(true);
    m_scene.Box.ZOrder(bar);
    if (OnMessageShown) OnMessageShown(text);
    if (!noTimer) {
        TimerMessageBox.setInterval(MessageBarMilliseconds(text));
        TimerMessageBox.stop();
        TimerMessageBox.start();
    }
}

void MessageBar::Hide() {
    m_scene.FrameMessageBox.SetVisible(false);
    m_scene.LabelMessageBox.SetVisible(false);
    TimerMessageBox.stop();
    TimerMessageBox.setInterval(0);
}

void MessageBar::Reset() {
    Hide();
    m_scene.LabelMessageBox.AutoSize = true;
}

} // namespace quillora
