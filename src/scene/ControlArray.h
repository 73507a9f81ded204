// An array of scene elements with the hidden template element 0, as window control arrays are.
#pragma once

#include "scene/SceneElement.h"

#include <map>
#include <string>

namespace quillora {

class PictureBox;

class ControlArray {
public:
    // Creates the hidden template element 0 in box (inside container when given).
    ControlArray(PictureBox& box, ElementKind kind, std::string name,
                 SceneElement* container = nullptr);
    ~ControlArray();
    ControlArray(const ControlArray&) = delete;
    ControlArray& operator=(const ControlArray&) = delete;

    const std::string& Name() const { return m_name; }
    SceneElement& Template() const { return *m_template; }

    // Creates element index (> 0) with the template's settings and container, hidden and at the
    // front. Throws ClassicError when it is already loaded or index is not positive.
    SceneElement& Load(int index);
    // Removes element index (> 0); nothing when it is not loaded.
    void Unload(int index);
    void UnloadAll();

    // Element index, or nullptr when it is not loaded (index 0: the template).
    SceneElement* Item(int index) const;
    bool Exists(int index) const { return Item(index) != nullptr; }
    // Highest loaded index (0 when only the template exists).
    int UBound() const;
    // Loaded elements above 0, in index order.
    const std::map<int, SceneElement*>& Elements() const { return m_elements; }
    // Counts every Load and Unload: code that handles window events while it holds elements
    // compares it before and after to know whether they may be gone.
    unsigned long long Changes() const { return m_changes; }

private:
    PictureBox& m_box;
    std::string m_name;
    SceneElement* m_template;
    std::map<int, SceneElement*> m_elements;
    unsigned long long m_changes = 0;
};

} // namespace quillora
