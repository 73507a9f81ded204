// Control arrays of the frame scene as scripts see them: Hotspot(3), Count, UBound, For Each,
// and elements that scripts may name before they are loaded.
#pragma once

#include "scripting/ControlArrayElements.h"
#include "vbscript/Object.h"

#include <functional>
#include <memory>
#include <string>

namespace quillora {

class ControlArray;
class SceneElement;

// Loads and unloads elements of a scene control array for scripts (Action.CreateObject and
// DeleteObject). AfterLoad wires a new element as the game wires its own; BeforeUnload releases
// what belongs to an element (a video player) before the element goes. A fixed array refuses
// both with "Invalid procedure call or argument" (5): the game alone manages its elements.
class SceneArrayLoader : public LoadableArray {
public:
    explicit SceneArrayLoader(ControlArray& array, bool fixed = false)
        : m_array(array), m_fixed(fixed) {}
    void LoadElement(int index) override;
    void UnloadElement(int index) override;

    std::function<void(SceneElement&, int index)> AfterLoad;
    std::function<void(int index)> BeforeUnload;

private:
    ControlArray& m_array;
    bool m_fixed;
};

// One element of a scene control array. It keeps the index, not the element: every member looks
// the element up again, so an element that was unloaded (or not yet loaded) makes its members
// fail with 340 "Control array element 'i' doesn't exist" instead of reaching freed memory, and
// the same object works once Action.CreateObject has loaded the element.
class ControlElementObject : public vbs::HostObject, public ControlElementName {
public:
    ControlElementObject(ControlArray& array, std::shared_ptr<LoadableArray> loader, int index,
                         std::u16string typeName);
    LoadableArray& Array() override { return *m_loader; }
    int Index() const override { return m_index; }
    // The element, or error 340.
    SceneElement& Element() const;
    // A getter of the element for member definitions shared with single elements.
    std::function<SceneElement&()> ElementGetter() const;

private:
    ControlArray& m_array;
    std::shared_ptr<LoadableArray> m_loader;
    int m_index;
};

// Defines the members of one element object (called for every element handed out).
using ElementMembers = std::function<void(ControlElementObject&)>;

// The array object: its default member and Item(i) give element i (a placeholder when i is not
// loaded); Count is the number of loaded elements including the template 0, UBound the highest
// loaded index, LBound 0; For Each walks the loaded elements in index order. An index that is
// not a whole number in -32768..32767 fails as the language's Integer conversion does.
vbs::ObjectRef MakeControlArrayObject(ControlArray& array, std::shared_ptr<LoadableArray> loader,
                                      ElementMembers members, std::u16string elementTypeName);

// Error 340 for element index of a control array.
[[noreturn]] void ThrowMissingElement(int index);

} // namespace quillora
