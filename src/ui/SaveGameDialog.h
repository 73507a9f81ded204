// The save window (the classic frmSaveGame): names, overwrites and removes saved games.
#pragma once

#include <QDialog>
#include <QImage>

#include <functional>
#include <string>

class QLineEdit;

namespace quillora {

class SavedGamesList;

class SaveGameDialog : public QDialog {
    Q_OBJECT

public:
    // `savedGame` gives the bytes of the saved game at the moment the player saves; `frame` is
    // the picture kept beside it.
    SaveGameDialog(std::function<std::string()> savedGame, QImage frame, QWidget* parent);

    // The name box (Text1).
    void SetName(const std::string& name);
    // The save button (Command2): checks the name, asks before replacing, writes, closes.
    void Save();
    // The remove button (Command3): asks, deletes the selected saved game, fills the list again.
    void RemoveSelected();
    SavedGamesList& List() { return *m_list; }

private:
    std::function<std::string()> m_savedGame;
    QImage m_frame;
    QLineEdit* m_name;
    SavedGamesList* m_list;
};

// The refusal of a name with one of the forbidden characters: text 35, a line break, then the
// characters.
std::string ForbiddenCharactersText();

} // namespace quillora
