// The sound window: three sliders and a mute box that act while they move.
#include "ui/SoundOptionsDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

namespace quillora {

SoundOptionsDialog::SoundOptionsDialog(const SoundLevels& levels,
                                       std::function<void(const SoundLevels&)> changed,
                                       QWidget* parent)
    : QDialog(parent), m_levels(levels), m_changed(std::move(changed)) {
    setWindowTitle("Sound");
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout();
    const std::array<const char*, 3> captions = {"Master volume", "Music", "Sound effects"};
    const std::array<int, 3> values = {levels.Master, levels.Music, levels.Effects};
    for (int i = 0; i < 3; ++i) {
        auto* slider = new QSlider(Qt::Horizontal, this);
        slider->setRange(0, SoundLevels::kMaxPercent);
        slider->setSingleStep(5);
        slider->setPageStep(10);
        slider->setValue(values[i]);
        slider->setMinimumWidth(200);
        m_sliders[i] = slider;
        m_values[i] = new QLabel(this);
        m_values[i]->setMinimumWidth(40);
        grid->addWidget(new QLabel(captions[i], this), i, 0);
        grid->addWidget(slider, i, 1);
        grid->addWidget(m_values[i], i, 2);
        connect(slider, &QSlider::valueChanged, this, &SoundOptionsDialog::Changed);
    }
    layout->addLayout(grid);
    m_mute = new QCheckBox("Mute", this);
    m_mute->setChecked(levels.Muted);
    connect(m_mute, &QCheckBox::toggled, this, &SoundOptionsDialog::Changed);
    layout->addWidget(m_mute);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::accept);
    layout->addWidget(buttons);
    for (int i = 0; i < 3; ++i)
        m_values[i]->setText(QString("%1 %").arg(values[i]));
}

void SoundOptionsDialog::Changed() {
    m_levels.Master = m_sliders[0]->value();
    m_levels.Music = m_sliders[1]->value();
    m_levels.Effects = m_sliders[2]->value();
    m_levels.Muted = m_mute->isChecked();
    for (int i = 0; i < 3; ++i)
        m_values[i]->setText(QString("%1 %").arg(m_sliders[i]->value()));
    if (m_changed) m_changed(m_levels);
}

} // namespace quillora
