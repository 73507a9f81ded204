// Messages to the player: the message bar along the bottom of the frame, or a system box.
#pragma once

#include <QObject>
#include <QTimer>

#include <functional>
#include <string>

namespace quillora {

struct GameScene;

class MessageBar : public QObject {
    Q_OBJECT

public:
    explicit MessageBar(GameScene& scene);

    // Shows text in the bar (inBar) or in an information box titled with the game's name. The
    // bar hides itself after (characters x 70 + 1000) ms unless noTimer; "[hide]" (any case)
    // hides it at once.
    void DisplayTextMessage(const std::string& text, bool inBar, bool noTimer);
    // Hides the bar and stops its timer.
    void Hide();
    // The bar hidden, its label sizing itself: as a game reset leaves it.
    void Reset();

    QTimer TimerMessageBox;

    // Told every message shown, in the bar or in a box.
    std::function<void(const std::string&)> OnMessageShown;

private:
    GameScene& m_scene;
};

// How long the bar shows a text, in milliseconds.
int MessageBarMilliseconds(const std::string& text);

} // namespace quillora
