// The Variant: every value a script holds, with reference-counted strings, arrays and objects.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quillora::vbs {

class Object;
struct ArrayData;

// The kinds of value. VarTypeCode() maps them to the numbers VarType reports.
enum class Type : uint8_t {
    Empty,
    Null,
    Boolean,
    Byte,
    Integer,
    Long,
    Single,
    Double,
    Currency,
    Date,
    Error, // an error code; Missing is the error DISP_E_PARAMNOTFOUND
    Ref,   // a by-reference argument: points at the caller's variable
    // The kinds from here on own a reference-counted payload.
    String,
    Object, // a null pointer is Nothing
    Array,
    ArrayRef, // a by-reference argument naming an array element (keeps the array alive, locked)
};

// Reference-counted immutable-by-sharing UTF-16 text. Shared buffers are never written; a
// buffer with one owner may be appended to in place (fast `s = s & x`).
struct StrData {
    int refs = 1;
    std::u16string text;
    bool oddByte = false; // a byte string (ChrB, LeftB) of odd length: the last unit holds one
};

// A by-reference handle to an array element: owns a reference to (and a lock on) the array.
struct ElemRefBox {
    ArrayData* array;
    size_t index;
};

constexpr int32_t kMissingError = static_cast<int32_t>(0x80020004); // DISP_E_PARAMNOTFOUND

class Value {
public:
    Value() : m_type(Type::Empty) { m_u.i64 = 0; }
    Value(const Value& other) : m_type(other.m_type), m_u(other.m_u) { AddRefPayload(); }
    Value(Value&& other) noexcept : m_type(other.m_type), m_u(other.m_u) {
        other.m_type = Type::Empty;
    }
    Value& operator=(const Value& other) {
        if (m_type < Type::String && other.m_type < Type::String) {
            m_type = other.m_type;
            m_u = other.m_u;
        } else if (this != &other) {
            Value copy(other);
            Swap(copy);
        }
        return *this;
    }
    Value& operator=(Value&& other) noexcept {
        if (this != &other) {
            ReleasePayload();
            m_type = other.m_type;
            m_u = other.m_u;
            other.m_type = Type::Empty;
        }
        return *this;
    }
    ~Value() { ReleasePayload(); }

    void Swap(Value& other) noexcept {
        std::swap(m_type, other.m_type);
        std::swap(m_u, other.m_u);
    }

    // Constructors of each kind.
    static Value Null() { return Value(Type::Null); }
    static Value Boolean(bool b) {
        Value v(Type::Boolean);
        v.m_u.b = b;
        return v;
    }
    static Value Byte(uint8_t x) {
        Value v(Type::Byte);
        v.m_u.i64 = x;
        return v;
    }
    static Value Integer(int16_t x) {
        Value v(Type::Integer);
        v.m_u.i64 = x;
        return v;
    }
    static Value Long(int32_t x) {
        Value v(Type::Long);
        v.m_u.i64 = x;
        return v;
    }
    static Value Single(float x) {
        Value v(Type::Single);
        v.m_u.d = x;
        return v;
    }
    static Value Double(double x) {
        Value v(Type::Double);
        v.m_u.d = x;
        return v;
    }
    // Currency is held as an integer number of ten-thousandths.
    static Value CurrencyScaled(int64_t scaled) {
        Value v(Type::Currency);
        v.m_u.i64 = scaled;
        return v;
    }
    // Days since 30 December 1899; the fraction is the time of day.
    static Value Date(double serial) {
        Value v(Type::Date);
        v.m_u.d = serial;
        return v;
    }
    static Value Str(std::u16string text);
    static Value Str(std::u16string_view text) { return Str(std::u16string(text)); }
    static Value Str(const char16_t* text) { return Str(std::u16string(text)); }
    // A string of raw bytes, two to a UTF-16 unit (low byte first); an odd count is kept.
    static Value FromBytes(std::string_view bytes);
    static Value FromUtf8(std::string_view utf8);
    // Takes a reference of its own (Nothing when null).
    static Value Obj(Object* object);
    static Value Nothing() { return Obj(nullptr); }
    static Value Error(int32_t code) {
        Value v(Type::Error);
        v.m_u.i64 = code;
        return v;
    }
    static Value Missing() { return Error(kMissingError); }
    // Takes ownership of one reference to the array.
    static Value ArrayAdopt(ArrayData* array);
    static Value MakeRef(Value* target) {
        Value v(Type::Ref);
        v.m_u.ref = target;
        return v;
    }
    // A reference to element `index` of `array` (adds a reference and a lock).
    static Value MakeElemRef(ArrayData* array, size_t index);

