// Reading and unscrambling the procedure library.
#include "scripting/ProcedureLibrary.h"

#include "core/ClassicError.h"
#include "core/Cp1252.h"
#include "core/IniFile.h"
#include "core/PathLookup.h"
#include "core/Prompts.h"
#include "core/ValueListReader.h"
#include "project/ProjectInfo.h"
#include "project/ProjectPaths.h"

#include <array>
#include <fstream>
#include <limits>
#include <sstream>

namespace quillora {
namespace {

constexpr std::string_view kScrambleKey = "wqzumplarvyhsbtcginxk";

int32_t Checked(int64_t value) {
    if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
        throw ClassicError(ErrorCode::Overflow);
    return static_cast<int32_t>(value);
}

// Splits text into lines at CR LF, a lone CR or a lone LF (files edited on other systems); a
// break at the very end starts no further line.
std::vector<std::string> Lines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::string line;
    bool open = false;
    for (size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
            lines.push_back(std::move(line));
            line.clear();
            open = false;
        } else {
            line += c;
            open = true;
        }
    }
    if (open) lines.push_back(std::move(line));
    return lines;
}

} // namespace

int32_t SumOfCharCodes(const std::string& text) {
    int64_t sum = 0;
    for (const unsigned char c : Utf8ToCp1252(text))
        sum = Checked(sum + c);
    return static_cast<int32_t>(sum);
}

std::string DecryptLine(const std::string& text, int32_t key) {
    if (text.empty()) return "";
    const int64_t n = static_cast<int64_t>(text.size());
    const int32_t shift = static_cast<unsigned char>(text[0]) - 32;
    std::string result;
    result.reserve(text.size() - 1);
    for (int64_t i = 0; i <= n - 2; ++i) {
        const unsigned char x = static_cast<unsigned char>(text[static_cast<size_t>(n - 1 - i)]);
        if (x < 32 || x > 126) {
            result += static_cast<char>(x);
            continue;
        }
        const int32_t table = kScrambleKey[static_cast<size_t>(i % 21)] - 32;
        const int32_t m = Checked(key + int64_t{Checked(Checked(i + shift) * int64_t{table})});
        int32_t r = Checked(int64_t{x} - 32 - m) % 94;
        if (r < 0) r += 94;
        result += static_cast<char>(r + 32);
    }
    return result;
}

std::string LoadProjectProcedures() {
    const std::string path = Paths().Config + "Procedures";
    const auto file = PathLookup::Instance().Find(path);
    if (!file) return "";
    const std::string encryption = ReadINI(Paths().Config + "More", "General", "ProcEncr");
    double flag = 0;
    const bool scrambled = ParseClassicNumber(encryption, flag) && flag == 1;
    const int32_t key = scrambled ? SumOfCharCodes(Project().ProjectName) : 0;
    try {
        std::ifstream in(*file, std::ios::binary);
        std::ostringstream bytes;
        if (!in || !(bytes << in.rdbuf())) throw ClassicError(ErrorCode::InputPastEndOfFile);
        const std::vector<std::string> lines = Lines(bytes.str());
        // Three header lines, then at least one line of library: reading it at the end of the
        // file is the classic "Input past end of file".
        if (lines.size() <= 3) throw ClassicError(ErrorCode::InputPastEndOfFile);
        std::string library;
        for (size_t i = 3; i < lines.size(); ++i) {
            library += scrambled ? DecryptLine(lines[i], key) : lines[i];
            if (i + 1 < lines.size()) library += "\r\n";
        }
        return Cp1252ToUtf8(library);
    } catch (const ClassicError&) {
        Prompts().MessageBox("Error loading projet procedures.", BoxStyle::Critical, "Error");
        return "";
    }
}

} // namespace quillora
