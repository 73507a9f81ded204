// Filtering the addresses a game asks the desktop to open.
#include "project/LinkTargets.h"

#include <QRegularExpression>

namespace quillora {

std::optional<QUrl> WebLinkTarget(const std::string& address) {
    const QString text = QString::fromStdString(address).trimmed();
    if (text.isEmpty()) return std::nullopt;
    // Only a bare host name gets a scheme; "file:..." or "evil:..." keeps its own and is refused.
    const bool hasScheme = QRegularExpression("^[A-Za-z][A-Za-z0-9+.-]*:").match(text).hasMatch();
    const bool hostWithPort =
        QRegularExpression("^[A-Za-z0-9.-]+:[0-9]+(/|$)").match(text).hasMatch();
    const QUrl url(hasScheme && !hostWithPort ? text : "http://" + text, QUrl::TolerantMode);
    if (!url.isValid() || url.host().isEmpty() || !url.userInfo().isEmpty()) return std::nullopt;
    const QString scheme = url.scheme().toLower();
    if (scheme != "http" && scheme != "https") return std::nullopt;
    return url;
}

std::optional<QUrl> MailLinkTarget(const std::string& address) {
    const QString text = QString::fromStdString(address).trimmed();
    static const QRegularExpression plain("^[A-Za-z0-9._+-]+@[A-Za-z0-9-]+(\\.[A-Za-z0-9-]+)+$");
    if (!plain.match(text).hasMatch()) return std::nullopt;
    return QUrl("mailto:" + text, QUrl::StrictMode);
}

std::string LinkTargetText(const QUrl& target) {
    return target.toString(QUrl::FullyEncoded).toStdString();
}

} // namespace quillora
