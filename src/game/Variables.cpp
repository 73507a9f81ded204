// Project variables, their file and the variables window.
#include "game/Variables.h"

#include "core/ClassicError.h"
#include "core/Cp1252.h"
#include "core/Prompts.h"
#include "core/ValueListReader.h"
#include "core/ValueListWriter.h"
#include "project/ErrorMessages.h"
#include "project/ProjectPaths.h"

namespace quillora {

template <class Variable>
typename VariableCollection<Variable>::Pointer
VariableCollection<Variable>::Add(const std::string& name, decltype(Variable::Value) value,
                                  const std::string& key) {
    if (!key.empty() && ItemByKey(key)) throw ClassicError(ErrorCode::InvalidProcedureCall);
    auto variable = std::make_shared<Variable>();
    variable->Name = name;
    variable->Value = std::move(value);
    m_items.push_back(variable);
    m_keys.push_back(key);
    return variable;
}

template <class Variable>
typename VariableCollection<Variable>::Pointer
VariableCollection<Variable>::Item(int position) const {
    if (position < 1 || position > Count()) throw ClassicError(ErrorCode::SubscriptOutOfRange);
    return m_items[static_cast<size_t>(position - 1)];
}

template <class Variable>
typename VariableCollection<Variable>::Pointer
VariableCollection<Variable>::ItemByKey(const std::string& key) const {
    for (size_t i = 0; i < m_keys.size(); ++i) {
        if (!m_keys[i].empty() && EqualsNoCase(m_keys[i], key)) return m_items[i];
    }
    return nullptr;
}

template <class Variable> void VariableCollection<Variable>::Remove(int position) {
    if (position < 1 || position > Count()) throw ClassicError(ErrorCode::SubscriptOutOfRange);
    m_items.erase(m_items.begin() + (position - 1));
    m_keys.erase(m_keys.begin() + (position - 1));
}

template <class Variable> void VariableCollection<Variable>::Clear() {
    m_items.clear();
    m_keys.clear();
}

template <class Variable> void VariableCollection<Variable>::RemoveByKey(const std::string& key) {
    for (size_t i = 0; i < m_keys.size(); ++i) {
        if (!m_keys[i].empty() && EqualsNoCase(m_keys[i], key)) {
            Remove(static_cast<int>(i) + 1);
            return;
        }
    }
    throw ClassicError(ErrorCode::InvalidProcedureCall);
}

template class VariableCollection<ClassVariable>;
template class VariableCollection<ClassVariableString>;
template class VariableCollection<ClassVariableVariant>;

void LoadVariables(ProjectVariables& vars) {
    vars.Variables.Clear();
    vars.VariablesVariant.Clear();
    try {
        ValueListReader in = ValueListReader::Open(Paths().Config + "Variables");
        in.Skip();
        bool variant = false;
        while (!in.AtEnd()) {
            const std::string name = in.ReadString();
            if (name == "***") {
                variant = true;
            } else if (variant) {
                vars.VariablesVariant.Add(name, int32_t{0});
            } else {
                vars.Variables.Add(name, 0);
            }
        }
    } catch (const ClassicError& error) {
        ShowCommonError(" Unable to load variables list.", DetailLines(error));
    }
}

void ChangeVariableValue(ProjectVariables& vars, const std::string& name, int16_t newValue) {
    for (const auto& variable : vars.Variables) {
        if (variable->Name != name) continue;
        variable->Value = newValue == -1 ? static_cast<int16_t>(variable->Value ^ 1) : newValue;
    }
}

void SetVariableValue(ProjectVariables& vars, const std::string& name, int16_t newValue) {
    for (const auto& variable : vars.Variables) {
        if (variable->Name == name) variable->Value = newValue;
    }
}

void ChangeVariableVariantValue(ProjectVariables& vars, const std::string& name,
                                const ListValue& value) {
    for (const auto& variable : vars.VariablesVariant) {
        if (variable->Name == name) variable->Value = value;
    }
}

int16_t GetVariableValue(const ProjectVariables& vars, const std::string& name) {
    for (const auto& variable : vars.Variables) {
        if (variable->Name == name) return variable->Value;
    }
    return -32000;
}

std::string VariantText(const ListValue& value) {
    return std::visit(
        [](const auto& v) -> std::string {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::monostate>)
                return "";
            else if constexpr (std::is_same_v<T, ListNull>)
                return "Null";
            else if constexpr (std::is_same_v<T, bool>)
                return v ? "True" : "False";
            else if constexpr (std::is_same_v<T, int32_t>)
                return std::to_string(v);
            else if constexpr (std::is_same_v<T, double>)
                return FormatClassicNumber(v);
            else if constexpr (std::is_same_v<T, std::string>)
                return v;
            else
                return FormatListDate(v);
        },
        value);
}

std::vector<std::string> VariablesStatusLines(const ProjectVariables& vars) {
    const std::string rule(26, '-');
    std::vector<std::string> lines = {
        "This window allows you to view the value of all the project variables. To create a new "
        "project variable, click \"Project Variables...\" from the frame editor menu. To manually "
        "change the value of a variable, click \"Execute VBS code...\" from the Debug menu, and "
        "then enter: \"VARIABLE_NAME = NEW_VALUE\" (without the quotes).",
        "", "", rule + " INTEGER VARIABLES: " + rule + std::string(13, ' '), ""};
    for (const auto& v : vars.Variables)
        lines.push_back(v->Name + " = " + std::to_string(v->Value));
    lines.push_back("");
    lines.push_back(rule + " VARIANT VARIABLES: " + rule + std::string(13, ' '));
    lines.push_back("");
    for (const auto& v : vars.VariablesVariant)
        lines.push_back(v->Name + " = " + VariantText(v->Value));
    return lines;
}

void ShowVariablesStatus(const ProjectVariables& vars) {
    const std::vector<std::string> lines = VariablesStatusLines(vars);
    std::string page;
    for (size_t k = 0; k < lines.size(); ++k) {
        page += lines[k] + "\r\n";
        if ((k + 1) % 25 == 0 && k + 1 != lines.size()) {
            Prompts().MessageBox(page, BoxStyle::Information, "Variables Status");
            page = std::string(52, ' ') + "\r\n";
        }
    }
    Prompts().MessageBox(page + "\r\n", BoxStyle::Information, "Variables Status");
}

} // namespace quillora
