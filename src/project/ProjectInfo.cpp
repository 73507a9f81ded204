// Reading the project information file.
#include "project/ProjectInfo.h"

#include "core/ClassicError.h"
#include "core/ValueListReader.h"
#include "project/ErrorMessages.h"
#include "project/ProjectPaths.h"

#include <string_view>
#include <vector>

namespace quillora {

ProjectInfo& Project() {
    static ProjectInfo info;
    return info;
}

namespace {

// The fields' names in file order, for messages (none for a value that is read and ignored).
std::vector<std::string> GeneralFieldNames() {
    std::vector<std::string> names;
    std::string_view list =
        "ProjectName,,AdventureName,,StartFrame,Version,FrameWidth,FrameHeight,Author,Email,"
        "Homepage,ResolutionOption,,,,SchemeName,,,,DisableLoad,DisableSave,,,,InventorySpacingX,"
        "InventorySpacingY,UseInventory,InventoryAnimateShow,InventoryAnimateHide,HideInventory2,"
        "PopupInventoryOnAdd,UseInventoryBackground,InventoryBackground1,InventoryBackground2,"
        "Resolution,,,DefaultCursor,,,WindowedMode,,SkipWelcome,HideLogo,,HideTransitionsOption,"
        "HideEffectsOption,RemoveMenuBar,,,,RunStartupScript,StartupScript,RunFrameScript,"
        "FrameScript";
    for (size_t comma = list.find(','); comma != std::string_view::npos; comma = list.find(',')) {
        names.emplace_back(list.substr(0, comma));
        list.remove_prefix(comma + 1);
    }
    names.emplace_back(list);
    return names;
}

// Reads the fields in file order; the end-of-file checks stand exactly before fields 12, 13,
// 17, 23, 39, 42, 45, 47, 48 and 49.
void ReadFields(ValueListReader& in, ProjectInfo& p) {
    p.ProjectName = in.ReadString();
    in.ReadString();
    p.AdventureName = in.ReadString();
    in.ReadInt16();
    p.StartFrame = in.ReadString();
    p.Version = in.ReadString();
    p.FrameWidth = in.ReadInt16();
    p.FrameHeight = in.ReadInt16();
    p.Author = in.ReadString();
    p.Email = in.ReadString();
    p.Homepage = in.ReadString();

    if (in.AtEnd()) return; // field 12
    p.ResolutionOption = 1;
    p.ResolutionOption = in.ReadInt16();
    if (in.AtEnd()) return; // field 13
    in.Skip();
    in.Skip();
    in.Skip();
    p.SchemeName = in.ReadString();
    if (in.AtEnd()) return; // field 17
    in.Skip();
    in.Skip();
    in.Skip();
    p.DisableLoad = in.ReadBool();
    p.DisableSave = in.ReadBool();
    in.Skip();
    if (in.AtEnd()) return; // field 23
    in.ReadString();
    in.Skip();
    p.InventorySpacingX = in.ReadInt32();
    p.InventorySpacingY = in.ReadInt32();
    p.UseInventory = in.ReadBool();
    p.InventoryAnimateShow = in.ReadBool();
    p.InventoryAnimateHide = in.ReadBool();
    p.HideInventory2 = in.ReadBool();
    p.PopupInventoryOnAdd = in.ReadBool();
    p.UseInventoryBackground = in.ReadBool();
    p.InventoryBackground1 = in.ReadString();
    p.InventoryBackground2 = in.ReadString();
    p.Resolution = in.ReadInt16();
    in.Skip();
    in.Skip();
    p.DefaultCursor = in.ReadString();
    if (in.AtEnd()) return; // field 39
    in.Skip();
    in.Skip();
    p.WindowedMode = in.ReadBool();
    if (in.AtEnd()) return; // field 42
    in.Skip();
    p.SkipWelcome = in.ReadBool();
    p.HideLogo = in.ReadBool();
    if (in.AtEnd()) return; // field 45
    in.Skip();
    p.HideTransitionsOption = in.ReadBool();
    if (in.AtEnd()) return; // field 47
    p.HideEffectsOption = in.ReadBool();
    if (in.AtEnd()) return; // field 48
    p.RemoveMenuBar = in.ReadBool();
    if (in.AtEnd()) return; // field 49
    in.Skip();
    in.Skip();
    in.Skip();
    p.RunStartupScript = in.ReadBool();
    p.StartupScript = in.ReadString();
    p.RunFrameScript = in.ReadBool();
    p.FrameScript = in.ReadString();
}

// A frame is drawn, captured and blended at full size several times over: a size no display
// shows would take gigabytes and minutes for nothing.
void RefuseAbsurdFrameSize(ProjectInfo& p) {
    if (p.FrameWidth <= kMaxFrameSide && p.FrameHeight <= kMaxFrameSide) return;
    const std::string size = std::to_string(p.FrameWidth) + " x " + std::to_string(p.FrameHeight);
    p.FrameWidth = 640;
    p.FrameHeight = 480;
    ShowCommonError(" The frame size of " + size + " pixels in the project information is " +
                    "larger than any display can show (at most " + std::to_string(kMaxFrameSide) +
                    " pixels a side). The game is played at 640 x 480 pixels.");
}

} // namespace

std::string LoadProjectInfo(std::string* detail) {
    ProjectInfo& p = Project();
    p = ProjectInfo();
    std::string failure;
    try {
        ValueListReader in = ValueListReader::Open(Paths().Config + "General");
        in.SetFieldNames(GeneralFieldNames());
        ReadFields(in, p);
    } catch (const ClassicError& error) {
        failure = error.Description();
        if (detail != nullptr) *detail = DetailLines(error);
    }
    p.StartupScript = DecodeBars(p.StartupScript);
    p.FrameScript = DecodeBars(p.FrameScript);
    RefuseAbsurdFrameSize(p);
    return failure;
}

} // namespace quillora
