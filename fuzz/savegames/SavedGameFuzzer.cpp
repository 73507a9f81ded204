// Feeds arbitrary bytes to the saved-game reader; what it accepts must write back and read again
// to the same record.
#include "core/ClassicError.h"
#include "core/ValueListReader.h"
#include "core/ValueListWriter.h"
#include "game/GameSession.h"
#include "project/ProjectInfo.h"
#include "savegames/SavedGameFile.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

using namespace quillora;

std::string BytesOf(const SavedGameRecord& record) {
    GameSession session;
    GameState& state = session.State;
    state.Vars.Variables = record.Variables;
    state.Vars.Disappear = record.Hidden;
    state.InventoryItems = record.Items;
    if (record.History) state.FramesHistory = *record.History;
    if (record.Variants) state.Vars.VariablesVariant = *record.Variants;
    return SavedGameBytes(session, record.ResumeFrame, ProjectInfo(), "01/02/2026");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ValueListReader in(std::string(reinterpret_cast<const char*>(data), size));
    SavedGameRecord record;
    try {
        record = ReadSavedGame(in);
    } catch (const ClassicError&) {
        return 0;
    }
    // What was accepted, written once, must read back and write again to the same bytes.
    const std::string bytes = BytesOf(record);
    ValueListReader again(bytes);
    if (BytesOf(ReadSavedGame(again)) != bytes) std::abort();
    return 0;
}
