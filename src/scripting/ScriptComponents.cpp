// Additional components: bookkeeping, messages, and the Action methods that reach them.
#include "scripting/ScriptComponents.h"

#include "core/ClassicError.h"
#include "core/Cp1252.h"
#include "game/GameSession.h"
#include "project/ErrorMessages.h"
#include "scripting/ScriptAction.h"
#include "scripting/ScriptHost.h"
#include "vbscript/Convert.h"
#include "vbscript/Errors.h"
#include "vbscript/ScriptControl.h"

#include <limits>

namespace quillora {
namespace {

using vbs::Value;
using Args = std::span<Value>;

std::string Quoted(const std::string& name) {
    return "\"" + name + "\"";
}

} // namespace

AdditionalComponents::AdditionalComponents(vbs::ScriptControl& procedures, GameSession& session,
                                           PictureBox& box)
    : m_procedures(procedures), m_session(session), m_box(box) {}

AdditionalComponents::~AdditionalComponents() {
    // Scripts may keep a component object past the window (in a variant variable): its element
    // goes now, while the picture box is still there.
    for (size_t slot = 1; slot < m_components.size(); ++slot)
        UnloadSlot(slot);
}

int AdditionalComponents::FindEntry(const std::string& lowerName, bool lastMatch) const {
    int found = 0;
    for (int i = 1; i <= m_componentsList.Count(); ++i) {
        if (m_componentsList.Item(i)->Name != lowerName) continue;
        found = i;
        if (!lastMatch) break;
    }
    return found;
}

vbs::Ref<SceneComponent> AdditionalComponents::CreateControl(const std::string& progId,
                                                             const std::string& lowerName) {
    // Each control costs an element and its media; a game cannot pile up more than this many.
    if (m_live >= kMaxLiveComponents) vbs::ThrowError(vbs::Err::OutOfMemory);
    vbs::Ref<SceneComponent> control = m_registry.Create(progId, m_box, lowerName);
    ++m_live;
    control->SetEventSink(
        [this](SceneComponent& source, const std::string& name, EventParameters& parameters) {
            DeliverEvent(source, name, parameters);
        });
    return control;
}

void AdditionalComponents::UnloadSlot(size_t slot) {
    if (slot >= m_components.size()) return;
    // The slot lets go first: the component may be unloading from inside its own event.
    const vbs::Ref<SceneComponent> control = std::move(m_components[slot]);
    m_components[slot] = vbs::Ref<SceneComponent>();
    if (!control) return;
    --m_live;
    control->Unload();
}

void AdditionalComponents::AddAdditionalComponent(const std::string& progId,
                                                  const std::string& componentName) {
    const std::string name = FoldCase(componentName);
    if (FindEntry(name, false) != 0) {
        ShowCommonError(" A component named " + Quoted(componentName) +
                        " already exists. Please use a different name.");
        return;
    }
    if (componentName.find(' ') != std::string::npos) {
        ShowCommonError(" The component name must not contain spaces or other special characters.");
        return;
    }
    Reporting(" Error in Game.AddAdditionalComponent. The component is probably not installed "
              "properly.  ",
              [&] {
                  if (m_componentsCount >= std::numeric_limits<int16_t>::max())
                      vbs::ThrowError(vbs::Err::Overflow);
                  ++m_componentsCount;
                  m_components.resize(static_cast<size_t>(m_componentsCount) + 1);
                  m_componentsList.Add(name, static_cast<int16_t>(m_componentsCount));
                  m_components.back() = CreateControl(progId, name);
                  if (m_components.back() && ControlAdded) ControlAdded(name);
              });
}

vbs::ObjectRef AdditionalComponents::GetComponentRef(const std::string& componentName) {
    if (FindEntry(FoldCase(componentName), true) == 0) {
        ShowCommonError(" The component named " + Quoted(componentName) + " could not be found.");
        return {};
    }
    return FindComponent(componentName);
}

vbs::ObjectRef AdditionalComponents::FindComponent(const std::string& componentName) const {
    const int entry = FindEntry(FoldCase(componentName), true);
    if (entry == 0) return {};
    const int slot = m_componentsList.Item(entry)->Value;
    if (slot < 0 || static_cast<size_t>(slot) >= m_components.size()) return {};
    return vbs::ObjectRef(m_components[static_cast<size_t>(slot)].Get());
}

void AdditionalComponents::RemoveAdditionalComponent(const std::string& componentName) {
    const std::string name = FoldCase(componentName);
    int entry = 0;
    for (int i = m_componentsList.Count(); i >= 1; --i) {
        if (m_componentsList.Item(i)->Name == name) entry = i;
    }
    if (entry == 0) {
        ShowCommonError(" The component named " + Quoted(componentName) +
                        " could not be removed because it could not be found.");
        return;
    }
    Reporting(" Error in Game.RemoveAdditionalComponent. ", [&] {
        if (EqualsNoCase(name, m_componentWithEventsName)) ResetComponentWithEvents();
        const int slot = m_componentsList.Item(entry)->Value;
        if (slot > 0) UnloadSlot(static_cast<size_t>(slot));
        m_componentsList.Remove(entry);
    });
}

bool AdditionalComponents::DoesComponentExist(const std::string& componentName) const {
    return FindEntry(FoldCase(componentName), false) != 0;
}

bool AdditionalComponents::DoesProgIDExist(const std::string& progId) const {
    if (!m_registry.Knows(progId)) return false;
    try {
        vbs::Ref<SceneComponent> test = m_registry.Create(progId, m_box, "ProgIDTestComponent");
        test->Unload();
        return true;
    } catch (const vbs::ScriptError&) {
        return false;
    }
}

void AdditionalComponents::InterceptAdditionalComponentEvents(const std::string& componentName) {
    if (componentName.empty()) return;
    if (FindEntry(FoldCase(componentName), true) == 0) {
        ShowCommonError(" Error intercepting events. The component named " + Quoted(componentName) +
                        " could not be found.");
        return;
    }
    Reporting(" Error in Game.InterceptAdditionalComponentEvents. ", [&] {
        ResetComponentWithEvents();
        const std::string prefix = FoldCase(componentName) + "_";
        for (const std::string& procedure : m_procedures.Procedures()) {
            if (procedure.size() <= prefix.size()) continue;
            if (FoldCase(procedure.substr(0, prefix.size())) != prefix) continue;
            m_eventsList.push_back(FoldCase(procedure.substr(prefix.size())));
        }
        if (m_eventsList.empty()) return;
        m_componentWithEventsName = componentName;
        m_componentWithEvents = GetComponentRef(componentName);
    });
}

void AdditionalComponents::ResetComponentWithEvents() {
    m_eventsList.clear();
    m_componentWithEvents = vbs::ObjectRef();
    m_componentWithEventsName.clear();
}

void AdditionalComponents::ResetComponents() {
    for (size_t slot = 1; slot < m_components.size(); ++slot)
        UnloadSlot(slot);
    m_components.assign(1, vbs::Ref<SceneComponent>());
    m_componentsList.Clear();
    m_componentsCount = 0;
    ResetComponentWithEvents();
}

void AdditionalComponents::DeliverEvent(SceneComponent& source, const std::string& eventName,
                                        EventParameters& parameters) {
    if (m_componentWithEventsName.empty() || eventName.empty()) return;
    if (m_componentWithEvents.Get() != static_cast<vbs::Object*>(&source)) return;
    if (m_session.Flags.StopEverything) return;
    const std::string event = FoldCase(eventName);
    bool handled = false;
    for (const std::string& name : m_eventsList) {
        if (name == event) {
            handled = true;
            break;
        }
    }
    if (!handled) return;
    // A handler that makes its component raise the event it handles would nest without end.
    if (m_deliveryDepth >= kMaxEventNesting) return;
    ++m_deliveryDepth;
    struct Leave {
        int& depth;
        ~Leave() { --depth; }
    } leave{m_deliveryDepth};
    const std::string procedure = FoldCase(m_componentWithEventsName) + "_" + event;
    auto shared = std::make_shared<EventParameters>(parameters);
    const Value argument = Value::Obj(MakeEventParametersObject(shared).Get());
    if (!m_procedures.Run(procedure, std::span<const Value>(&argument, 1))) {
        ShowCommonError("", m_procedures.LastError().Description());
    }
    // The handler may have kept the collection; the component reads only what it passes by
    // reference, and only now.
    for (size_t i = 0; i < parameters.size() && i < shared->size(); ++i) {
        if (parameters[i].ByRef) parameters[i].Value = (*shared)[i].Value;
    }
}

void DefineActionComponentMembers(vbs::HostObject& action, const ActionScope& scope) {
    AdditionalComponents& components = scope.Host.Components();
    action.DefineMember("AddComponent", [&components](Args args) {
        RequireArgs(args, 2);
        const std::string progId = TextArg(args, 0);
        components.AddAdditionalComponent(progId, TextArg(args, 1));
        return Value();
    });
    action.DefineMember("RemoveComponent", [&components](Args args) {
        components.RemoveAdditionalComponent(TextArg(args, 0));
        return Value();
    });
    action.DefineMember("Component", [&components](Args args) {
        return Value::Obj(components.GetComponentRef(TextArg(args, 0)).Get());
    });
    action.DefineMember("DoesComponentExist", [&components](Args args) {
        const std::string name = TextArg(args, 0);
        bool exists = false;
        Reporting(" Error in DoesComponentExist. ",
                  [&] { exists = components.DoesComponentExist(name); });
        return Value::Boolean(exists);
    });
    action.DefineMember("InterceptComponentEvents", [&components](Args args) {
        components.InterceptAdditionalComponentEvents(TextArg(args, 0));
        return Value();
    });
    action.DefineMember("IsComponentInstalled", [&components](Args args) {
        return Value::Boolean(components.DoesProgIDExist(TextArg(args, 0)));
    });
}

} // namespace quillora
