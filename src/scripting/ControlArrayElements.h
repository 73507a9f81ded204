// How scripts name elements of the game window's control arrays, loaded or not, so that
// Action.CreateObject and Action.DeleteObject can load and unload them.
#pragma once

#include "vbscript/Object.h"

namespace quillora {

// A control array whose elements scripts may load and unload (hotspots, texts, timers).
class LoadableArray {
public:
    virtual ~LoadableArray() = default;
    // Loads element `index` (a copy of element 0's settings); error 360 "Object already
    // loaded" when it exists, 340 for a negative index.
    virtual void LoadElement(int index) = 0;
    // Unloads element `index`; element 0 cannot be unloaded (error 362), a missing one is 340.
    virtual void UnloadElement(int index) = 0;
};

// Implemented by every script object that stands for one element of a loadable array: the
// element itself, or the placeholder `Hotspot(7)` gives while element 7 is not loaded (whose
// other members fail with 340 "Control array element '7' doesn't exist").
class ControlElementName {
public:
    virtual ~ControlElementName() = default;
    virtual LoadableArray& Array() = 0;
    virtual int Index() const = 0;
};

// The element a script value names, or nullptr when it names none (Action.CreateObject and
// DeleteObject then fail with "Type mismatch").
inline ControlElementName* NamedElement(vbs::Object* object) {
    return dynamic_cast<ControlElementName*>(object);
}

} // namespace quillora
