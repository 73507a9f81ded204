// The load window: the list, the selected game's picture and date, load and cancel.
#include "ui/LoadGameDialog.h"

#include "core/Prompts.h"
#include "project/InterfaceTexts.h"
#include "savegames/SavedGameStore.h"
#include "ui/SavedGamesList.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillora {
namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

LoadGameDialog::LoadGameDialog(std::function<bool(const std::string&)> load, QWidget* parent)
    : QDialog(parent), m_load(std::move(load)) {
    setWindowTitle(Q(Text(17)));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(Q(Text(18)), this));
    auto* middle = new QHBoxLayout();
    m_list = new SavedGamesList(this);
    middle->addWidget(m_list);
    auto* details = new QVBoxLayout();
    m_picture = new QLabel(this);
    m_picture->setFixedSize(160, 120);
    m_picture->setAlignment(Qt::AlignCenter);
    m_date = new QLabel(this);
    details->addWidget(m_picture);
    details->addWidget(m_date);
    details->addStretch();
    middle->addLayout(details);
    layout->addLayout(middle);
    auto* buttons = new QHBoxLayout();
    auto* loadButton = new QPushButton(Q(Text(19)), this);
    auto* cancel = new QPushButton(Q(Text(11)), this);
    buttons->addWidget(loadButton);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    loadButton->setDefault(true);
    connect(loadButton, &QPushButton::clicked, this, &LoadGameDialog::Load);
    connect(cancel, &QPushButton::clicked, this, [this] {
        m_cancelled = true;
        reject();
    });
    connect(m_list, &QListWidget::currentItemChanged, this, &LoadGameDialog::ShowDetails);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &LoadGameDialog::Load);
    m_list->Refresh();
    resize(420, 300);
    CenterOnScreen(*this);
}

bool LoadGameDialog::Select(const std::string& name) {
    return m_list->Select(name);
}

void LoadGameDialog::Load() {
    const std::string name = m_list->SelectedName();
    if (name.empty()) {
        Prompts().MessageBox(Text(9), BoxStyle::Information, Text(17));
        return;
    }
    if (m_load(name)) accept();
}

void LoadGameDialog::ShowDetails() {
    const std::string name = m_list->SelectedName();
    // Older saves have no picture: the space stays empty.
    const QPixmap picture(Q(SavedGamePicturePath(name)));
    m_picture->setPixmap(
        name.empty() || picture.isNull()
            ? QPixmap()
            : picture.scaled(m_picture->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    const QDateTime time = name.empty() ? QDateTime() : SavedGameTime(name);
    m_date->setText(time.isValid() ? QLocale().toString(time, QLocale::ShortFormat) : QString());
}

} // namespace quillora
