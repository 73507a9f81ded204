// The player's sound window: master, music and effects volume and a mute for the game.
#pragma once

#include "game/SoundLevels.h"

#include <QDialog>

#include <array>
#include <functional>

class QCheckBox;
class QLabel;
class QSlider;

namespace quillora {

// Every change is told at once through `changed`, so the player hears the level while moving a
// slider; the caller keeps the levels when the window closes.
class SoundOptionsDialog : public QDialog {
    Q_OBJECT

public:
    SoundOptionsDialog(const SoundLevels& levels, std::function<void(const SoundLevels&)> changed,
                       QWidget* parent = nullptr);

    const SoundLevels& Levels() const { return m_levels; }
    // The sliders (master, music, effects) and the mute box, for tests.
    QSlider& Slider(int index) { return *m_sliders.at(index); }
    QCheckBox& MuteBox() { return *m_mute; }

private:
    void Changed();

    SoundLevels m_levels;
    std::function<void(const SoundLevels&)> m_changed;
    std::array<QSlider*, 3> m_sliders{};
    std::array<QLabel*, 3> m_values{};
    QCheckBox* m_mute = nullptr;
};

} // namespace quillora
