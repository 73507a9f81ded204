// The welcome window's start-up sequence, layout, buttons and links.
#include "ui/WelcomeWindow.h"

#include "core/ClassicError.h"
#include "core/Prompts.h"
#include "core/Twips.h"
#include "project/ErrorMessages.h"
#include "project/InterfaceTexts.h"
#include "project/LinkTargets.h"
#include "project/ProjectInfo.h"
#include "project/ProjectInit.h"
#include "project/ProjectPaths.h"
#include "project/Resolutions.h"
#include "project/WelcomeScheme.h"
#include "scene/Pictures.h"
#include "scene/SceneElement.h"
#include "services/SettingsStore.h"
#include "ui/GameLauncher.h"
#include "ui/StockLogos.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QUrl>
#include <QWindow>

namespace quillora {
namespace {

constexpr int kWindowWidth = 4800;
constexpr int kRowStart = 3000;
constexpr int kRowStep = 255;
constexpr int kLoadButtonTop = 1560;
constexpr int kButtonTops[] = {1080, 1560, 2040};
constexpr int kCaptionLeft = 240;
constexpr int kValueLeft = 1560;

bool EndsWithNoCase(const std::string& text, const std::string& tail) {
    if (text.size() < tail.size()) return false;
    for (size_t i = 0; i < tail.size(); ++i) {
        const char a = text[text.size() - tail.size() + i];
        const char b = tail[i];
        if (std::tolower(static_cast<unsigned char>(a)) !=
            std::tolower(static_cast<unsigned char>(b))) {
            return false;
        }
    }
    return true;
}

QLabel* MakeLabel(QWidget* parent, int left, int top, int width, int height) {
    auto* label = new QLabel(parent);
    label->setGeometry(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
                       TwipsToPixels(height));
    return label;
}

void PlaceAt(QWidget* control, int topTwips) {
    control->move(control->x(), TwipsToPixels(topTwips));
}

// A scheme colour: the Windows layout, or a system colour (high bit set) from the palette.
QColor SchemeColour(uint32_t number, QPalette::ColorRole systemRole) {
    if ((number & 0x80000000u) == 0) return ColorFromNumber(number);
    return QApplication::palette().color(systemRole);
}

void SetTextColour(QLabel* label, uint32_t number) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, SchemeColour(number, QPalette::WindowText));
    label->setPalette(palette);
}

} // namespace

std::string ResolutionCaption(const std::string& text7, int resolution) {
    std::string caption = text7;
    if (caption.size() >= 2 && caption.back() == '.') caption.pop_back();
    if (caption.size() >= 8 &&
        (EndsWithNoCase(caption, "640x480") || EndsWithNoCase(caption, "640*480"))) {
        caption.resize(caption.size() - 7);
    }
    if (caption.size() >= 10 &&
        (EndsWithNoCase(caption, "640 x 480") || EndsWithNoCase(caption, "640 * 480"))) {
        caption.resize(caption.size() - 9);
    }
    while (!caption.empty() && caption.back() == ' ')
        caption.pop_back();
    static const char* const kSizes[] = {" 640x480.", " 800x600.", " 1024x768."};
    if (resolution >= 0 && resolution <= 2) caption += kSizes[resolution];
    return caption;
}

