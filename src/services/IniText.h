// Keys, group names and string values as QSettings writes them in INI files, and back.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace quillora {

// A key or group name: letters, digits, "_", "-" and "." as they are, every other character as
// %XX (up to U+00FF) or %UXXXX.
QByteArray IniKey(const QString& key);

// A string value: C-style escapes for control characters, quotes and backslashes, UTF-8 for the
// rest, in double quotes when it holds ";", "," or "=" or starts or ends with a space, and with
// one more "@" in front when it starts with "@".
QByteArray IniValue(const QString& value);

// The string a value's text stands for: quotes removed, escapes undone, unquoted blanks around
// it dropped, the doubled "@" undone. A list (unquoted commas) gives its items joined by ", ".
QString ParseIniValue(QByteArrayView text);

} // namespace quillora
