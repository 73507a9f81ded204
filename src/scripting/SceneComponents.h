// The components scripts add by ProgID: script objects with an element in the frame scene that
// raise events, the collection an event hands its handler, and the registry of the built-ins.
#pragma once

#include "scripting/ElementMembers.h"
#include "vbscript/Object.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace quillora {

class PictureBox;
class SceneElement;
enum class ElementKind;

// One parameter of an event as its handler sees it. `ByRef` parameters are read back by the
// component after the handler ran; the others are copies for the handler alone.
struct EventParameter {
    std::string Name;
    vbs::Value Value;
    bool ByRef = false;
};
using EventParameters = std::vector<EventParameter>;

// The parameter collection a handler receives: Count, Item(i) (also the default member; i is
// the parameter's position from 0 or its name in any case), For Each over the parameters. Each
// parameter has Name and Value (the default member); assigning Value, or the collection's item
// directly (`params("Cancel") = True`), changes what the component reads back.
vbs::ObjectRef MakeEventParametersObject(std::shared_ptr<EventParameters> parameters);

// A control of the frame picture box created by a script. It owns one scene element, hidden at
// first (as a control added at run time is). Unload removes the element and stops whatever the
// component runs; the script object may outlive it, and its members then fail with 364 "Object
// was unloaded".
class SceneComponent : public vbs::HostObject {
public:
    // Where the component's events go: the source, the event's name and its parameters (which
    // the receiver may change).
    using EventSink = std::function<void(SceneComponent&, const std::string&, EventParameters&)>;

    SceneComponent(std::u16string typeName, PictureBox& box, ElementKind kind,
                   const std::string& name);
    ~SceneComponent() override;

    // Removes the element and stops timers and media; events stop too. Safe to call twice and
    // from inside one of the component's own events.
    virtual void Unload();
    bool Loaded() const { return m_element != nullptr; }
    // The element, or error 364 once unloaded.
    SceneElement& Element() const;
    ElementGetter Getter() const;
    PictureBox& Box() const { return m_box; }

    void SetEventSink(EventSink sink) { m_sink = std::move(sink); }

protected:
    // Hands an event to the sink; afterwards `parameters` holds what the handler wrote. The
    // component may have been unloaded by the handler: callers check Loaded() before going on.
    void RaiseEvent(const std::string& name, EventParameters& parameters);
    void RaiseEvent(const std::string& name);
    // Fails with 364 once unloaded.
    void RequireLoaded() const;

private:
    PictureBox& m_box;
    SceneElement* m_element = nullptr;
    EventSink m_sink;
};

// Builds a component of one class inside the picture box under a (lower-case) name.
using ComponentFactory =
    std::function<vbs::Ref<SceneComponent>(PictureBox& box, const std::string& name)>;

// The classes components can be created from, by ProgID; ProgIDs compare without regard to
// letter case, as Windows compares them. A new registry knows the built-in components:
//   media player  MediaPlayer.MediaPlayer.1, MediaPlayer.MediaPlayer, MediaPlayerCtl.MediaPlayer
//   label         VB.Label, Forms.Label.1
//   timer         VB.Timer
class ComponentRegistry {
public:
    ComponentRegistry();

    void Register(const std::string& progId, ComponentFactory factory);
    bool Knows(const std::string& progId) const;
    // A new component; error 429 "ActiveX component can't create object" for an unknown ProgID.
    vbs::Ref<SceneComponent> Create(const std::string& progId, PictureBox& box,
                                    const std::string& name) const;

private:
    std::map<std::string, ComponentFactory> m_factories; // by folded ProgID
};

// The built-in classes (defined with the components themselves).
vbs::Ref<SceneComponent> MakeMediaPlayerComponent(PictureBox& box, const std::string& name);
vbs::Ref<SceneComponent> MakeLabelComponent(PictureBox& box, const std::string& name);
vbs::Ref<SceneComponent> MakeTimerComponent(PictureBox& box, const std::string& name);

} // namespace quillora
