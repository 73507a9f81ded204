// Reference counting and copy-on-write of Variant payloads, and the array layout.
#include "vbscript/Value.h"

#include "core/Cp1252.h"
#include "vbscript/Errors.h"
#include "vbscript/Object.h"

namespace quillora::vbs {

Value Value::Str(std::u16string text) {
    Value v(Type::String);
    v.m_u.str = new StrData{1, std::move(text)};
    return v;
}

Value Value::FromBytes(std::string_view bytes) {
    std::u16string units((bytes.size() + 1) / 2, u'\0');
    for (size_t i = 0; i < bytes.size(); ++i)
        units[i / 2] |= static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) << (i % 2 * 8));
    Value v = Str(std::move(units));
    v.m_u.str->oddByte = bytes.size() % 2 != 0;
    return v;
}

std::string Value::Bytes() const {
    const std::u16string& units = m_u.str->text;
    std::string bytes;
    bytes.reserve(units.size() * 2);
    for (char16_t u : units) {
        bytes.push_back(static_cast<char>(u & 0xFF));
        bytes.push_back(static_cast<char>(u >> 8));
    }
    if (m_u.str->oddByte && !bytes.empty()) bytes.pop_back();
    return bytes;
}

Value Value::FromUtf8(std::string_view utf8) {
    std::u16string text;
    text.reserve(utf8.size());
    size_t pos = 0;
    while (pos < utf8.size()) {
        char32_t cp = NextCodePoint(utf8, pos);
        if (cp >= 0x10000) {
            cp -= 0x10000;
            text.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            text.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            text.push_back(static_cast<char16_t>(cp));
        }
    }
    return Str(std::move(text));
}

Value Value::Obj(Object* object) {
    Value v(Type::Object);
    v.m_u.obj = object;
    if (object) object->AddRef();
    return v;
}

Value Value::ArrayAdopt(ArrayData* array) {
    Value v(Type::Array);
    v.m_u.arr = array;
    return v;
}

Value Value::MakeElemRef(ArrayData* array, size_t index) {
    Value v(Type::ArrayRef);
    ++array->refs;
    ++array->locks;
    v.m_u.elem = new ElemRefBox{array, index};
    return v;
}

Value& Value::ElementTarget() const {
    return m_u.elem->array->items[m_u.elem->index];
}

void Value::AppendString(std::u16string_view text) {
    if (m_type == Type::String && m_u.str->refs == 1) {
        m_u.str->text.append(text);
        return;
    }
    std::u16string joined;
    if (m_type == Type::String) {
        joined.reserve(m_u.str->text.size() + text.size());
        joined = m_u.str->text;
    }
    joined.append(text);
    *this = Str(std::move(joined));
}

ArrayData* Value::UniqueArray() {
    // Element handles (locks) alias the data on purpose; only other Variant copies share it.
    if (m_u.arr->refs - m_u.arr->locks > 1) {
        auto* copy = new ArrayData(*m_u.arr);
        copy->refs = 1;
        copy->locks = 0;
        copy->fixed = false;
        --m_u.arr->refs;
        m_u.arr = copy;
    }
    return m_u.arr;
}

void Value::AddRefSlow() {
    switch (m_type) {
    case Type::String: ++m_u.str->refs; break;
    case Type::Object:
        if (m_u.obj) m_u.obj->AddRef();
        break;
    case Type::Array:
        if (m_u.arr->locks > 0) {
            // Data with element references out is never shared: the copy gets its own.
            auto* copy = new ArrayData(*m_u.arr);
            copy->refs = 1;
            copy->locks = 0;
            copy->fixed = false;
            m_u.arr = copy;
        } else {
            ++m_u.arr->refs;
        }
        break;
    case Type::ArrayRef:
        m_u.elem = new ElemRefBox(*m_u.elem);
        ++m_u.elem->array->refs;
        ++m_u.elem->array->locks;
        break;
    default: break;
    }
}

void Value::ReleaseSlow() {
    switch (m_type) {
    case Type::String:
        if (--m_u.str->refs == 0) delete m_u.str;
        break;
    case Type::Object:
        if (m_u.obj) {
            Object* obj = m_u.obj;
            m_type = Type::Empty; // a finaliser that reads this slot must not see a dying object
            obj->Release();
        }
        break;
    case Type::Array: {
        ArrayData* arr = m_u.arr;
        m_type = Type::Empty;
        ReleaseArray(arr);
        break;
    }
    case Type::ArrayRef:
        --m_u.elem->array->locks;
        ReleaseArray(m_u.elem->array);
        delete m_u.elem;
        break;
    default: break;
    }
}

long long ArrayData::Index(const int32_t* subscripts, size_t count) const {
    // Column-major, as the classic arrays: the first subscript varies fastest, so For Each
    // walks that order and ReDim Preserve of the last dimension keeps the elements in place.
    if (count != upper.size()) return -1;
    long long flat = 0, stride = 1;
    for (size_t d = 0; d < count; ++d) {
        if (subscripts[d] < lower[d] || subscripts[d] > upper[d]) return -1;
        flat += (static_cast<long long>(subscripts[d]) - lower[d]) * stride;
        stride *= static_cast<long long>(upper[d]) - lower[d] + 1;
    }
    return flat;
}

size_t ArrayData::ItemCount(const std::vector<int32_t>& upperBounds) {
    size_t total = 1;
    for (int32_t ub : upperBounds) {
        if (ub < -1) ThrowError(Err::OutOfRange);
        total *= static_cast<size_t>(static_cast<long long>(ub) + 1);
        if (total > kMaxArrayItems) ThrowError(Err::OutOfMemory);
    }
    return total;
}

ArrayData* ArrayData::Create(const std::vector<int32_t>& upperBounds) {
    const size_t total = ItemCount(upperBounds);
    auto* array = new ArrayData;
    for (int32_t ub : upperBounds) {
        array->lower.push_back(0);
        array->upper.push_back(ub);
    }
    array->items.resize(total);
    return array;
}

} // namespace quillora::vbs
