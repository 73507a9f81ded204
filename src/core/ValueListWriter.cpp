// The value-list writer: classic Write # output, one statement per line.
#include "core/ValueListWriter.h"

#include "core/ClassicError.h"
#include "core/Cp1252.h"
#include "core/PathLookup.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <fstream>

namespace quillora {

std::string FormatClassicNumber(double value) {
    if (value == std::trunc(value) && std::fabs(value) < 1e15) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.0f", value);
        return std::string(buffer) == "-0" ? "0" : buffer;
    }
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15G", value);
    std::string text = buffer;
    // %G pads the mantissa with zeros before an exponent and after a fraction; drop them.
    const size_t exp = text.find('E');
    std::string mantissa = text.substr(0, exp);
    const std::string exponent = exp == std::string::npos ? "" : text.substr(exp);
    if (mantissa.find('.') != std::string::npos) {
        while (mantissa.back() == '0')
            mantissa.pop_back();
        if (mantissa.back() == '.') mantissa.pop_back();
    }
    return mantissa + exponent;
}

void ValueListWriter::WriteLine(const std::vector<ListValue>& values) {
    bool first = true;
    for (const ListValue& value : values) {
        if (!first) m_bytes += ',';
        first = false;
        std::visit(
            [this](const auto& v) {
                using T = std::decay_t<decltype(v)>;
                if constexpr (std::is_same_v<T, std::monostate>) {
                } else if constexpr (std::is_same_v<T, ListNull>) {
                    m_bytes += "#NULL#";
                } else if constexpr (std::is_same_v<T, bool>) {
                    m_bytes += v ? "#TRUE#" : "#FALSE#";
                } else if constexpr (std::is_same_v<T, int32_t>) {
                    m_bytes += std::to_string(v);
                } else if constexpr (std::is_same_v<T, double>) {
                    m_bytes += FormatClassicNumber(v);
                } else if constexpr (std::is_same_v<T, std::string>) {
                    m_bytes += '"' + Utf8ToCp1252(v) + '"';
                } else {
                    m_bytes += '#' + FormatListDate(v) + '#';
                }
            },
            value);
    }
    m_bytes += "\r\n";
}

void ValueListWriter::SaveTo(const std::string& path) const {
    const std::string real = PathLookup::Instance().PathForWriting(path);
    std::ofstream out(real, std::ios::binary | std::ios::trunc);
    if (!out) {
        throw ClassicError(errno == ENOENT ? ErrorCode::PathNotFound : ErrorCode::PermissionDenied);
    }
    PathLookup::Instance().Forget(FolderPart(real));
    out.write(m_bytes.data(), static_cast<std::streamsize>(m_bytes.size()));
    out.close();
    if (!out) throw ClassicError(ErrorCode::PermissionDenied);
}

} // namespace quillora
