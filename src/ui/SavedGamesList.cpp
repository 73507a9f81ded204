// The saved-games list shared by the save and load windows.
#include "ui/SavedGamesList.h"

#include "savegames/SavedGameStore.h"

#include <QGuiApplication>
#include <QScreen>

namespace quillora {

SavedGamesList::SavedGamesList(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void SavedGamesList::Refresh() {
    clear();
    for (const std::string& name : ListSavedGames())
        addItem(QString::fromStdString(name));
}

std::string SavedGamesList::SelectedName() const {
    const QListWidgetItem* item = currentItem();
    return item != nullptr && item->isSelected() ? item->text().toStdString() : "";
}

bool SavedGamesList::Select(const std::string& name) {
    const auto found = findItems(QString::fromStdString(name), Qt::MatchExactly);
    if (found.isEmpty()) return false;
    setCurrentItem(found.front());
    return true;
}

void CenterOnScreen(QWidget& window) {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const QRect area = screen->geometry();
    window.move(area.x() + area.width() / 2 - window.width() / 2,
                area.y() + area.height() / 2 - window.height() / 2);
}

} // namespace quillora
