// Loading the text boxes of a frame.
#include "game/TextBoxes.h"

#include "core/ClassicError.h"
#include "core/Cp1252.h"
#include "core/PathLookup.h"
#include "core/Prompts.h"
#include "core/ValueListReader.h"
#include "game/GameScene.h"
#include "game/GameSession.h"
#include "game/GameState.h"
#include "project/ErrorMessages.h"
#include "project/ProjectPaths.h"

#include <QWidget>

namespace quillora {
namespace {

// Runs one statement of the section reader; a failure skips only that statement.
template <class Statement> void Skippable(Statement statement) {
    try {
        statement();
    } catch (const ClassicError&) {
    }
}

void ReadSection(ValueListReader& in, GameScene& scene, GameState& state, int section) {
    const int n = scene.Text.UBound() + 1;
    int16_t number = 0;
    Skippable([&] { in.Skip(); });
    Skippable([&] { number = in.ReadInt16(); });
    if (number == 1 && section != 1 && state.MergedTextIndex == 1) {
        state.MergedTextIndex = static_cast<int16_t>(n);
    }
    for (int i = 3; i <= 10; ++i)
        Skippable([&] { in.Skip(); });
    SceneElement* text = nullptr;
    Skippable([&] { text = &scene.Text.Load(n); });
    SceneElement scratch(scene.Box, ElementKind::Label, "Text", n);
    SceneElement& target = text ? *text : scratch;
    target.AutoSize = true;
    Skippable([&] {
        const std::string caption = in.ReadString();
        target.SetCaption(EqualsNoCase(caption, "[empty]") ? "" : caption);
    });
    Skippable([&] { target.Left = in.ReadInt32(); });
    Skippable([&] { target.Top = in.ReadInt32(); });
    Skippable([&] { target.FontBold = in.ReadBool(); });
    Skippable([&] { target.FontItalic = in.ReadBool(); });
    Skippable([&] {
        const std::string font = in.ReadString();
        target.FontName = font.empty() ? "Arial" : font;
    });
    Skippable([&] { target.FontSize = in.ReadDouble(); });
    Skippable([&] { target.FontStrikethru = in.ReadBool(); });
    Skippable([&] { target.FontUnderline = in.ReadBool(); });
    Skippable([&] { target.ForeColor = static_cast<uint32_t>(in.ReadInt32()); });
    target.FontChanged();
    if (text) {
        text->SetVisible(true);
        if (scene.Box.window()->isVisible()) scene.Box.ZOrder(*text);
    }
    Skippable([&] { in.Skip(); }); // the separator
}

} // namespace

void LoadTexts(GameScene& scene, GameSession& session) {
    GameState& state = session.State;
    const std::string base = Paths().FramesData + session.CurrentFrame.Name;
    PathLookup& lookup = PathLookup::Instance();
    const bool merged = lookup.FileExists(base + ".mr1");
    if (!merged && !lookup.FileExists(base + ".fm1")) {
        // The editor writes a texts file with every frame's hotspot and action files: one that
        // is gone beside them was most likely lost on the way, not left out.
        for (const char* sibling : {".fm2", ".mr2", ".fm3", ".mr3"}) {
            if (!lookup.FileExists(base + sibling)) continue;
            LogNotice("The frame '" + session.CurrentFrame.Name + "' has no texts file \"" + base +
                      ".fm1\": it shows no text boxes.");
            break;
        }
        return;
    }
    state.MergedTextIndex = 1;
    ValueListReader in("");
    try {
        in = ValueListReader::Open(base + (merged ? ".mr1" : ".fm1"));
    } catch (const ClassicError& error) {
        if (!session.Flags.StopEverything)
            ShowCommonError(" Error loading TextBoxes. ", DescriptionAndDetail(error));
        return;
    }
    for (int section = 1; !in.AtEnd() && !session.Flags.StopEverything; ++section) {
        ReadSection(in, scene, state, section);
    }
}

void ResetFrameTexts(GameScene& scene) {
    scene.Text.UnloadAll();
}

} // namespace quillora