    Type GetType() const { return m_type; }
    bool IsEmpty() const { return m_type == Type::Empty; }
    bool IsNull() const { return m_type == Type::Null; }
    bool IsString() const { return m_type == Type::String; }
    bool IsOddByteString() const { return m_type == Type::String && m_u.str->oddByte; }
    bool IsObject() const { return m_type == Type::Object; }
    bool IsNothing() const { return m_type == Type::Object && m_u.obj == nullptr; }
    bool IsArray() const { return m_type == Type::Array; }
    bool IsMissing() const { return m_type == Type::Error && m_u.i64 == kMissingError; }
    bool IsReference() const { return m_type == Type::Ref || m_type == Type::ArrayRef; }
    bool IsNumericType() const { return m_type >= Type::Boolean && m_type <= Type::Date; }

    bool AsBool() const { return m_u.b; }
    int64_t AsInt() const { return m_u.i64; } // Byte, Integer, Long, Error; Currency scaled
    double AsDouble() const { return m_u.d; } // Single, Double, Date
    const std::u16string& AsString() const { return m_u.str->text; }
    StrData* StringData() const { return m_u.str; }
    Object* AsObject() const { return m_u.obj; }
    ArrayData* AsArray() const { return m_u.arr; }
    ArrayData* ElementArray() const { return m_u.elem->array; } // of an ArrayRef

    // The value a reference points at (the value itself when it is no reference).
    const Value& Deref() const {
        if (m_type == Type::Ref) return *m_u.ref;
        return m_type == Type::ArrayRef ? ElementTarget() : *this;
    }
    Value& DerefMutable() {
        if (m_type == Type::Ref) return *m_u.ref;
        return m_type == Type::ArrayRef ? ElementTarget() : *this;
    }

    // The bytes of a string, two to a unit (low byte first), without a byte string's pad.
    std::string Bytes() const;
    // Appends text in place when this string's buffer has one owner, else copies.
    void AppendString(std::u16string_view text);
    // Makes this array's data unshared (copy on write) and returns it.
    ArrayData* UniqueArray();

private:
    explicit Value(Type type) : m_type(type) { m_u.i64 = 0; }
    // Only strings, objects and arrays carry reference counts; numbers skip the calls.
    void AddRefPayload() {
        if (m_type >= Type::String) AddRefSlow();
    }
    void ReleasePayload() {
        if (m_type >= Type::String) ReleaseSlow();
    }
    void AddRefSlow();
    void ReleaseSlow();
    Value& ElementTarget() const;

    Type m_type;
    union {
        bool b;
        int64_t i64;
        double d;
        StrData* str;
        Object* obj;
        ArrayData* arr;
        Value* ref;
        ElemRefBox* elem;
    } m_u;
};

// An array of any number of dimensions; elements are stored with the first index varying
// fastest (column-major), as Index() computes.
struct ArrayData {
    int refs = 1;
    int locks = 0;      // by-reference element handles and For Each loops: no ReDim meanwhile
    bool fixed = false; // declared with bounds by Dim: ReDim is refused
    std::vector<int32_t> lower;
    std::vector<int32_t> upper;
    std::vector<Value> items;

    size_t Dimensions() const { return upper.size(); }
    // Flat index of subscripts, or -1 when one is out of range or their number is wrong.
    long long Index(const int32_t* subscripts, size_t count) const;
    // A new array of Empty values with lower bounds 0; error 7 ("Out of memory") when the
    // element count passes kMaxArrayItems, error 9 for a negative bound below -1.
    static ArrayData* Create(const std::vector<int32_t>& upperBounds);
    // The element count of those bounds, with Create's errors.
    static size_t ItemCount(const std::vector<int32_t>& upperBounds);
    static constexpr size_t kMaxArrayItems = size_t(1) << 26;
};

// Deletes an array whose last reference went, queued like DeleteObject so that arrays nested
// in arrays (`l = Array(x, l)` in a loop) cannot exhaust the stack when released.
void DeleteArray(ArrayData* array);

inline void ReleaseArray(ArrayData* array) {
    if (array && --array->refs == 0) DeleteArray(array);
}

} // namespace quillora::vbs
