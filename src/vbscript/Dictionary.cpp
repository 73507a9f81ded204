// Scripting.Dictionary: keyed items in insertion order, keys compared binary or as text.
#include "core/Cp1252.h"
#include "vbscript/Convert.h"
#include "vbscript/Engine.h"

#include <unordered_map>

namespace quillora::vbs {

namespace {

class Dictionary : public Object {
public:
    std::u16string TypeName() const override { return u"Dictionary"; }

    enum Id {
        Item = 0,
        Add,
        Exists,
        Items,
        Keys,
        Remove,
        RemoveAll,
        Count,
        Key,
        CompareMode,
        HashVal
    };

    int FindMember(std::string_view name) override {
        static const std::unordered_map<std::string_view, int> ids = {
            {"item", Item},
            {"add", Add},
            {"exists", Exists},
            {"items", Items},
            {"keys", Keys},
            {"remove", Remove},
            {"removeall", RemoveAll},
            {"count", Count},
            {"key", Key},
            {"comparemode", CompareMode},
            {"hashval", HashVal},
        };
        auto it = ids.find(name);
        return it == ids.end() ? kNoMember : it->second;
    }

    Value Invoke(int member, InvokeKind kind, std::span<Value> args) override {
        auto need = [&](size_t n) {
            if (args.size() != n) ThrowError(Err::WrongArgCount);
        };
        if (kind != InvokeKind::Get) {
            switch (member) {
            case Item: {
                need(2);
                const Value& value = args[1].Deref();
                Value& slot = FindOrAdd(args[0].Deref());
                if (kind == InvokeKind::Set)
                    SetAssign(slot, value);
                else
                    slot = value.IsObject() ? Resolve(value) : value;
                return {};
            }
            case Key: {
                need(2);
                const std::string oldKey = Normal(args[0].Deref());
                auto it = m_index.find(oldKey);
                if (it == m_index.end()) ThrowError(Err::ElementNotFound);
                const std::string newKey = Normal(args[1].Deref());
                if (m_index.count(newKey)) ThrowError(Err::KeyExists);
                const size_t at = it->second;
                m_index.erase(it);
                m_entries[at].first = args[1].Deref();
                m_index.emplace(newKey, at);
                return {};
            }
            case CompareMode:
                need(1);
                if (!m_entries.empty()) ThrowError(Err::InvalidCall);
                m_textMode = ToLong(args[0]) == 1;
                return {};
            default: ThrowError(Err::NoSuchMember);
            }
        }
        switch (member) {
        case Item: {
            need(1);
            return FindOrAdd(args[0].Deref());
        }
        case Add: {
            need(2);
            const Value& key = args[0].Deref();
            const std::string k = Normal(key);
            if (m_index.count(k)) ThrowError(Err::KeyExists);
            m_index.emplace(k, m_entries.size());
            m_entries.emplace_back(key, args[1].Deref());
            return {};
        }
        case Exists: need(1); return Value::Boolean(m_index.count(Normal(args[0].Deref())) > 0);
        case Items:
        case Keys: {
            need(0);
            ArrayData* arr = ArrayData::Create({static_cast<int32_t>(m_entries.size()) - 1});
            for (size_t i = 0; i < m_entries.size(); ++i)
                arr->items[i] = member == Keys ? m_entries[i].first : m_entries[i].second;
            return Value::ArrayAdopt(arr);
        }
        case Remove: {
            need(1);
            auto it = m_index.find(Normal(args[0].Deref()));
            if (it == m_index.end()) ThrowError(Err::ElementNotFound);
            const size_t at = it->second;
            m_index.erase(it);
            m_entries.erase(m_entries.begin() + static_cast<long>(at));
            for (auto& [k, i] : m_index)
                if (i > at) --i;
            return {};
        }
        case RemoveAll:
            need(0);
            m_entries.clear();
            m_index.clear();
            return {};
        case Count: need(0); return Value::Long(static_cast<int32_t>(m_entries.size()));
        case CompareMode: return Value::Long(m_textMode ? 1 : 0);
        case HashVal: {
            need(1);
            const std::string k = Normal(args[0].Deref());
            return Value::Long(static_cast<int32_t>(std::hash<std::string>{}(k) % 1201));
        }
        default: ThrowError(Err::NoSuchMember);
        }
    }

    std::unique_ptr<Enumerator> Enumerate() override {
        std::vector<Value> keys;
        for (const auto& e : m_entries)
            keys.push_back(e.first);
        return std::make_unique<VectorEnumerator>(std::move(keys));
    }

private:
    // A text that is equal for equal keys: numbers by value, text by content (folded in text
    // mode), objects by identity.
    std::string Normal(const Value& key) const {
        switch (key.GetType()) {
        case Type::Empty: return "e";
        case Type::Null: return "z";
        case Type::String:
            return "s" + ToUtf8(m_textMode ? LowerText(key.AsString()) : key.AsString());
        case Type::Object: return "o" + std::to_string(reinterpret_cast<uintptr_t>(key.AsObject()));
        case Type::Boolean: return key.AsBool() ? "b1" : "b0";
        case Type::Date: return "d" + ToUtf8(FormatDouble(key.AsDouble()));
        case Type::Array: ThrowTypeMismatch();
        default: return "n" + ToUtf8(FormatDouble(ToDouble(key), 17));
        }
    }

    Value& FindOrAdd(const Value& key) {
        const std::string k = Normal(key);
        auto it = m_index.find(k);
        if (it != m_index.end()) return m_entries[it->second].second;
        m_index.emplace(k, m_entries.size());
        m_entries.emplace_back(key, Value());
        return m_entries.back().second;
    }

public:
    void VisitValues(const std::function<void(Value&)>& visit) override {
        for (auto& [key, item] : m_entries) {
            visit(key);
            visit(item);
        }
    }

private:
    std::vector<std::pair<Value, Value>> m_entries;
    std::unordered_map<std::string, size_t> m_index;
    bool m_textMode = false;
};

} // namespace

ObjectRef MakeDictionary() {
    return ObjectRef(new Dictionary);
}

} // namespace quillora::vbs
