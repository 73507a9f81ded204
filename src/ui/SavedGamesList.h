// The list of saved games that the save and load windows show: oldest at the top.
#pragma once

#include <QListWidget>

#include <string>

namespace quillora {

class SavedGamesList : public QListWidget {
public:
    explicit SavedGamesList(QWidget* parent);
    // Fills the list from the project folder (the classic LoadSaveGames).
    void Refresh();
    // The selected saved game's name; empty when none is selected.
    std::string SelectedName() const;
    // Selects the saved game of that name; false when the list has none.
    bool Select(const std::string& name);
};

// Places a window in the middle of the primary screen.
void CenterOnScreen(QWidget& window);

} // namespace quillora
