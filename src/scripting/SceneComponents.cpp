// Components of the frame scene: their common base, the event parameter collection and the
// registry of built-in classes.
#include "scripting/SceneComponents.h"

#include "core/Cp1252.h"
#include "scene/PictureBox.h"
#include "scene/SceneElement.h"
#include "vbscript/Convert.h"
#include "vbscript/Errors.h"

namespace quillora {
namespace {

using vbs::Value;
using Args = std::span<Value>;

constexpr int kObjectUnloaded = 364;

// The parameter an index names: a position from 0, or a name in any letter case.
EventParameter& FindParameter(EventParameters& parameters, const Value& index) {
    const Value& key = index.Deref();
    if (key.IsString()) {
        const std::string name = vbs::ToUtf8(vbs::ToString(key));
        for (EventParameter& parameter : parameters) {
            if (EqualsNoCase(parameter.Name, name)) return parameter;
        }
        vbs::ThrowError(vbs::Err::InvalidCall);
    }
    const int32_t position = vbs::ToLong(key);
    if (position < 0 || static_cast<size_t>(position) >= parameters.size())
        vbs::ThrowError(vbs::Err::OutOfRange);
    return parameters[static_cast<size_t>(position)];
}

// The plain value of an assignment (never a reference into the script's variables).
Value Plain(const Value& value) {
    return value.Deref();
}

vbs::ObjectRef MakeParameterObject(std::shared_ptr<EventParameters> parameters, size_t position) {
    auto* object = new vbs::HostObject(u"EventParameter");
    const auto at = [parameters, position]() -> EventParameter& { return (*parameters)[position]; };
    const auto value = [at] { return at().Value; };
    const auto assign = [at](Args, const Value& v) { at().Value = Plain(v); };
    object->DefineProperty("", value, assign, assign);
    object->DefineProperty("Value", value, assign, assign);
    object->DefineProperty("Name", [at] { return Value::FromUtf8(at().Name); });
    return vbs::ObjectRef(object);
}

} // namespace

vbs::ObjectRef MakeEventParametersObject(std::shared_ptr<EventParameters> parameters) {
    auto* object = new vbs::HostObject(u"EventParameters");
    const auto item = [parameters](Args args) {
        if (args.empty()) vbs::ThrowError(vbs::Err::WrongArgCount);
        EventParameter& found = FindParameter(*parameters, args[0]);
        return Value::Obj(
            MakeParameterObject(parameters, static_cast<size_t>(&found - parameters->data()))
                .Get());
    };
    const auto assignItem = [parameters](Args args, const Value& v) {
        if (args.empty()) vbs::ThrowError(vbs::Err::WrongArgCount);
        FindParameter(*parameters, args[0]).Value = Plain(v);
    };
    object->DefineMember("", item, assignItem, assignItem);
    object->DefineMember("Item", item, assignItem, assignItem);
    object->DefineProperty(
        "Count", [parameters] { return Value::Long(static_cast<int32_t>(parameters->size())); });
    object->DefineItems([parameters] {
        std::vector<Value> items;
        for (size_t i = 0; i < parameters->size(); ++i)
            items.push_back(Value::Obj(MakeParameterObject(parameters, i).Get()));
        return items;
    });
    return vbs::ObjectRef(object);
}

SceneComponent::SceneComponent(std::u16string typeName, PictureBox& box, ElementKind kind,
                               const std::string& name)
    : vbs::HostObject(std::move(typeName)), m_box(box) {
    m_element = &box.Create(kind, name, 0);
    m_element->SetVisible(false);
}

SceneComponent::~SceneComponent() {
    // The bookkeeping unloads every component before the window goes; this only covers a
    // component that never reached it.
    if (m_element != nullptr) m_box.Destroy(*m_element);
}

void SceneComponent::Unload() {
    m_sink = nullptr;
    if (m_element == nullptr) return;
    SceneElement* element = m_element;
    m_element = nullptr;
    m_box.Destroy(*element);
}

void SceneComponent::RequireLoaded() const {
    if (m_element == nullptr) vbs::ThrowError(kObjectUnloaded, "Object was unloaded");
}

SceneElement& SceneComponent::Element() const {
    RequireLoaded();
    return *m_element;
}

ElementGetter SceneComponent::Getter() const {
    return [this]() -> SceneElement& { return Element(); };
}

void SceneComponent::RaiseEvent(const std::string& name, EventParameters& parameters) {
    if (m_element == nullptr || !m_sink) return;
    // The receiver may unload this component (and so clear the sink) while it runs.
    const EventSink sink = m_sink;
    const vbs::Ref<SceneComponent> keep(this);
    sink(*this, name, parameters);
}

void SceneComponent::RaiseEvent(const std::string& name) {
    EventParameters none;
    RaiseEvent(name, none);
}

ComponentRegistry::ComponentRegistry() {
    for (const char* progId :
         {"MediaPlayer.MediaPlayer.1", "MediaPlayer.MediaPlayer", "MediaPlayerCtl.MediaPlayer"})
        Register(progId, MakeMediaPlayerComponent);
    for (const char* progId : {"VB.Label", "Forms.Label.1"})
        Register(progId, MakeLabelComponent);
    Register("VB.Timer", MakeTimerComponent);
}

void ComponentRegistry::Register(const std::string& progId, ComponentFactory factory) {
    m_factories[FoldCase(progId)] = std::move(factory);
}

bool ComponentRegistry::Knows(const std::string& progId) const {
    return m_factories.count(FoldCase(progId)) != 0;
}

vbs::Ref<SceneComponent> ComponentRegistry::Create(const std::string& progId, PictureBox& box,
                                                   const std::string& name) const {
    const auto found = m_factories.find(FoldCase(progId));
    if (found == m_factories.end()) vbs::ThrowError(vbs::Err::CantCreateObject);
    return found->second(box, name);
}

} // namespace quillora
