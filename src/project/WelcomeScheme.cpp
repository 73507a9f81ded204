// Reading "Scheme.txt".
#include "project/WelcomeScheme.h"

#include "core/ClassicError.h"
#include "core/Cp1252.h"
#include "core/PathLookup.h"
#include "core/ValueListReader.h"
#include "project/ProjectPaths.h"

namespace quillora {
namespace {

constexpr int kPictureEntries = 4;
constexpr const char* kDefaultEntry = "[default]";

// Runs one read whose failure is skipped, as the statements before the format level are.
template <typename Read> void Forgiving(Read read) {
    try {
        read();
    } catch (const ClassicError&) {
    }
}

uint32_t ReadColour(ValueListReader& in) {
    return static_cast<uint32_t>(in.ReadInt32());
}

} // namespace

bool SchemeEntryNamesFile(const std::string& entry) {
    const std::string folded = FoldCase(entry);
    return folded != "[none]" && folded != kDefaultEntry;
}

WelcomeScheme ReadWelcomeScheme(ValueListReader& in) {
    WelcomeScheme scheme;
    scheme.Found = true;
    for (int i = 0; i < 3; ++i)
        Forgiving([&] { in.Skip(); });
    int count = 0;
    Forgiving([&] { count = in.ReadInt16(); });
    if (count <= 0) return scheme; // none or damaged: nothing more is applied
    for (int i = 0; i < count; ++i) {
        std::string entry = kDefaultEntry;
        // Past the end every read fails: the remaining entries are all "[default]".
        if (in.AtEnd()) {
            if (i >= kPictureEntries) break;
        } else {
            Forgiving([&] { entry = in.ReadString(); });
        }
        if (i < kPictureEntries) scheme.Pictures.push_back(entry);
    }
    try {
        const int level = in.ReadInt16();
        if (level == 0) return scheme;
        scheme.BackColor = ReadColour(in);
        scheme.TitleColor = ReadColour(in);
        scheme.TextColor = ReadColour(in);
        if (level >= 4) scheme.ButtonTextColor = ReadColour(in);
        scheme.TileBackground = true;
        if (in.AtEnd()) return scheme;
        for (int i = 0; i < 3; ++i)
            in.Skip();
        scheme.HideTitle = in.ReadInt32() != 0;
        if (in.AtEnd()) return scheme;
        in.Skip();
        scheme.LogoVariant = in.ReadInt16();
        scheme.LogoAlternate = in.ReadBool();
    } catch (const ClassicError&) {
        // Damaged: what was read before stays, the rest is not applied.
    }
    return scheme;
}

std::string SchemeFolder(const std::string& schemeName) {
    return Paths().Schemes + schemeName + "/";
}

WelcomeScheme LoadWelcomeScheme(const std::string& schemeName) {
    const std::string file = SchemeFolder(schemeName) + "Scheme.txt";
    if (!PathLookup::Instance().FileExists(file)) return WelcomeScheme();
    try {
        ValueListReader in = ValueListReader::Open(file);
        return ReadWelcomeScheme(in);
    } catch (const ClassicError&) {
        // Present but unreadable: nothing of it applies.
        WelcomeScheme scheme;
        scheme.Found = true;
        return scheme;
    }
}

} // namespace quillora
