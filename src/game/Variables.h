// Project variables: integer, string and variant variables in ordered collections.
#pragma once

#include "core/ListValue.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace quillora {

struct ClassVariable {
    std::string Name;
    int16_t Value = 0;
};

struct ClassVariableString {
    std::string Name;
    std::string Value;
};

struct ClassVariableVariant {
    std::string Name;
    ListValue Value = int32_t{0};
};

// An ordered collection of variable objects, numbered from 1 in the order they were added,
// optionally keyed (keys compared without regard to case, as collection keys are). Objects are
// shared, so a script holding one sees later changes.
template <class Variable> class VariableCollection {
public:
    using Pointer = std::shared_ptr<Variable>;

    // Appends a new variable; a non-empty key must be unused (throws ClassicError otherwise).
    Pointer Add(const std::string& name, decltype(Variable::Value) value,
                const std::string& key = "");
    // The object at a 1-based position (throws "Subscript out of range" outside 1..Count).
    Pointer Item(int position) const;
    // The object with a key, or nullptr.
    Pointer ItemByKey(const std::string& key) const;
    int Count() const { return static_cast<int>(m_items.size()); }
    void Remove(int position);
    void RemoveByKey(const std::string& key);
    void Clear();

    // Iterates the objects in order.
    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

private:
    std::vector<Pointer> m_items;
    std::vector<std::string> m_keys; // parallel to m_items; "" for no key
};

using VariablesCollection = VariableCollection<ClassVariable>;
using VariablesStrCollection = VariableCollection<ClassVariableString>;
using VariantCollection = VariableCollection<ClassVariableVariant>;

// The integer variables, the variant variables, and the hidden-hotspot list (frame name and
// hotspot number), as the game keeps them.
struct ProjectVariables {
    VariablesCollection Variables;
    VariantCollection VariablesVariant;
    VariablesCollection Disappear;
};

// Empties both variable collections and creates the variables from Config/Variables (all 0).
// Shows " Unable to load variables list." on failure; the variables read so far remain.
void LoadVariables(ProjectVariables& vars);

// Sets every integer variable of that name; -1 toggles the lowest bit (value XOR 1).
void ChangeVariableValue(ProjectVariables& vars, const std::string& name, int16_t newValue);
// Sets every integer variable of that name to exactly newValue (-1 included, which
// ChangeVariableValue would take as a toggle).
void SetVariableValue(ProjectVariables& vars, const std::string& name, int16_t newValue);
// Sets every variant variable of that name.
void ChangeVariableVariantValue(ProjectVariables& vars, const std::string& name,
                                const ListValue& value);
// The value of the first integer variable of that name; -32000 when there is none.
int16_t GetVariableValue(const ProjectVariables& vars, const std::string& name);

// The lines of the variables window (see ShowVariablesStatus).
std::vector<std::string> VariablesStatusLines(const ProjectVariables& vars);
// Shows the lines in pages of 25 in information boxes titled "Variables Status".
void ShowVariablesStatus(const ProjectVariables& vars);

// The text of a variant value as the variables window shows it.
std::string VariantText(const ListValue& value);

} // namespace quillora
