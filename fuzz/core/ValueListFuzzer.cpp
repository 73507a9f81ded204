// Feeds arbitrary bytes to the value-list reader under a read plan taken from the input itself.
#include "core/ClassicError.h"
#include "core/ValueListReader.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    // The first byte chooses the order of typed reads; the rest is the file.
    const uint8_t plan = data[0];
    quillora::ValueListReader in(std::string(reinterpret_cast<const char*>(data + 1), size - 1));
    try {
        for (int step = 0; step < 4096 && !in.AtEnd(); ++step) {
            switch ((plan + step) % 8) {
            case 0: in.ReadString(); break;
            case 1: in.ReadInt16(); break;
            case 2: in.ReadInt32(); break;
            case 3: in.ReadDouble(); break;
            case 4: in.ReadBool(); break;
            case 5: in.ReadVariant(); break;
            case 6:
                in.IsEndOfSection();
                in.Skip();
                break;
            default: in.SkipToNextSection(); break;
            }
        }
    } catch (const quillora::ClassicError&) {
    }
    return 0;
}
