// Cycle collection: script objects that only reference each other are found and freed.
//
// Reference counting alone never frees `a.other = b : b.other = a`. The collector looks at
// the graph of objects and arrays reachable from the engine's live class instances: a node
// referenced more often than the graph's own edges explain is held from outside (a variable,
// the value stack, the host) and stays alive with everything it reaches; the rest is garbage.
// Garbage is freed by emptying what it holds, without Class_Terminate, since no script can
// reach it any more.
#include "vbscript/Engine.h"

#include <unordered_map>

namespace quillora::vbs {

void Engine::Track(ClassInstance* instance) {
    instance->m_tracker = this;
    instance->m_nextLive = m_live;
    if (m_live) m_live->m_prevLive = instance;
    m_live = instance;
    ++m_liveCount;
}

void Engine::Untrack(ClassInstance* instance) {
    if (instance->m_prevLive)
        instance->m_prevLive->m_nextLive = instance->m_nextLive;
    else
        m_live = instance->m_nextLive;
    if (instance->m_nextLive) instance->m_nextLive->m_prevLive = instance->m_prevLive;
    instance->m_tracker = nullptr;
    instance->m_prevLive = instance->m_nextLive = nullptr;
    --m_liveCount;
}

ClassInstance::~ClassInstance() {
    if (m_tracker) m_tracker->Untrack(this);
}

void ClassInstance::VisitValues(const std::function<void(Value&)>& visit) {
    for (Value& field : m_fields)
        visit(field);
}

namespace {

// One object or array of the graph.
struct Node {
    Object* object = nullptr;
    ArrayData* array = nullptr;
    int edges = 0;     // references to it from other nodes
    bool held = false; // reachable from outside the graph
    bool listed = false;
};

class Graph {
public:
    void Add(Object* object) { Find(object, nullptr); }

    // Counts every edge, discovering the nodes they lead to.
    void CountEdges() {
        for (size_t i = 0; i < m_order.size(); ++i)
            Children(m_order[i], [&](Node& child) { ++child.edges; });
    }

    // Marks the nodes held from outside and everything they reach.
    void MarkHeld() {
        std::vector<size_t> work;
        for (size_t i = 0; i < m_order.size(); ++i) {
            Node& n = m_nodes[m_order[i]];
            const int refs = n.object ? n.object->RefCount() : n.array->refs;
            if (refs > n.edges) {
                n.held = true;
                work.push_back(i);
            }
        }
        while (!work.empty()) {
            const size_t i = work.back();
            work.pop_back();
            Children(m_order[i], [&](Node& child) {
                if (child.held) return;
                child.held = true;
                work.push_back(m_indexOf[&child]);
            });
        }
    }

    // The objects nothing outside reaches.
    std::vector<ObjectRef> Garbage() const {
        std::vector<ObjectRef> garbage;
        for (const void* key : m_order) {
            const Node& n = m_nodes.at(key);
            if (!n.held && n.object) garbage.emplace_back(n.object);
        }
        return garbage;
    }

private:
    Node& Find(Object* object, ArrayData* array) {
        const void* key = object ? static_cast<const void*>(object) : array;
        Node& n = m_nodes[key];
        if (!n.listed) {
            n.listed = true;
            n.object = object;
            n.array = array;
            m_indexOf[&n] = m_order.size();
            m_order.push_back(key);
        }
        return n;
    }

    template <class F> void Children(const void* key, F&& onChild) {
        Node& n = m_nodes[key];
        auto visit = [&](Value& v) {
            switch (v.GetType()) {
            case Type::Object:
                if (v.AsObject()) onChild(Find(v.AsObject(), nullptr));
                break;
            case Type::Array: onChild(Find(nullptr, v.AsArray())); break;
            case Type::ArrayRef: onChild(Find(nullptr, v.ElementArray())); break;
            default: break;
            }
        };
        if (n.object) {
            n.object->VisitValues(visit);
        } else {
            // Copy the pointer: Find may grow the table while the items are walked.
            ArrayData* array = n.array;
            for (Value& item : array->items)
                visit(item);
        }
    }

    // Nodes stay where they are in an unordered_map, so pointers to them remain valid.
    std::unordered_map<const void*, Node> m_nodes;
    std::unordered_map<const Node*, size_t> m_indexOf;
    std::vector<const void*> m_order;
};

} // namespace

void Engine::CollectCycles() {
    Graph graph;
    for (ClassInstance* i = m_live; i; i = i->m_nextLive)
        graph.Add(i);
    graph.CountEdges();
    graph.MarkHeld();
    std::vector<ObjectRef> garbage = graph.Garbage();
    for (ObjectRef& object : garbage)
        if (auto* instance = dynamic_cast<ClassInstance*>(object.Get())) instance->SkipTerminate();
    // Emptying the garbage drops the references inside it; the references held here keep
    // every garbage object alive until all of them are emptied.
    for (ObjectRef& object : garbage)
        object->VisitValues([](Value& v) { v = Value(); });
    garbage.clear();
    m_collectAt = std::max<size_t>(10000, m_liveCount * 2);
}

} // namespace quillora::vbs