WelcomeWindow::WelcomeWindow(std::string programFolder, GameLauncher& launcher)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_programFolder(std::move(programFolder)), m_launcher(launcher) {
    setObjectName("WelcomeWindow");
    setAutoFillBackground(true);
    resize(TwipsToPixels(kWindowWidth), TwipsToPixels(4200));

    Img[3] = MakeLabel(this, 0, 0, kWindowWidth, 4200);
    Img[3]->hide();
    txtAdventureName = MakeLabel(this, 120, 240, 4560, 720);
    txtAdventureName->setAlignment(Qt::AlignCenter);
    txtAdventureName->setWordWrap(true);
    txtAdventureName->setFont(QFont("Arial", 14, QFont::Bold));
    for (int i = 0; i < 3; ++i) {
        Img[i] = MakeLabel(this, 1200, kButtonTops[i], 2400, 420);
        Img[i]->hide();
        Img[i]->setCursor(Qt::PointingHandCursor);
        lblButton[i] = MakeLabel(this, 1200, kButtonTops[i], 2400, 330);
        lblButton[i]->setFont(QFont("Arial", 11, QFont::Bold));
        lblButton[i]->setCursor(Qt::PointingHandCursor);
    }
    txtVersion = MakeLabel(this, kCaptionLeft, kRowStart, 4320, 240);
    lblAuthor = MakeLabel(this, kCaptionLeft, kRowStart, 1320, 240);
    txtAuthor = MakeLabel(this, kValueLeft, kRowStart, 3120, 240);
    lblEmail = MakeLabel(this, kCaptionLeft, kRowStart, 1320, 240);
    txtEmail = MakeLabel(this, kValueLeft, kRowStart, 3120, 240);
    lblHomepage = MakeLabel(this, kCaptionLeft, kRowStart, 1320, 240);
    txtHomepage = MakeLabel(this, kValueLeft, kRowStart, 3120, 240);
    for (QLabel* link : {txtEmail, txtHomepage}) {
        link->setCursor(Qt::PointingHandCursor);
        QFont font = link->font();
        font.setUnderline(true);
        link->setFont(font);
    }
    for (QLabel* row : {lblAuthor, txtAuthor, lblEmail, txtEmail, lblHomepage, txtHomepage}) {
        row->hide();
    }
    lblResolution = MakeLabel(this, 480, kRowStart, 4200, 240);
    lblResolution->setCursor(Qt::PointingHandCursor);
    chkResolution = new QCheckBox(this);
    chkResolution->setGeometry(TwipsToPixels(kCaptionLeft), TwipsToPixels(kRowStart + 45), 14, 14);
    chkResolution->setChecked(true);
    imgLogo = MakeLabel(this, 4560, 60, 240, 240);
    imgLogo->setPixmap(StockLogo(0));
    imgLogo->setCursor(Qt::PointingHandCursor);

    for (QWidget* w : findChildren<QWidget*>())
        w->installEventFilter(this);
}

void WelcomeWindow::CenterOnScreen() {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const QRect area = screen->geometry();
    move(area.x() + area.width() / 2 - width() / 2, area.y() + area.height() / 2 - height() / 2);
}

bool WelcomeWindow::Load() {
    CenterOnScreen();
    resize(TwipsToPixels(kWindowWidth), height());
    const ProjectInitResult init = ProjectInit(m_programFolder);
    if (init.EndProgram) return false;

    const ProjectInfo& info = Project();
    Settings().SaveSetting("Software", info.ProjectName, "Path", Paths().Root);
    setWindowTitle(QString::fromStdString(info.AdventureName));
    if (info.SkipWelcome) {
        hide();
        if (!init.LoadFailure.empty())
            ShowCommonError(" Error loading project information.", init.LoadFailureDetail);
        ClickButton(0);
        return true;
    }
    if (!info.ProjectName.empty()) {
        chkResolution->setChecked(
            Settings().GetSetting("Software", info.ProjectName, "ChangeResolution", "1") != "0");
    }
    LayOutRows();
    UseScheme(info.SchemeName);
    lblAuthor->setText(QString::fromStdString(Text(4)));
    lblEmail->setText(QString::fromStdString(Text(5)));
    lblHomepage->setText(QString::fromStdString(Text(6)));
    SetResolutionCaption();
    LayOutButtons();
    ShowLogo();
    if (!init.LoadFailure.empty())
        ShowCommonError(" Error loading project information.", init.LoadFailureDetail);
    return true;
}

void WelcomeWindow::LayOutRows() {
    const ProjectInfo& info = Project();
    txtAdventureName->setText(QString::fromStdString(info.AdventureName));
    int rowTop = kRowStart;
    if (info.Version.empty()) {
        txtVersion->setText("");
        txtVersion->hide();
    } else {
        txtVersion->setText(QString::fromStdString(info.Version));
        PlaceAt(txtVersion, rowTop);
        txtVersion->show();
        rowTop += kRowStep;
    }
    const struct {
        const std::string& value;
        QLabel* valueLabel;
        QLabel* captionLabel;
    } rows[] = {{info.Author, txtAuthor, lblAuthor},
                {info.Email, txtEmail, lblEmail},
                {info.Homepage, txtHomepage, lblHomepage}};
    for (const auto& row : rows) {
        if (row.value.empty()) continue;
        row.valueLabel->setText(QString::fromStdString(row.value));
        PlaceAt(row.valueLabel, rowTop);
        PlaceAt(row.captionLabel, rowTop);
        row.valueLabel->show();
        row.captionLabel->show();
        rowTop += kRowStep;
    }
    if (info.ResolutionOption == 1 && !IsAtProjectResolution()) {
        PlaceAt(lblResolution, rowTop);
        PlaceAt(chkResolution, rowTop + 45);
        lblResolution->show();
        chkResolution->show();
        rowTop += kRowStep;
    } else {
        lblResolution->hide();
        chkResolution->hide();
    }
    const int frameExtra = frameGeometry().height() - geometry().height();
    resize(width(), TwipsToPixels(rowTop + 150) + frameExtra);
    Img[3]->resize(size());
    CenterOnScreen();
}

