// Additional components: the bookkeeping of controls that scripts add by ProgID under a name of
// their choice, and the one component whose events reach script procedures.
#pragma once

#include "game/Variables.h"
#include "scripting/SceneComponents.h"
#include "vbscript/Object.h"

#include <functional>
#include <string>
#include <vector>

namespace quillora {

namespace vbs {
class ScriptControl;
}

struct GameSession;
class PictureBox;

// The components come from the registry of built-in classes (no ActiveX host exists here): a
// ProgID it does not know fails with the installation message, while the names, slots and
// messages stay as the game expects them. Components are drawn in the frame picture box and
// survive frame changes; the game reset removes them.
class AdditionalComponents {
public:
    // Controls alive at once; creating one more fails as out of memory.
    static constexpr int kMaxLiveComponents = 1000;
    // Events raised from inside handlers, nested deeper than this, are dropped.
    static constexpr int kMaxEventNesting = 64;

    // `procedures` is the second engine: it lists the procedure library for event interception
    // and runs the handlers. Components are created inside `box`.
    AdditionalComponents(vbs::ScriptControl& procedures, GameSession& session, PictureBox& box);
    ~AdditionalComponents();
    AdditionalComponents(const AdditionalComponents&) = delete;
    AdditionalComponents& operator=(const AdditionalComponents&) = delete;

    void AddAdditionalComponent(const std::string& progId, const std::string& componentName);
    // The component's control; Nothing (after the not-found message) when there is none.
    vbs::ObjectRef GetComponentRef(const std::string& componentName);
    // The component of that name (any case), or Nothing; no message.
    vbs::ObjectRef FindComponent(const std::string& componentName) const;
    // Told the lower-case name of each component created, which is also its control's name in
    // the window's control collection.
    std::function<void(const std::string& lowerName)> ControlAdded;
    void RemoveAdditionalComponent(const std::string& componentName);
    bool DoesComponentExist(const std::string& componentName) const;
    // Whether a control of that ProgID can be created; no message either way.
    bool DoesProgIDExist(const std::string& progId) const;
    void InterceptAdditionalComponentEvents(const std::string& componentName);
    void ResetComponentWithEvents();
    // Part of the game reset: every component goes, slot numbers start again from 1.
    void ResetComponents();
    // The generic event of the intercepted component: runs NAME_EVENT(parameters) on the second
    // engine when the event is in EventsList; by-reference values the handler wrote come back
    // in `parameters`. Events of other components, and all events while everything is stopped,
    // go nowhere.
    void DeliverEvent(SceneComponent& source, const std::string& eventName,
                      EventParameters& parameters);

    ComponentRegistry& Registry() { return m_registry; }

    // Name (lower case) -> slot number, one entry per component.
    const VariablesCollection& ComponentsList() const { return m_componentsList; }
    int ComponentsCount() const { return m_componentsCount; }
    const std::string& ComponentWithEventsName() const { return m_componentWithEventsName; }
    const std::vector<std::string>& EventsList() const { return m_eventsList; }

private:
    // Position (1-based) of the entry named `lowerName` in ComponentsList, 0 when none;
    // `lastMatch` keeps the last of several matches, else the first.
    int FindEntry(const std::string& lowerName, bool lastMatch) const;
    // Creates a control of class `progId` named `lowerName` in the picture box, its events
    // going to DeliverEvent; throws the creation error for a class the registry does not know.
    vbs::Ref<SceneComponent> CreateControl(const std::string& progId, const std::string& lowerName);
    // Releases slot `slot` and removes its control from the picture box.
    void UnloadSlot(size_t slot);

    vbs::ScriptControl& m_procedures;
    GameSession& m_session;
    PictureBox& m_box;
    ComponentRegistry m_registry;
    VariablesCollection m_componentsList;
    int m_componentsCount = 0;
    int m_live = 0; // slots holding a control
    int m_deliveryDepth = 0;
    std::vector<vbs::Ref<SceneComponent>> m_components{vbs::Ref<SceneComponent>()}; // slot 0 unused
    std::string m_componentWithEventsName;
    vbs::ObjectRef m_componentWithEvents;
    std::vector<std::string> m_eventsList;
};

} // namespace quillora
