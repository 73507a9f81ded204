// Scene control arrays for scripts: loading and unloading elements, the array object, and
// element objects that look their element up at every use.
#include "scripting/ControlArrayObject.h"

#include "scene/ControlArray.h"
#include "vbscript/Convert.h"
#include "vbscript/Errors.h"

namespace quillora {
namespace {

using vbs::Value;
using Args = std::span<Value>;

constexpr int kObjectAlreadyLoaded = 360;
constexpr int kCannotUnloadDesignElement = 362;
constexpr int kMissingElement = 340;

int IndexArg(Args args) {
    if (args.size() != 1) vbs::ThrowError(vbs::Err::WrongArgCount);
    return vbs::ToInteger(args[0]);
}

} // namespace

void ThrowMissingElement(int index) {
    vbs::ThrowError(kMissingElement,
                    "Control array element '" + std::to_string(index) + "' doesn't exist");
}

void SceneArrayLoader::LoadElement(int index) {
    if (m_fixed) vbs::ThrowError(vbs::Err::InvalidCall);
    if (index < 0) ThrowMissingElement(index);
    if (m_array.Exists(index)) vbs::ThrowError(kObjectAlreadyLoaded, "Object already loaded");
    SceneElement& element = m_array.Load(index);
    if (AfterLoad) AfterLoad(element, index);
}

void SceneArrayLoader::UnloadElement(int index) {
    if (m_fixed) vbs::ThrowError(vbs::Err::InvalidCall);
    if (index == 0) {
        vbs::ThrowError(kCannotUnloadDesignElement, "Can't unload controls created at design time");
    }
    if (!m_array.Exists(index)) ThrowMissingElement(index);
    if (BeforeUnload) BeforeUnload(index);
    m_array.Unload(index);
}

ControlElementObject::ControlElementObject(ControlArray& array,
                                           std::shared_ptr<LoadableArray> loader, int index,
                                           std::u16string typeName)
    : HostObject(std::move(typeName)), m_array(array), m_loader(std::move(loader)), m_index(index) {
    DefineProperty("Index", [index] { return Value::Integer(static_cast<int16_t>(index)); });
    DefineProperty("Name", [&array] { return Value::FromUtf8(array.Name()); });
}

namespace {

SceneElement& LookUp(const ControlArray& array, int index) {
    SceneElement* element = index >= 0 ? array.Item(index) : nullptr;
    if (element == nullptr) ThrowMissingElement(index);
    return *element;
}

} // namespace

SceneElement& ControlElementObject::Element() const {
    return LookUp(m_array, m_index);
}

std::function<SceneElement&()> ControlElementObject::ElementGetter() const {
    // Objects handed out by the element's members (its Font) may outlive the element object:
    // the getter holds the array and the index, not the object.
    return [array = &m_array, index = m_index]() -> SceneElement& { return LookUp(*array, index); };
}

vbs::ObjectRef MakeControlArrayObject(ControlArray& array, std::shared_ptr<LoadableArray> loader,
                                      ElementMembers members, std::u16string elementTypeName) {
    auto* object = new vbs::HostObject(u"Object");
    const auto element = [&array, loader, members, elementTypeName](int index) {
        auto* item = new ControlElementObject(array, loader, index, elementTypeName);
        vbs::ObjectRef keep(item);
        if (members) members(*item);
        return Value::Obj(item);
    };
    object->DefineMember("", [element](Args args) { return element(IndexArg(args)); });
    object->DefineMember("Item", [element](Args args) { return element(IndexArg(args)); });
    object->DefineProperty("Count", [&array] {
        const size_t count = 1 + array.Elements().size();
        if (count > 32767) return Value::Long(static_cast<int32_t>(count));
        return Value::Integer(static_cast<int16_t>(count));
    });
    object->DefineProperty(
        "UBound", [&array] { return Value::Integer(static_cast<int16_t>(array.UBound())); });
    object->DefineProperty("LBound", [] { return Value::Integer(0); });
    object->DefineItems([&array, element] {
        std::vector<Value> items{element(0)};
        for (const auto& entry : array.Elements())
            items.push_back(element(entry.first));
        return items;
    });
    return vbs::ObjectRef(object);
}

} // namespace quillora
