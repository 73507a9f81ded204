// Which web and mail addresses from a game may be handed to the desktop's opener.
#pragma once

#include <QUrl>

#include <optional>
#include <string>

namespace quillora {

// The web address a game gives (with or without "http://"), as the exact http or https address
// to open; nothing for any other kind (file:, javascript:, a program's scheme, ...) or for an
// address without a host.
std::optional<QUrl> WebLinkTarget(const std::string& address);

// The "mailto:" address for a plain mail address (name@domain, nothing more); nothing for an
// address with a query (?attach=..., ?body=...), several addresses, or any unusual character.
std::optional<QUrl> MailLinkTarget(const std::string& address);

// The text a question shows for a target: exactly what will be opened.
std::string LinkTargetText(const QUrl& target);

} // namespace quillora
