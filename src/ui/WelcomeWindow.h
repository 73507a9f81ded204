// The welcome window: the game's title and credits, Start, Load and Exit, the resolution offer.
#pragma once

#include <QPixmap>
#include <QWidget>

#include <array>
#include <string>

class QCheckBox;
class QLabel;

namespace quillora {

class GameLauncher;

// The classic frmWelcome.
class WelcomeWindow : public QWidget {
    Q_OBJECT

public:
    // programFolder is the project folder; launcher starts games (not owned).
    WelcomeWindow(std::string programFolder, GameLauncher& launcher);

    // Runs the whole start-up. False when the program must end (the reason was shown).
    bool Load();

    // Performs button 0 (Start), 1 (Load) or 2 (Exit).
    void ClickButton(int index);
    // Called when the game window has unloaded: shows this window again, or ends the program
    // when the welcome window is skipped.
    void GameWindowUnloaded();
    // The resolution check box shows and is ticked: a game started or loaded from here plays at
    // the project's resolution.
    bool OffersProjectResolution() const;

    // Applies a welcome-window scheme; without one the buttons are plain text.
    void UseScheme(const std::string& schemeName);

    // Controls, named as authors' schemes and the start-up sequence know them.
    QLabel* txtAdventureName;
    QLabel* txtVersion;
    QLabel* txtAuthor;
    QLabel* txtEmail;
    QLabel* txtHomepage;
    QLabel* lblAuthor;
    QLabel* lblEmail;
    QLabel* lblHomepage;
    QLabel* lblResolution;
    QCheckBox* chkResolution;
    std::array<QLabel*, 3> lblButton;
    std::array<QLabel*, 4> Img;
    QLabel* imgLogo;

signals:
    // The program is to end (the welcome window was closed).
    void ProgramEnding();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CenterOnScreen();
    void LayOutRows();
    void SetResolutionCaption();
    void LayOutButtons();
    // Button index as text: its caption from the interface texts, sized to it, centred.
    void ShowTextButton(int index);
    // Tiles the scheme's background picture over the whole window.
    void TileBackground(const QPixmap& tile);
    void ShowLogo();
    void ResolutionLabelClicked();
    void EmailClicked();
    void HomepageClicked();
    // Tells the player that a game's address is not opened, and why.
    void RefuseLink(const std::string& address, const std::string& rule);
    void LogoClicked();
    void SetTopMost(bool topMost);

    std::string m_programFolder;
    GameLauncher& m_launcher;
    int m_logoVariant = 0;
    bool m_logoAlternate = false;
    bool m_closing = false;
    // The window's background with the scheme's picture tiled on it (none without one).
    QPixmap m_background;
};

// The product's web address, offered by the logo.
inline constexpr const char* kProductWebAddress = "https://quillora.github.io/";

// The resolution offer's caption: text 7 without a trailing "." and a trailing "640x480",
// "640*480", "640 x 480" or "640 * 480", followed by the project's own resolution.
std::string ResolutionCaption(const std::string& text7, int resolution);

} // namespace quillora
