// Writing and reading the saved-game record sequence, and the resume table.
#include "savegames/SavedGameFile.h"

#include "core/ClassicError.h"
#include "core/Cp1252.h"
#include "core/PathLookup.h"
#include "core/ValueListReader.h"
#include "core/ValueListWriter.h"
#include "game/GameSession.h"
#include "project/ProjectInfo.h"
#include "project/ProjectPaths.h"

#include <algorithm>

namespace quillora {
namespace {

std::string Writable(std::string text) {
    std::replace(text.begin(), text.end(), '"', '\'');
    return text;
}

template <class Collection> Collection WritableNames(const Collection& variables) {
    Collection copy;
    for (const auto& variable : variables) {
        auto value = variable->Value;
        if constexpr (std::is_same_v<Collection, VariantCollection>) {
            if (auto* text = std::get_if<std::string>(&value)) *text = Writable(*text);
        }
        copy.Add(Writable(variable->Name), value);
    }
    return copy;
}

std::vector<std::string> WritableList(const std::vector<std::string>& names) {
    std::vector<std::string> copy;
    for (const std::string& name : names)
        copy.push_back(Writable(name));
    return copy;
}

} // namespace

std::string SavedGameBytes(const GameSession& session, const std::string& resumeFrame,
                           const ProjectInfo& project, const std::string& date) {
    const GameState& state = session.State;
    ValueListWriter out;
    out.WriteValue(Writable(resumeFrame));
    WriteVariables(WritableNames(state.Vars.Variables), out);
    WriteVariables(WritableNames(state.Vars.Disappear), out);
    WriteNames(WritableList(state.InventoryItems), out);
    WriteNames(WritableList(state.FramesHistory), out);
    for (int i = 0; i < 3; ++i)
        out.WriteValue(std::string());
    out.WriteValue(Writable(project.ProjectName));
    out.WriteValue(Writable(project.AdventureName));
    out.WriteValue(Writable(date));
    out.WriteValue(std::string(kSavedGameVersion));
    WriteVariantVariables(WritableNames(state.Vars.VariablesVariant), out);
    return out.Bytes();
}

SavedGameRecord ReadSavedGame(ValueListReader& in) {
    SavedGameRecord record;
    record.ResumeFrame = in.ReadString();
    record.Variables = ReadVariables(in);
    record.Hidden = ReadVariables(in);
    record.Items = ReadNames(in);
    if (in.AtEnd()) return record;
    record.History = ReadNames(in);
    if (in.AtEnd()) return record;
    for (int i = 0; i < 7; ++i)
        in.Skip();
    if (in.AtEnd()) return record;
    record.Variants = ReadVariantVariables(in);
    return record;
}

std::string GetResumeLocation(const std::string& frameName) {
    const std::string path = Paths().Config + "Resume";
    if (frameName.empty() || !PathLookup::Instance().FileExists(path)) return frameName;
    std::string result = frameName;
    try {
        ValueListReader in = ValueListReader::Open(path);
        for (int i = 0; i < 6; ++i)
            in.Skip();
        while (!in.AtEnd()) {
            const std::string frame = in.ReadString();
            const std::string resume = in.ReadString();
            if (EqualsNoCase(frame, frameName) && !resume.empty()) result = resume;
        }
    } catch (const ClassicError&) {
        return frameName;
    }
    return result;
}

} // namespace quillora
