// The host boundary: the one dispatch interface through which scripts reach every object.
//
// Scripts see objects only through Object: members are found by name (without regard to letter
// case) and invoked as a property get (which is also how methods are called), a property let
// (plain assignment) or a property set (`Set` assignment). Member 0 is the default member, used
// when a script reads or assigns an object without naming a member, or indexes it as
// `Hotspot(3)`. An object that is a collection also hands out an Enumerator for `For Each`.
//
// Lifetime: objects are reference-counted; Value copies hold references. A host that owns an
// object for longer (the game's `Action` object) simply keeps a reference of its own (ObjectRef).
// Everything happens on one thread. Convert.h turns argument values into C++ ones (ToLong,
// ToBool, ToString and ToUtf8 for text) with the language's coercions and errors.
#pragma once

#include "vbscript/Value.h"

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quillora::vbs {

// How a member is invoked.
enum class InvokeKind {
    Get, // read a property, or call a method (its result may be ignored)
    Let, // assign a value: the value is the last argument
    Set, // assign an object reference: the value is the last argument
};

constexpr int kDefaultMember = 0;
constexpr int kNoMember = -1;

// Hands out the items of a collection one by one for `For Each`.
class Enumerator {
public:
    virtual ~Enumerator() = default;
    // Stores the next item in `item` and returns true, or returns false at the end.
    virtual bool Next(Value& item) = 0;
};

class Object;
// Deletes an object whose last reference went. Deleting one object can release the next of a
// long chain (a linked list of script objects or dictionaries): past a modest nesting depth
// the deletions queue up and the outermost one works through them, so short chains keep
// their Class_Terminate order and long ones cannot exhaust the stack.
void DeleteObject(Object* object);

class Object {
public:
    virtual ~Object() = default;
    Object() = default;
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    void AddRef() { ++m_refs; }
    void Release() {
        if (--m_refs == 0) Finalize();
    }
    int RefCount() const { return m_refs; }

    // The text TypeName reports for the object ("Dictionary", a script class's name, ...).
    virtual std::u16string TypeName() const { return u"Object"; }

    // The id of a member, or kNoMember. `foldedName` is the member's name in lower case
    // (UTF-8); ids are the object's own choice, kDefaultMember being the default member.
    virtual int FindMember(std::string_view foldedName) = 0;

    // Invokes member `member` (an id from FindMember, or kDefaultMember) with the arguments in
    // source order. An argument may be a reference to the caller's variable: read it with
    // Deref(), and assign through DerefMutable() to hand back a by-reference result. Failures
    // throw ScriptError (see Errors.h), e.g. ThrowError(438) for an unsupported member.
    virtual Value Invoke(int member, InvokeKind kind, std::span<Value> args) = 0;

    // The enumerator for `For Each`, or nullptr when the object is no collection.
    virtual std::unique_ptr<Enumerator> Enumerate() { return nullptr; }
    // Calls `visit` on every value the object holds a reference through, so that cycles of
    // objects can be found; an object that holds none keeps the default.
    virtual void VisitValues(const std::function<void(Value&)>& visit) { (void)visit; }

protected:
    // Called when the last reference goes; deletes the object unless overridden.
    virtual void Finalize() { DeleteObject(this); }

private:
    int m_refs = 0;
};

// An owning smart pointer to an Object (intrusive reference count).
template <class T = Object> class Ref {
public:
    Ref() = default;
    Ref(T* object) : m_p(object) {
        if (m_p) m_p->AddRef();
    }
    Ref(const Ref& other) : Ref(other.m_p) {}
    Ref(Ref&& other) noexcept : m_p(other.m_p) { other.m_p = nullptr; }
    Ref& operator=(Ref other) {
        std::swap(m_p, other.m_p);
        return *this;
    }
    ~Ref() {
        if (m_p) m_p->Release();
    }
    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    T& operator*() const { return *m_p; }
    explicit operator bool() const { return m_p != nullptr; }

private:
    T* m_p = nullptr;
};
using ObjectRef = Ref<Object>;

// A convenient base for host objects: members are declared with functions instead of writing
// FindMember/Invoke by hand. A member may have a getter (property read or method call), a
// letter and a setter; what it lacks fails with error 438 ("Object doesn't support this
// property or method") or 450 for an assignment.
class HostObject : public Object {
public:
    using Getter = std::function<Value(std::span<Value> args)>;
    // `args` holds the indexes only; `value` is what is assigned.
    using Setter = std::function<void(std::span<Value> args, const Value& value)>;

    explicit HostObject(std::u16string typeName = u"Object") : m_typeName(std::move(typeName)) {}

    // Declares a member by name (any letter case). An empty name declares the default member.
    // The getter receives the call's arguments (a method, or an indexed property).
    void DefineMember(std::string_view name, Getter get, Setter let = nullptr,
                      Setter set = nullptr);
    // Declares a property without parameters: arguments written after it index the value it
    // returns, as `WScript.Arguments(0)` indexes the Arguments collection.
    void DefineProperty(std::string_view name, std::function<Value()> get, Setter let = nullptr,
                        Setter set = nullptr);
    // Makes the object a collection for For Each: `items` is called at the start of each loop.
    void DefineItems(std::function<std::vector<Value>()> items) { m_items = std::move(items); }

    std::u16string TypeName() const override { return m_typeName; }
    int FindMember(std::string_view foldedName) override;
    Value Invoke(int member, InvokeKind kind, std::span<Value> args) override;
    std::unique_ptr<Enumerator> Enumerate() override;

private:
    struct Member {
        Getter get;
        Setter let;
        Setter set;
    };
    std::u16string m_typeName;
    std::vector<Member> m_members{Member{}}; // index 0 is the default member
    std::unordered_map<std::string, int> m_ids;
    std::function<std::vector<Value>()> m_items;
};

// An enumerator over a snapshot of values.
class VectorEnumerator : public Enumerator {
public:
    explicit VectorEnumerator(std::vector<Value> items) : m_items(std::move(items)) {}
    bool Next(Value& item) override;

private:
    std::vector<Value> m_items;
    size_t m_next = 0;
};

} // namespace quillora::vbs
