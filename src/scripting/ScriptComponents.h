// Additional components: the bookkeeping of controls that scripts add by ProgID under a name of
// their choice, and the one component whose events reach script procedures.
#pragma once

#include "game/Variables.h"
#include "vbscript/Object.h"

#include <string>
#include <vector>

namespace quillora {

namespace vbs {
class ScriptControl;
}

// This player hosts no ActiveX controls: every creation fails with the installation message,
// while the names, slots and messages stay as the game expects them.
class AdditionalComponents {
public:
    // `procedures` lists the procedure library (the second engine) for event interception.
    explicit AdditionalComponents(vbs::ScriptControl& procedures) : m_procedures(procedures) {}

    void AddAdditionalComponent(const std::string& progId, const std::string& componentName);
    // The component's control; Nothing (after the not-found message) when there is none.
    vbs::ObjectRef GetComponentRef(const std::string& componentName);
    void RemoveAdditionalComponent(const std::string& componentName);
    bool DoesComponentExist(const std::string& componentName) const;
    // Whether a control of that ProgID can be created; no message either way.
    bool DoesProgIDExist(const std::string& progId) const;
    void InterceptAdditionalComponentEvents(const std::string& componentName);
    void ResetComponentWithEvents();
    // Part of the game reset: every component goes, slot numbers start again from 1.
    void ResetComponents();

    // Name (lower case) -> slot number, one entry per component.
    const VariablesCollection& ComponentsList() const { return m_componentsList; }
    int ComponentsCount() const { return m_componentsCount; }
    const std::string& ComponentWithEventsName() const { return m_componentWithEventsName; }
    const std::vector<std::string>& EventsList() const { return m_eventsList; }

private:
    // Position (1-based) of the entry named `lowerName` in ComponentsList, 0 when none;
    // `lastMatch` keeps the last of several matches, else the first.
    int FindEntry(const std::string& lowerName, bool lastMatch) const;
    // Creates a control of class `progId`; throws the creation error (no control host here).
    vbs::ObjectRef CreateControl(const std::string& progId) const;

    vbs::ScriptControl& m_procedures;
    VariablesCollection m_componentsList;
    int m_componentsCount = 0;
    std::vector<vbs::ObjectRef> m_components{vbs::ObjectRef()}; // slot 0 unused
    std::string m_componentWithEventsName;
    vbs::ObjectRef m_componentWithEvents;
    std::vector<std::string> m_eventsList;
};

} // namespace quillora