void WelcomeWindow::SetResolutionCaption() {
    lblResolution->setText(
        QString::fromStdString(ResolutionCaption(Text(7), Project().Resolution)));
}

void WelcomeWindow::LayOutButtons() {
    if (Project().DisableLoad) {
        lblButton[1]->hide();
        Img[1]->hide();
        PlaceAt(lblButton[2], kLoadButtonTop);
    }
    if (lblButton[1]->text().isEmpty()) {
        lblButton[1]->hide();
        PlaceAt(lblButton[2], kLoadButtonTop);
    }
}

void WelcomeWindow::ShowLogo() {
    if (Project().HideLogo) {
        imgLogo->hide();
        return;
    }
    const int index = m_logoVariant + (m_logoAlternate ? 2 : 0);
    if ((m_logoVariant == 0 || m_logoVariant == 1)) imgLogo->setPixmap(StockLogo(index));
    imgLogo->move(TwipsToPixels(m_logoAlternate ? 4440 : 4560), imgLogo->y());
    imgLogo->show();
    imgLogo->raise();
}

void WelcomeWindow::UseScheme(const std::string& schemeName) {
    // The text buttons stand first: a damaged scheme leaves them where it gives no picture.
    for (int i = 0; i < 3; ++i)
        ShowTextButton(i);
    const WelcomeScheme scheme = LoadWelcomeScheme(schemeName);
    if (!scheme.Found || scheme.Pictures.empty()) return;
    const std::string folder = SchemeFolder(schemeName);
    for (size_t i = 0; i < scheme.Pictures.size(); ++i) {
        QLabel* holder = Img[i];
        holder->clear();
        holder->hide();
        if (!SchemeEntryNamesFile(scheme.Pictures[i])) continue;
        try {
            const QImage picture = LoadPicture(folder + scheme.Pictures[i]);
            holder->setPixmap(QPixmap::fromImage(picture));
            holder->resize(picture.size());
            if (i < 3) holder->show();
        } catch (const ClassicError&) {
            // Skipped without a message: the button stays a text button.
        }
    }
    for (int i = 0; i < 3; ++i) {
        if (Img[i]->isHidden()) continue;
        Img[i]->move((width() - Img[i]->width()) / 2, Img[i]->y());
        lblButton[i]->hide();
    }
    const bool hasBackground = !Img[3]->pixmap().isNull();
    if (scheme.BackColor && !hasBackground) {
        QPalette palette = this->palette();
        palette.setColor(QPalette::Window, SchemeColour(*scheme.BackColor, QPalette::Window));
        setPalette(palette);
    }
    if (scheme.TitleColor) SetTextColour(txtAdventureName, *scheme.TitleColor);
    if (scheme.TextColor) {
        for (QLabel* label : {lblResolution, txtVersion, lblAuthor, lblEmail, lblHomepage,
                              txtAuthor, txtEmail, txtHomepage}) {
            SetTextColour(label, *scheme.TextColor);
        }
    }
    if (scheme.ButtonTextColor) {
        for (QLabel* label : lblButton)
            SetTextColour(label, *scheme.ButtonTextColor);
    }
    if (scheme.TileBackground && hasBackground) TileBackground(Img[3]->pixmap());
    if (scheme.HideTitle) txtAdventureName->setVisible(!*scheme.HideTitle);
    if (scheme.LogoVariant) m_logoVariant = *scheme.LogoVariant;
    if (scheme.LogoAlternate) m_logoAlternate = *scheme.LogoAlternate;
}

void WelcomeWindow::ShowTextButton(int index) {
    Img[index]->hide();
    QLabel* button = lblButton[index];
    button->setText(QString::fromStdString(Text(index + 1)));
    button->adjustSize();
    button->move((width() - button->width()) / 2, button->y());
    button->show();
}

void WelcomeWindow::TileBackground(const QPixmap& tile) {
    // Drawn once onto the window's own background, which keeps it from then on.
    m_background = QPixmap(size());
    m_background.fill(palette().color(QPalette::Window));
    QPainter painter(&m_background);
    for (int x = 0; x <= width(); x += tile.width()) {
        for (int y = 0; y <= height(); y += tile.height())
            painter.drawPixmap(x, y, tile);
    }
    update();
}

void WelcomeWindow::paintEvent(QPaintEvent* event) {
    if (m_background.isNull()) {
        QWidget::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_background);
}

