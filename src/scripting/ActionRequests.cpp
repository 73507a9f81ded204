// The Action object's state members, requests, game-state queries and inventory methods.
#include "core/ClassicError.h"
#include "core/Cp1252.h"
#include "game/GameHost.h"
#include "game/GameScene.h"
#include "game/GameSession.h"
#include "game/Inventory.h"
#include "project/ErrorMessages.h"
#include "project/ProjectInfo.h"
#include "project/ProjectPaths.h"
#include "project/Resolutions.h"
#include "scripting/ScriptAction.h"
#include "scripting/ScriptWindow.h"
#include "vbscript/Convert.h"

#include <functional>

namespace quillora {
namespace {

using vbs::Value;
using Args = std::span<Value>;

void DefineStateMembers(vbs::HostObject& action, VBScriptActionModule& state) {
    const auto text = [&action](std::string_view name, std::string& field) {
        action.DefineProperty(
            name, [&field] { return Value::FromUtf8(field); },
            [&field](Args, const Value& v) { field = vbs::ToUtf8(vbs::ToString(v)); });
    };
    const auto integer = [&action](std::string_view name, int16_t& field) {
        action.DefineProperty(
            name, [&field] { return Value::Integer(field); },
            [&field](Args, const Value& v) { field = vbs::ToInteger(v); });
    };
    const auto boolean = [&action](std::string_view name, bool& field) {
        action.DefineProperty(
            name, [&field] { return Value::Boolean(field); },
            [&field](Args, const Value& v) { field = vbs::ToBool(v); });
    };
    text("sFrameToLoad", state.sFrameToLoad);
    integer("iHotspotNumber", state.iHotspotNumber);
    action.DefineProperty(
        "dTransitionDuration", [&state] { return Value::Double(state.dTransitionDuration); },
        [&state](Args, const Value& v) { state.dTransitionDuration = vbs::ToDouble(v); });
    integer("iTransitionNumber", state.iTransitionNumber);
    boolean("bStopGame", state.bStopGame);
    boolean("bPopupLoadGame", state.bPopupLoadGame);
    boolean("bPopupSaveGame", state.bPopupSaveGame);
}

void DefineRequests(vbs::HostObject& action, const ActionScope& scope) {
    VBScriptActionModule& state = scope.Session.Action;
    action.DefineMember("PopupSaveGame", [&state](Args) {
        state.bPopupSaveGame = true;
        return Value();
    });
    action.DefineMember("PopupLoadGame", [&state](Args) {
        state.bPopupLoadGame = true;
        return Value();
    });
    action.DefineMember("GoToFrame", [&state](Args args) {
        RequireArgs(args, 3);
        std::string frame = TextArg(args, 0);
        const double duration = DoubleArg(args, 1);
        const int16_t number = IntegerArg(args, 2);
        state.sFrameToLoad = std::move(frame);
        state.dTransitionDuration = duration;
        state.iTransitionNumber = number;
        state.iHotspotNumber = 0;
        return Value();
    });
    action.DefineMember("ResetModule", [&state](Args) {
        state.ResetModule();
        return Value();
    });
    action.DefineMember("StopEverything", [window = &scope.Window](Args) {
        window->StopEverything();
        return Value();
    });
    action.DefineMember("Message", [window = &scope.Window](Args args) {
        window->Host().DisplayTextMessage(TextArg(args, 0), true, false);
        return Value();
    });
    action.DefineMember("Quit", [&state](Args) {
        state.bStopGame = true;
        return Value();
    });
    action.DefineMember("ChangeDisplayResolutionOnLoadGame", [session = &scope.Session](Args args) {
        session->ResolutionOnLoadGame = IntegerArg(args, 0);
        return Value();
    });
    action.DefineMember("AllowControlsReferencesNextTime", [session = &scope.Session](Args) {
        session->State.AllowControlsReferences = 2;
        return Value();
    });
    action.DefineMember("DoNotAllowControlsReferencesNextTime", [session = &scope.Session](Args) {
        session->State.AllowControlsReferences = 1;
        return Value();
    });
}

void DefineQueries(vbs::HostObject& action, const ActionScope& scope) {
    GameSession& session = scope.Session;
    ScriptWindow& window = scope.Window;
    action.DefineMember("GetHotspotNumber", [&session](Args) {
        return Value::Integer(session.Action.iHotspotNumber);
    });
    action.DefineMember("GetPath", [](Args) { return Value::FromUtf8(Paths().External); });
    action.DefineMember("GetClickPositionX", [&session](Args) {
        return Value::Integer(session.State.LastClickX);
    });
    action.DefineMember("GetClickPositionY", [&session](Args) {
        return Value::Integer(session.State.LastClickY);
    });
    action.DefineMember("GetTransitionsStatus", [&window](Args) {
        return Value::Boolean(window.TransitionsEnabled());
    });
    action.DefineMember("GetEffectsStatus", [&window](Args) {
        return Value::Boolean(window.EffectsEnabled());
    });
    action.DefineMember("InvertTransitionsStatus", [&window](Args) {
        window.EnableOrDisableTransitions();
        return Value();
    });
    action.DefineMember("InvertEffectsStatus", [&window](Args) {
        window.EnableOrDisableEffects();
        return Value();
    });
    action.DefineMember("GetQuilloraVersion", [](Args) { return Value::FromUtf8("Version 3.4.3"); });
    action.DefineMember("GetCurrentFrameName", [&session](Args) {
        return Value::FromUtf8(session.CurrentFrame.Name);
    });
    action.DefineMember("GetMergedHotspotIndex", [&session](Args) {
        return Value::Integer(session.State.MergedHotspotIndex);
    });
    action.DefineMember("GetMergedTextIndex", [&session](Args) {
        return Value::Integer(session.State.MergedTextIndex);
    });
    action.DefineMember("GetDisplayResolutionX", [](Args) { return Value::Long(GetScreenWidth()); });
    action.DefineMember("GetDisplayResolutionY", [](Args) { return Value::Long(GetScreenHeight()); });
    action.DefineMember("ChangeDisplayResolution", [](Args args) {
        const int16_t mode = IntegerArg(args, 0);
        Reporting(" Error changing display resolution. ", [mode] { ChangeDisplayResolution(mode); });
        return Value();
    });
}

void DefineInventoryMembers(vbs::HostObject& action, const ActionScope& scope) {
    ScriptWindow& window = scope.Window;
    action.DefineMember("AddItem", [&window](Args args) {
        RequireArgs(args, 2);
        const std::string name = TextArg(args, 0);
        window.Items().AddPickedObject(name, BoolArg(args, 1));
        return Value();
    });
    action.DefineMember("HideInventoryButton", [&window](Args) {
        if (!Project().UseInventory) return Value();
        Reporting(" Error hiding inventory. ", [&window] {
            GameScene& scene = window.Scene();
            scene.Inventory1.Move(scene.Inventory1.Left, -scene.Inventory1.Height);
            scene.Inventory2.SetVisible(false);
        });
        return Value();
    });
    action.DefineMember("ShowInventoryButton", [&window](Args) {
        if (!Project().UseInventory) return Value();
        Reporting(" Error displaying inventory. ",
                  [&window] { window.Scene().Inventory2.SetVisible(true); });
        return Value();
    });
    action.DefineMember("RemoveAllItems", [&window](Args) {
        Reporting(" Error removing all the inventory items. ", [&window] {
            Inventory& items = window.Items();
            // Bounded: an item that would not go must not hang the game.
            for (int left = items.ObjectsCount(); left > 0 && items.ObjectsCount() > 0; --left)
                items.RemovePickedObject(1);
        });
        return Value();
    });
    action.DefineMember("RemoveItem", [&window](Args args) {
        RequireArgs(args, 2);
        const std::string name = TextArg(args, 0);
        const bool duplicates = BoolArg(args, 1);
        Reporting(" Error removing from the inventory the item named '" + name + "'. ",
                  [&window, &name, duplicates] {
                      Inventory& items = window.Items();
                      for (int i = items.ObjectsCount(); i >= 1; --i) {
                          const SceneElement* item = window.Scene().PickedObject.Item(i);
                          if (item == nullptr || !EqualsNoCase(item->Tag, name)) continue;
                          items.RemovePickedObject(i);
                          if (!duplicates) break;
                      }
                  });
        return Value();
    });
}

} // namespace

void DefineActionRequestMembers(vbs::HostObject& action, const ActionScope& scope) {
    DefineStateMembers(action, scope.Session.Action);
    DefineRequests(action, scope);
    DefineQueries(action, scope);
    DefineInventoryMembers(action, scope);
}

} // namespace quillora
