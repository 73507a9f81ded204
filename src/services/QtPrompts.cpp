// Qt message boxes with the classic buttons, icons and default button.
#include "services/QtPrompts.h"

#include "services/Wait.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace quillora {
namespace {

QMessageBox::StandardButton ToQt(BoxResult result) {
    switch (result) {
    case BoxResult::OK: return QMessageBox::Ok;
    case BoxResult::Cancel: return QMessageBox::Cancel;
    case BoxResult::Abort: return QMessageBox::Abort;
    case BoxResult::Retry: return QMessageBox::Retry;
    case BoxResult::Ignore: return QMessageBox::Ignore;
    case BoxResult::Yes: return QMessageBox::Yes;
    case BoxResult::No: return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon IconOf(int style) {
    switch (style & 0x70) {
    case BoxStyle::Critical: return QMessageBox::Critical;
    case BoxStyle::Question: return QMessageBox::Question;
    case BoxStyle::Exclamation: return QMessageBox::Warning;
    case BoxStyle::Information: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

QString FromText(const std::string& text) {
    QString result = QString::fromStdString(text);
    result.replace("\r\n", "\n").replace('\r', '\n');
    return result;
}

} // namespace

BoxResult QtPrompts::MessageBox(const std::string& text, int style, const std::string& title) {
    const WaitScope waiting;
    EchoBox(title, text);
    QMessageBox box(IconOf(style), FromText(title), FromText(text), QMessageBox::NoButton,
                    QApplication::activeWindow());
    const auto buttons = BoxButtons(style);
    for (const BoxResult button : buttons)
        box.addButton(ToQt(button));
    box.setDefaultButton(ToQt(DefaultBoxResult(style)));
    // Esc answers Cancel when there is one, otherwise the only button of an OK box.
    for (const BoxResult button : buttons) {
        if (button == BoxResult::Cancel || buttons.size() == 1) box.setEscapeButton(ToQt(button));
    }
    box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    const int chosen = box.exec();
    for (const BoxResult button : buttons) {
        if (ToQt(button) == chosen) return button;
    }
    return DefaultBoxResult(style);
}

std::optional<std::string> QtPrompts::InputBox(const std::string& prompt, const std::string& title,
                                               const std::string& defaultText) {
    const WaitScope waiting;
    EchoBox(title, prompt);
    bool accepted = false;
    const QString answer =
        QInputDialog::getText(QApplication::activeWindow(), FromText(title), FromText(prompt),
                              QLineEdit::Normal, QString::fromStdString(defaultText), &accepted);
    if (!accepted) return std::nullopt;
    return answer.toStdString();
}

} // namespace quillora
