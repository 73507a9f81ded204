// The CD prompt (the classic frmRunFromCD): asks for the CD that holds a file, with the drive to
// look in; a drive is a mounted CD or DVD volume or any folder the player picks.
#pragma once

#include <QDialog>

#include <functional>
#include <string>

class QComboBox;
class QLabel;
class QPushButton;

namespace quillora {

class RunFromCDDialog : public QDialog {
    Q_OBJECT

public:
    // The message asks for the CD; drive (a folder, may be empty) is filled in.
    RunFromCDDialog(const std::string& message, const std::string& drive, QWidget* parent);

    // OK (Command3): an existing, readable folder is stored as the CD drive and the window
    // closes; otherwise text 38 and the window stays.
    void Ok();
    // Cancel (Command4).
    void Cancel();
    bool Cancelled() const { return m_cancelled; }
    // Sets the drive field's text, as typing it does.
    void SetDrive(const std::string& text);
    // The folder the drive field names (its description dropped).
    std::string ChosenDrive() const;

    // Picks a folder for the drive field; a folder chooser unless replaced.
    std::function<std::string()> ChooseFolder;

    QLabel* lblMessage;
    QLabel* lblDrive;
    QComboBox* Combo1;
    QPushButton* Command3;
    QPushButton* Command4;
    QPushButton* cmdBrowse;

private:
    void Browse();

    bool m_cancelled = false;
};

// The drive list entry of a mounted CD volume: the folder and the description.
std::string CDDriveEntry(const std::string& folder);

} // namespace quillora
