// Feeds arbitrary bytes to the welcome scheme reader: it never throws, and keeps at most the
// four picture entries however large the count it reads.
#include "core/ValueListReader.h"
#include "project/WelcomeScheme.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace quillora;
    ValueListReader in(std::string(reinterpret_cast<const char*>(data), size));
    const WelcomeScheme scheme = ReadWelcomeScheme(in);
    if (scheme.Pictures.size() > 4) std::abort();
    // Colours come in file order: a later one is never read without the earlier ones.
    if (scheme.TitleColor && !scheme.BackColor) std::abort();
    if (scheme.TileBackground && !scheme.TextColor) std::abort();
    return 0;
}
