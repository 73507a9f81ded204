// The QSettings INI text conventions, for the settings store that reads single groups itself.
#include "services/IniText.h"

#include <QStringList>

#include <utility>

namespace quillora {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

// Control characters written as a backslash and a letter.
constexpr std::pair<char, char> kLetterEscapes[] = {
    {'\a', 'a'}, {'\b', 'b'}, {'\f', 'f'}, {'\n', 'n'}, {'\r', 'r'}, {'\t', 't'}, {'\v', 'v'}};

char EscapeLetter(char16_t c) {
    for (const auto& [code, letter] : kLetterEscapes) {
        if (static_cast<char16_t>(code) == c) return letter;
    }
    return 0;
}

char EscapedCode(char letter) {
    for (const auto& [code, candidate] : kLetterEscapes) {
        if (candidate == letter) return code;
    }
    return 0;
}

bool IsHexDigit(char16_t c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

} // namespace

QByteArray IniKey(const QString& key) {
    QByteArray result;
    for (const QChar qc : key) {
        const char16_t c = qc.unicode();
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
            c == '_' || c == '-' || c == '.') {
            result += static_cast<char>(c);
        } else if (c <= 0xFF) {
            result += '%';
            result += kHexDigits[c / 16];
            result += kHexDigits[c % 16];
        } else {
            result += "%U";
            for (int shift = 12; shift >= 0; shift -= 4)
                result += kHexDigits[(c >> shift) & 0xF];
        }
    }
    return result;
}

QByteArray IniValue(const QString& value) {
    const QString text = value.startsWith('@') ? "@" + value : value;
    QByteArray result;
    bool needsQuotes = false;
    bool escapeNextIfDigit = false;
    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        if (c == ';' || c == ',' || c == '=') needsQuotes = true;
        if (escapeNextIfDigit && IsHexDigit(c)) {
            result += "\\x" + QByteArray::number(c, 16);
            continue;
        }
        escapeNextIfDigit = false;
        if (const char letter = EscapeLetter(c)) {
            result += '\\';
            result += letter;
        } else if (c == '\0') {
            result += "\\0";
            escapeNextIfDigit = true;
        } else if (c == '"' || c == '\\') {
            result += '\\';
            result += static_cast<char>(c);
        } else if (c <= 0x1F) {
            result += "\\x" + QByteArray::number(c, 16);
            escapeNextIfDigit = true;
        } else {
            result += QString(qc).toUtf8();
        }
    }
    if (needsQuotes || (!result.isEmpty() && (result.front() == ' ' || result.back() == ' ')))
        result = '"' + result + '"';
    return result;
}

QString ParseIniValue(QByteArrayView text) {
    QByteArray bytes;
    QStringList items;
    bool quoted = false;
    bool anyQuote = false;
    const auto endItem = [&] {
        items.push_back(QString::fromUtf8(anyQuote ? bytes : bytes.trimmed()));
        bytes.clear();
        anyQuote = false;
    };
    const auto appendCode = [&](int code) { bytes += QString(QChar(char16_t(code))).toUtf8(); };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') {
            quoted = !quoted;
            anyQuote = true;
        } else if (c == ',' && !quoted) {
            endItem();
        } else if (c == '\\' && i + 1 < text.size()) {
            const char e = text[++i];
            if (const char code = EscapedCode(e)) {
                bytes += code;
            } else if (e == 'x') {
                int code16 = 0;
                while (i + 1 < text.size() && HexValue(text[i + 1]) >= 0)
                    code16 = (code16 * 16 + HexValue(text[++i])) & 0xFFFF;
                appendCode(code16);
            } else if (e >= '0' && e <= '7') {
                int code8 = e - '0';
                while (i + 1 < text.size() && text[i + 1] >= '0' && text[i + 1] <= '7')
                    code8 = (code8 * 8 + (text[++i] - '0')) & 0xFFFF;
                appendCode(code8);
            } else {
                bytes += e; // \\, \", \' and \? stand for themselves
            }
        } else if (quoted || c != ' ' || !bytes.isEmpty()) {
            bytes += c;
        }
    }
    endItem();
    QString value = items.join(", ");
    if (value.startsWith("@@")) value.remove(0, 1);
    return value;
}

} // namespace quillora
