// The welcome window's scheme file: button and background pictures, colours, title and logo.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quillora {

class ValueListReader;

// What a "Scheme.txt" gives, in file order. A damaged file gives what was read before the damage
// (later members stay empty); the welcome window applies exactly that.
struct WelcomeScheme {
    // The scheme folder holds "Scheme.txt".
    bool Found = false;
    // Picture entries 0 to 3 (Start, Load, Exit, background), as written: a file name relative to
    // the scheme folder, "[none]" or "[default]". Empty when the picture count was 0 or damaged;
    // entries past 3 are read and dropped.
    std::vector<std::string> Pictures;
    // Colours in the Windows layout (red in the lowest byte).
    std::optional<uint32_t> BackColor;
    std::optional<uint32_t> TitleColor;
    std::optional<uint32_t> TextColor;
    // Present only when the format level is 4 or more.
    std::optional<uint32_t> ButtonTextColor;
    // Every colour was read: the background picture is tiled over the window.
    bool TileBackground = false;
    std::optional<bool> HideTitle;
    std::optional<int16_t> LogoVariant;
    std::optional<bool> LogoAlternate;
};

// Reads a scheme file value by value. Nothing is thrown: the first four values and the picture
// entries forgive a failed read (an entry that cannot be read counts as "[default]"); from the
// format level on, the first failure ends the reading.
WelcomeScheme ReadWelcomeScheme(ValueListReader& in);

// The scheme of the folder Paths().Schemes + name + "/" (Found false without its "Scheme.txt").
WelcomeScheme LoadWelcomeScheme(const std::string& schemeName);
// The scheme folder of a name, ending with "/".
std::string SchemeFolder(const std::string& schemeName);

// Whether a picture entry names a file (not "[none]" or "[default]", in any letter case).
bool SchemeEntryNamesFile(const std::string& entry);

} // namespace quillora
