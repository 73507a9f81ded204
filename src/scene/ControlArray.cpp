// Control arrays of scene elements.
#include "scene/ControlArray.h"

#include "core/ClassicError.h"
#include "scene/PictureBox.h"

namespace quillora {

ControlArray::ControlArray(PictureBox& box, ElementKind kind, std::string name,
                           SceneElement* container)
    : m_box(box), m_name(std::move(name)), m_template(&box.Create(kind, m_name, 0, container)) {
    m_template->SetVisible(false);
}

ControlArray::~ControlArray() = default;

SceneElement& ControlArray::Load(int index) {
    if (index <= 0 || Exists(index)) throw ClassicError(ErrorCode::InvalidProcedureCall);
    SceneElement& element =
        m_box.Create(m_template->Kind(), m_name, index, m_template->Container());
    element.CopySettingsFrom(*m_template);
    element.SetVisible(false);
    m_elements[index] = &element;
    ++m_changes;
    return element;
}

void ControlArray::Unload(int index) {
    const auto found = m_elements.find(index);
    if (found == m_elements.end()) return;
    SceneElement* element = found->second;
    m_elements.erase(found);
    ++m_changes;
    m_box.Destroy(*element);
}

void ControlArray::UnloadAll() {
    while (!m_elements.empty())
        Unload(m_elements.rbegin()->first);
}

SceneElement* ControlArray::Item(int index) const {
    if (index == 0) return m_template;
    const auto found = m_elements.find(index);
    return found == m_elements.end() ? nullptr : found->second;
}

int ControlArray::UBound() const {
    return m_elements.empty() ? 0 : m_elements.rbegin()->first;
}

} // namespace quillora
