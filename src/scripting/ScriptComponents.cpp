// Additional components: bookkeeping, messages, and the Action methods that reach them.
#include "scripting/ScriptComponents.h"

#include "core/ClassicError.h"
#include "core/Cp1252.h"
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

int AdditionalComponents::FindEntry(const std::string& lowerName, bool lastMatch) const {
    int found = 0;
    for (int i = 1; i <= m_componentsList.Count(); ++i) {
        if (m_componentsList.Item(i)->Name != lowerName) continue;
        found = i;
        if (!lastMatch) break;
    }
    return found;
}

vbs::ObjectRef AdditionalComponents::CreateControl(const std::string& /*progId*/) const {
    // No ActiveX host exists on this platform: every class is unknown to it.
    vbs::ThrowError(vbs::Err::CantCreateObject);
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
                  m_components.back() = CreateControl(progId);
              });
}

vbs::ObjectRef AdditionalComponents::GetComponentRef(const std::string& componentName) {
    const int entry = FindEntry(FoldCase(componentName), true);
    if (entry == 0) {
        ShowCommonError(" The component named " + Quoted(componentName) + " could not be found.");
        return {};
    }
    const int slot = m_componentsList.Item(entry)->Value;
    if (slot < 0 || static_cast<size_t>(slot) >= m_components.size()) return {};
    return m_components[static_cast<size_t>(slot)];
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
        if (slot > 0 && static_cast<size_t>(slot) < m_components.size())
            m_components[static_cast<size_t>(slot)] = vbs::ObjectRef();
        m_componentsList.Remove(entry);
    });
}

bool AdditionalComponents::DoesComponentExist(const std::string& componentName) const {
    return FindEntry(FoldCase(componentName), false) != 0;
}

bool AdditionalComponents::DoesProgIDExist(const std::string& progId) const {
    try {
        return static_cast<bool>(CreateControl(progId));
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
    m_components.assign(1, vbs::ObjectRef());
    m_componentsList.Clear();
    m_componentsCount = 0;
    ResetComponentWithEvents();
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
