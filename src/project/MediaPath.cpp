// Stored media names and the media lookup.
#include "project/MediaPath.h"

#include "core/Cp1252.h"
#include "core/PathLookup.h"
#include "core/Prompts.h"
#include "project/InterfaceTexts.h"
#include "project/MultiCDModule.h"

#include <cstdio>
#include <cstdlib>

namespace quillora {
namespace {

struct StoredExtension {
    const char* extension;
    int k;
};

// Only the last four characters are compared, so ".mpeg", ".midi", ".au" and ".wm" never
// match and such files keep their names.
constexpr StoredExtension kStoredExtensions[] = {
    {".ico", 2},  {".cur", 3},   {".bmp", 4},  {".jpg", 5},  {".gif", 6},  {".wmf", 7},
    {".emf", 8},  {".wav", 10},  {".mid", 11}, {".mp3", 12}, {".avi", 14}, {".wma", 16},
    {".mpg", 20}, {".mpeg", 22}, {".mpe", 24}, {".m1v", 26}, {".wmv", 28}, {".midi", 30},
    {".ogg", 31}, {".au", 32},   {".snd", 34}, {".rmi", 36}, {".mpa", 38}, {".mp2", 40},
    {".wm", 42},  {".asf", 44},
};

} // namespace

std::string StoredMediaName(const std::string& path) {
    // Character positions and codes are those of the Windows-1252 text.
    const std::string bytes = Utf8ToCp1252(path);
    const std::string name(FileNamePart(bytes));
    // Names of four characters or fewer keep their names. A name of exactly five (a.bmp) is
    // numbered here; the lookup tries its own name first, so it is found stored either way.
    if (name.size() < 5) return path;
    std::string tail = bytes.substr(bytes.size() - 4);
    for (char& c : tail)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    int k = -1;
    for (const StoredExtension& e : kStoredExtensions) {
        if (tail == e.extension) k = e.k;
    }
    if (k < 0) return path;
    const int a1 = static_cast<unsigned char>(name[0]);
    const int a2 = static_cast<unsigned char>(name[1]);
    const int a3 = static_cast<unsigned char>(name[2]);
    const int v = a1 * (k % 3 + 1) - a2 + a3 * (k % 2 + 1);
    char number[16];
    std::snprintf(number, sizeof number, ".%03d", std::abs(v) + k);
    return Cp1252ToUtf8(bytes.substr(0, bytes.size() - 4) + number);
}

std::string ResolveMediaPath(const std::string& path, bool stopEverything) {
    PathLookup& lookup = PathLookup::Instance();
    if (lookup.FileExists(path)) return path;
    std::string result = path;
    bool cdPromptCancelled = false;
    if (path.size() >= 5) {
        const std::string stored = StoredMediaName(path);
        if (lookup.FileExists(stored)) return stored;
        result = FindOnCD(path, cdPromptCancelled);
        if (lookup.FileExists(result)) return result;
    }
    if (!stopEverything && !cdPromptCancelled) {
        Prompts().MessageBox(Text(33) + "\r\n" + result + "\r\n\r\n" + Text(34),
                             BoxStyle::Exclamation, Text(29));
    }
    return result;
}

} // namespace quillora
