// The save window: name checks, the overwrite question, saving, removing.
#include "ui/SaveGameDialog.h"

#include "core/ClassicError.h"
#include "core/Prompts.h"
#include "project/ErrorMessages.h"
#include "project/InterfaceTexts.h"
#include "project/ProjectInfo.h"
#include "project/ProjectPaths.h"
#include "savegames/SavedGameStore.h"
#include "ui/SavedGamesList.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillora {
namespace {

constexpr const char* kCharacterList = "\" \\ / : * ? < > | ,";

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

bool IsBlank(const std::string& name) {
    return name.find_first_not_of(' ') == std::string::npos;
}

} // namespace

std::string ForbiddenCharactersText() {
    return Text(35) + "\r\n" + kCharacterList;
}

SaveGameDialog::SaveGameDialog(std::function<std::string()> savedGame, QImage frame,
                               QWidget* parent)
    : QDialog(parent), m_savedGame(std::move(savedGame)), m_frame(std::move(frame)) {
    setWindowTitle(Q(Text(21)));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(Q(Text(23)), this));
    m_name = new QLineEdit(this);
    layout->addWidget(m_name);
    m_list = new SavedGamesList(this);
    layout->addWidget(m_list);
    auto* buttons = new QHBoxLayout();
    auto* save = new QPushButton(Q(Text(25)), this);
    auto* remove = new QPushButton(Q(Text(22)), this);
    auto* cancel = new QPushButton(Q(Text(11)), this);
    for (QPushButton* button : {save, remove, cancel})
        buttons->addWidget(button);
    layout->addLayout(buttons);
    save->setDefault(true);
    connect(save, &QPushButton::clicked, this, &SaveGameDialog::Save);
    connect(remove, &QPushButton::clicked, this, &SaveGameDialog::RemoveSelected);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_list, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { m_name->setText(item->text()); });
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        m_name->setText(item->text());
        Save();
    });
    m_list->Refresh();
    resize(360, 320);
    CenterOnScreen(*this);
    m_name->setFocus();
}

void SaveGameDialog::SetName(const std::string& name) {
    m_name->setText(Q(name));
}

void SaveGameDialog::Save() {
    const std::string name = m_name->text().toStdString();
    if (!IsAllowedSaveName(name)) {
        Prompts().MessageBox(ForbiddenCharactersText(), BoxStyle::Information,
                             Project().AdventureName);
        return;
    }
    // A name of spaces alone would make a file no list shows readably: it counts as no name.
    if (IsBlank(name)) {
        Prompts().MessageBox(Text(23), BoxStyle::Information, Text(21));
        return;
    }
    if (QFile::exists(Q(SavedGamePath(name)))) {
        const BoxResult answer = Prompts().MessageBox(
            "'" + name + "' " + Text(24), BoxStyle::OKCancel + BoxStyle::Question, Text(21));
        if (answer != BoxResult::OK) return;
    }
    try {
        WriteSavedGame(name, m_savedGame(), m_frame);
    } catch (const ClassicError&) {
        ShowCommonError(" Unable to save '" + Paths().Root + name +
                        ".sav'.\r\nVerify that this "
                        "file is not Read-Only and that it does not contain any of the following "
                        "characters: " +
                        kCharacterList);
        return;
    }
    accept();
}

void SaveGameDialog::RemoveSelected() {
    const std::string name = m_list->SelectedName();
    if (name.empty()) {
        Prompts().MessageBox(Text(9), BoxStyle::Information, Text(26));
        return;
    }
    const std::string path = Paths().Root + name + ".sav";
    const BoxResult answer = Prompts().MessageBox(
        Text(27) + " '" + path + "'?", BoxStyle::OKCancel + BoxStyle::Question, Text(26));
    if (answer != BoxResult::OK) return;
    if (!QFile::remove(Q(SavedGamePath(name)))) {
        ShowCommonError(" Unable to remove '" + path + "'.");
        return;
    }
    QFile::remove(Q(SavedGamePicturePath(name)));
    m_list->Refresh();
}

} // namespace quillora
