// Feeds arbitrary bytes to the dialogue reader: it must fail with a classic error or return
// questions, never holding more than the bytes could describe.
#include "core/ClassicError.h"
#include "core/ValueListReader.h"
#include "scripting/DialogueWizard.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace quillora;
    ValueListReader in(std::string(reinterpret_cast<const char*>(data), size));
    std::vector<DialogueQuestion> questions;
    try {
        ReadDialogueFile(in, questions);
    } catch (const ClassicError&) {
    }
    // Every value read takes at least its delimiter, so the counts of the file cannot make the
    // reader hold more than the file's length.
    if (questions.empty()) std::abort();
    size_t values = 0;
    for (const DialogueQuestion& q : questions)
        values += 1 + q.ShowList.size() + q.HideList.size();
    if (values > size + 2) std::abort();
    if (in.ValuesRead() > static_cast<int>(size) + 1) std::abort();
    return 0;
}
