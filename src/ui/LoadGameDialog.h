// The load window (the classic frmLoadGame): lists the saved games with the picture and date of the
// selected one, and loads the chosen game.
#pragma once

#include <QDialog>

#include <functional>
#include <string>

class QLabel;

namespace quillora {

class SavedGamesList;

class LoadGameDialog : public QDialog {
    Q_OBJECT

public:
    // `load` loads a saved game by name and says whether it did (it shows its own failure box;
    // the window then stays open).
    LoadGameDialog(std::function<bool(const std::string&)> load, QWidget* parent);

    // Selects a saved game as a click on its entry does; false when there is none of that name.
    bool Select(const std::string& name);
    // The load button (Command2).
    void Load();
    // The cancel button was used (the classic LoadCancelled).
    bool Cancelled() const { return m_cancelled; }
    SavedGamesList& List() { return *m_list; }

private:
    void ShowDetails();

    std::function<bool(const std::string&)> m_load;
    SavedGamesList* m_list;
    QLabel* m_picture;
    QLabel* m_date;
    bool m_cancelled = false;
};

} // namespace quillora
