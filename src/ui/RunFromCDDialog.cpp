// The CD prompt window.
#include "ui/RunFromCDDialog.h"

#include "core/Prompts.h"
#include "project/InterfaceTexts.h"
#include "project/MultiCDModule.h"
#include "project/ProjectInfo.h"
#include "ui/SavedGamesList.h"

#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstring>
#include <dirent.h>
#include <sys/stat.h>

namespace quillora {
namespace {

constexpr const char* kCDDescription = " (CD-Rom Drive)";

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// The root of the drive exists and can be listed (a folder that cannot be read is as good as
// a drive without a disc).
bool IsReadableFolder(const std::string& folder) {
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return false;
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return false;
    ::closedir(dir);
    return true;
}

} // namespace

std::string CDDriveEntry(const std::string& folder) {
    return folder + kCDDescription;
}

RunFromCDDialog::RunFromCDDialog(const std::string& message, const std::string& drive,
                                 QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(Q(Project().AdventureName));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    lblMessage = new QLabel(Q(message), this);
    lblMessage->setWordWrap(true);
    layout->addWidget(lblMessage);
    auto* driveRow = new QHBoxLayout();
    lblDrive = new QLabel(Q(Text(37)), this);
    Combo1 = new QComboBox(this);
    Combo1->setEditable(true);
    Combo1->setMinimumWidth(260);
    std::string last;
    for (const std::string& volume : MountedCDVolumes()) {
        Combo1->addItem(Q(CDDriveEntry(volume)));
        last = volume;
    }
    cmdBrowse = new QPushButton("...", this);
    driveRow->addWidget(lblDrive);
    driveRow->addWidget(Combo1, 1);
    driveRow->addWidget(cmdBrowse);
    layout->addLayout(driveRow);
    auto* buttons = new QHBoxLayout();
    Command3 = new QPushButton("OK", this);
    Command4 = new QPushButton(Q(Text(11)), this);
    Command3->setDefault(true);
    buttons->addStretch();
    buttons->addWidget(Command3);
    buttons->addWidget(Command4);
    layout->addLayout(buttons);
    connect(Command3, &QPushButton::clicked, this, &RunFromCDDialog::Ok);
    connect(Command4, &QPushButton::clicked, this, &RunFromCDDialog::Cancel);
    connect(cmdBrowse, &QPushButton::clicked, this, &RunFromCDDialog::Browse);
    ChooseFolder = [this] {
        return QFileDialog::getExistingDirectory(this, Q(Text(37)), Combo1->currentText())
            .toStdString();
    };
    // The drive asked for first: the one the lookup used, else the last CD volume found.
    SetDrive(drive.empty() ? last : drive);
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    adjustSize();
    CenterOnScreen(*this);
}

void RunFromCDDialog::SetDrive(const std::string& text) {
    Combo1->setEditText(Q(text));
}

std::string RunFromCDDialog::ChosenDrive() const {
    QString text = Combo1->currentText().trimmed();
    if (text.endsWith(kCDDescription)) text.chop(static_cast<int>(std::strlen(kCDDescription)));
    return text.toStdString();
}

void RunFromCDDialog::Ok() {
    const std::string folder = ChosenDrive();
    if (!folder.empty() && folder.front() == '/' && IsReadableFolder(folder)) {
        StoreCDDrive(folder);
        accept();
        return;
    }
    Prompts().MessageBox(Text(38), BoxStyle::Exclamation, Project().AdventureName);
}

void RunFromCDDialog::Cancel() {
    m_cancelled = true;
    reject();
}

void RunFromCDDialog::Browse() {
    const std::string folder = ChooseFolder ? ChooseFolder() : std::string();
    if (!folder.empty()) SetDrive(folder);
}

} // namespace quillora