void WelcomeWindow::ClickButton(int index) {
    try {
        switch (index) {
        case 0: {
            const ProjectInfo& info = Project();
            if (!info.SkipWelcome && info.ResolutionOption == 1 && OffersProjectResolution()) {
                hide();
                ChangeDisplayResolution(info.Resolution + 1);
            }
            m_launcher.LoadGameWindow();
            m_launcher.ResetAll();
            hide();
            m_launcher.StartNewGame();
            m_launcher.ShowGameWindow();
            break;
        }
        case 1:
            SetTopMost(false);
            m_launcher.ShowLoadGameWindow();
            break;
        case 2: close(); break;
        default: break;
        }
    } catch (const std::exception&) {
        ShowCommonError(" Error loading the main program window. Try restarting the program.");
    }
}

bool WelcomeWindow::OffersProjectResolution() const {
    return !chkResolution->isHidden() && chkResolution->isChecked();
}

void WelcomeWindow::GameWindowUnloaded() {
    if (Project().SkipWelcome) {
        close();
        return;
    }
    SetTopMost(true);
    show();
}

void WelcomeWindow::SetTopMost(bool topMost) {
    if (windowHandle() == nullptr) {
        setWindowFlag(Qt::WindowStaysOnTopHint, topMost);
        return;
    }
    windowHandle()->setFlag(Qt::WindowStaysOnTopHint, topMost);
}

void WelcomeWindow::ResolutionLabelClicked() {
    chkResolution->setChecked(!chkResolution->isChecked());
    Settings().SaveSetting("Software", Project().ProjectName, "ChangeResolution",
                           chkResolution->isChecked() ? "1" : "0");
}

void WelcomeWindow::EmailClicked() {
    SetTopMost(false);
    const std::string address = txtEmail->text().toStdString();
    const std::optional<QUrl> target = MailLinkTarget(address);
    if (!target) {
        RefuseLink(address, "Only plain e-mail addresses (name@example.com) are opened.");
    } else if (Prompts().MessageBox(Text(13) + " " + LinkTargetText(*target) + " ?",
                                    BoxStyle::YesNo + BoxStyle::Question,
                                    Project().AdventureName) == BoxResult::Yes) {
        QDesktopServices::openUrl(*target);
        return;
    }
    SetTopMost(true);
}

void WelcomeWindow::HomepageClicked() {
    SetTopMost(false);
    const std::string address = txtHomepage->text().toStdString();
    const std::optional<QUrl> target = WebLinkTarget(address);
    if (!target) {
        RefuseLink(address, "Only web addresses (http:// and https://) are opened.");
    } else if (Prompts().MessageBox(Text(14) + " " + LinkTargetText(*target) + " ? " + Text(15),
                                    BoxStyle::YesNo + BoxStyle::Question,
                                    Project().AdventureName) == BoxResult::Yes) {
        QDesktopServices::openUrl(*target);
        return;
    }
    SetTopMost(true);
}

void WelcomeWindow::RefuseLink(const std::string& address, const std::string& rule) {
    // A game is not trusted with the desktop's opener: a file or program address is not opened.
    Prompts().MessageBox("This address cannot be opened:\r\n" + address + "\r\n\r\n" + rule,
                         BoxStyle::Exclamation, Project().AdventureName);
}

void WelcomeWindow::LogoClicked() {
    SetTopMost(false);
    const std::string text = std::string("For details and downloads, visit: ") +
                             kProductWebAddress +
                             "\r\n\r\nDo you want to visit it now? (You must be connected to the "
                             "Internet)";
    if (Prompts().MessageBox(text, BoxStyle::YesNo + BoxStyle::Information, "Quillora") ==
        BoxResult::Yes) {
        QDesktopServices::openUrl(QUrl(kProductWebAddress));
    } else {
        SetTopMost(true);
    }
}

bool WelcomeWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        const auto* press = static_cast<QMouseEvent*>(event);
        if (press->button() != Qt::LeftButton) return false;
        // The title and credit labels drag the whole window, as a title bar would.
        for (QLabel* handle :
             {txtAdventureName, txtVersion, txtAuthor, lblAuthor, lblEmail, lblHomepage}) {
            if (watched == handle && windowHandle() != nullptr) {
                windowHandle()->startSystemMove();
                return true;
            }
        }
    }
    if (event->type() != QEvent::MouseButtonRelease) return false;
    if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) return false;
    for (int i = 0; i < 3; ++i) {
        if (watched == lblButton[i] || watched == Img[i]) {
            ClickButton(i);
            return true;
        }
    }
    if (watched == lblResolution)
        ResolutionLabelClicked();
    else if (watched == txtEmail)
        EmailClicked();
    else if (watched == txtHomepage)
        HomepageClicked();
    else if (watched == imgLogo)
        LogoClicked();
    else
        return false;
    return true;
}

void WelcomeWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void WelcomeWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    if (!m_closing) {
        m_closing = true;
        emit ProgramEnding();
    }
}

} // namespace quillora
