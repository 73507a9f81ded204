// The RegExp object with its Matches, Match and SubMatches collections, on PCRE2 (16-bit code
// units, as the script's strings) with options that give ECMAScript-style patterns.
#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

#include "vbscript/Convert.h"
#include "vbscript/Engine.h"

#include <unordered_map>

namespace quillora::vbs {

namespace {

// Appends the escape of letter or sign e as PCRE2 should read it. A script's escapes with letters
// are only b B d D f n r s S t v w W x u c; any other letter stands for itself (PCRE2 gives many
// of them meanings: \h, \R, \A, \Q...), and \v is the vertical tab alone, not all vertical
// space.
void AppendEscape(std::u16string& out, char16_t e) {
    const bool letter = (e >= 'a' && e <= 'z') || (e >= 'A' && e <= 'Z');
    if (e == 'v') {
        out += u"\\x0B";
    } else if (letter &&
               std::u16string_view(u"bBdDfnrsStwWxuc").find(e) == std::u16string_view::npos) {
        out.push_back(e);
    } else {
        out.push_back('\\');
        out.push_back(e);
    }
}

// The pattern as PCRE2 reads it. A script's "." stops only at "\n", while PCRE2's stops at every
// newline it knows (and "\r" must stay one for ^ and $ in MultiLine mode), so a bare "." becomes
// a class without "\n".
std::u16string ToPcrePattern(const std::u16string& pattern) {
    std::u16string out;
    out.reserve(pattern.size());
    bool inClass = false;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char16_t c = pattern[i];
        if (c == '\\' && i + 1 < pattern.size()) {
            AppendEscape(out, pattern[++i]);
        } else if (inClass) {
            out.push_back(c);
            if (c == ']') inClass = false;
        } else if (c == '[') {
            out.push_back(c);
            inClass = true;
            // PCRE2 takes a "]" right after "[" or "[^" as a member, not as the end.
            if (i + 1 < pattern.size() && pattern[i + 1] == '^') out.push_back(pattern[++i]);
            if (i + 1 < pattern.size() && pattern[i + 1] == ']') out.push_back(pattern[++i]);
        } else if (c == '.') {
            out += u"[^\\n]";
        } else {
            out.push_back(c);
        }
    }
    return out;
}

bool MayNameNonAscii(const std::u16string& pattern) {
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] > 127) return true;
        if (pattern[i] == '\\' && i + 1 < pattern.size()) {
            const char16_t next = pattern[++i];
            if (next == 'u' || next == 'x') return true;
        }
    }
    return false;
}

// The script error for a pattern PCRE2 refused.
int PatternError(int pcreError) {
    switch (pcreError) {
    case PCRE2_ERROR_QUANTIFIER_INVALID: return 5018;
    case PCRE2_ERROR_MISSING_SQUARE_BRACKET: return 5019;
    case PCRE2_ERROR_MISSING_CLOSING_PARENTHESIS: return 5020;
    case PCRE2_ERROR_CLASS_RANGE_ORDER: return 5021;
    default: return Err::RegExpSyntax;
    }
}

struct MatchData {
    int32_t index = 0;
    std::u16string value;
    std::vector<Value> groups; // Empty for a group that took no part
};

// A read-only list of values with Count and Item, enumerable.
class ValueList : public Object {
public:
    ValueList(std::u16string typeName, std::vector<Value> items)
        : m_typeName(std::move(typeName)), m_items(std::move(items)) {}
    std::u16string TypeName() const override { return m_typeName; }
    int FindMember(std::string_view name) override {
        if (name == "item") return 0;
        if (name == "count") return 1;
        return kNoMember;
    }
    Value Invoke(int member, InvokeKind kind, std::span<Value> args) override {
        if (kind != InvokeKind::Get) ThrowError(Err::NoSuchMember);
        if (member == 1) {
            if (!args.empty()) ThrowError(Err::WrongArgCount);
            return Value::Long(static_cast<int32_t>(m_items.size()));
        }
        if (args.size() != 1) ThrowError(Err::WrongArgCount);
        const int32_t i = ToLong(args[0]);
        if (i < 0 || static_cast<size_t>(i) >= m_items.size()) ThrowError(Err::InvalidCall);
        return m_items[static_cast<size_t>(i)];
    }
    std::unique_ptr<Enumerator> Enumerate() override {
        return std::make_unique<VectorEnumerator>(m_items);
    }

private:
    std::u16string m_typeName;
    std::vector<Value> m_items;
};

class MatchObject : public Object {
public:
    explicit MatchObject(MatchData data) : m_data(std::move(data)) {}
    std::u16string TypeName() const override { return u"IMatch2"; }
    int FindMember(std::string_view name) override {
        if (name == "value") return 0;
        if (name == "firstindex") return 1;
        if (name == "length") return 2;
        if (name == "submatches") return 3;
        return kNoMember;
    }
    Value Invoke(int member, InvokeKind kind, std::span<Value> args) override {
        if (kind != InvokeKind::Get) ThrowError(Err::NoSuchMember);
        if (member == 3) {
            const Value list = Value::Obj(new ValueList(u"ISubMatches", m_data.groups));
            return args.empty() ? list : IndexValue(list, args);
        }
        if (!args.empty()) ThrowError(Err::WrongArgCount);
        switch (member) {
        case 0: return Value::Str(m_data.value);
        case 1: return Value::Long(m_data.index);
        case 2: return Value::Long(static_cast<int32_t>(m_data.value.size()));
        default: return Value::Obj(new ValueList(u"ISubMatches", m_data.groups));
        }
    }

private:
    MatchData m_data;
};

class RegExpObject : public Object {
public:
    ~RegExpObject() override { Free(); }
    std::u16string TypeName() const override { return u"IRegExp2"; }

    enum Id { Pattern = 0, IgnoreCase, Global, MultiLine, Execute, Replace, Test };
    int FindMember(std::string_view name) override {
        static const std::unordered_map<std::string_view, int> ids = {
            {"pattern", Pattern}, {"ignorecase", IgnoreCase},
            {"global", Global},   {"multiline", MultiLine},
            {"execute", Execute}, {"replace", Replace},
            {"test", Test}};
        auto it = ids.find(name);
        return it == ids.end() ? kNoMember : it->second;
    }

    Value Invoke(int member, InvokeKind kind, std::span<Value> args) override {
        if (kind != InvokeKind::Get) {
            if (args.size() != 1) ThrowError(Err::WrongArgCount);
            switch (member) {
            case Pattern: m_pattern = ToString(args[0]); break;
            case IgnoreCase: m_ignoreCase = ToBool(args[0]); break;
            case Global: m_global = ToBool(args[0]); break;
            case MultiLine: m_multiLine = ToBool(args[0]); break;
            default: ThrowError(Err::NoSuchMember);
            }
            Free();
            return {};
        }
        auto need = [&](size_t n) {
            if (args.size() != n) ThrowError(Err::WrongArgCount);
        };
        switch (member) {
        case Pattern: need(0); return Value::Str(m_pattern);
        case IgnoreCase: need(0); return Value::Boolean(m_ignoreCase);
        case Global: need(0); return Value::Boolean(m_global);
        case MultiLine: need(0); return Value::Boolean(m_multiLine);
        case Execute: {
            need(1);
            std::vector<Value> items;
            for (MatchData& m : FindAll(ToString(args[0]), m_global))
                items.push_back(Value::Obj(new MatchObject(std::move(m))));
            return Value::Obj(new ValueList(u"IMatchCollection2", std::move(items)));
        }
        case Test: need(1); return Value::Boolean(!FindAll(ToString(args[0]), false).empty());
        case Replace: {
            need(2);
            const std::u16string subject = ToString(args[0]);
            const std::u16string with = ToString(args[1]);
            std::u16string out;
            size_t last = 0;
            for (const MatchData& m : FindAll(subject, m_global)) {
                out.append(subject, last, static_cast<size_t>(m.index) - last);
                Expand(out, with, m, subject);
                last = static_cast<size_t>(m.index) + m.value.size();
            }
            out.append(subject, last, std::u16string::npos);
            return Value::Str(std::move(out));
        }
        default: ThrowError(Err::NoSuchMember);
        }
    }

private:
    void Free() {
        if (m_code) pcre2_code_free(m_code);
        m_code = nullptr;
    }

    pcre2_code* Code() {
        if (m_code) return m_code;
        uint32_t options = PCRE2_ALT_BSUX | PCRE2_MATCH_UNSET_BACKREF;
        if (m_ignoreCase) options |= PCRE2_CASELESS;
        // Letters beyond ASCII fold only in PCRE2's UTF mode. It is kept to patterns that can
        // name such letters, since it also steps over surrogate pairs as single characters.
        if (m_ignoreCase && MayNameNonAscii(m_pattern))
            options |= PCRE2_UTF | PCRE2_MATCH_INVALID_UTF;
        if (m_multiLine)
            options |= PCRE2_MULTILINE;
        else
            options |= PCRE2_DOLLAR_ENDONLY;
        pcre2_compile_context* context = pcre2_compile_context_create(nullptr);
        pcre2_set_newline(context, PCRE2_NEWLINE_ANYCRLF);
        pcre2_set_compile_extra_options(context, PCRE2_EXTRA_ALT_BSUX);
        int error = 0;
        PCRE2_SIZE offset = 0;
        const std::u16string pattern = ToPcrePattern(m_pattern);
        m_code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(),
                               options, &error, &offset, context);
        pcre2_compile_context_free(context);
        if (!m_code) ThrowError(PatternError(error));
        return m_code;
    }

    std::vector<MatchData> FindAll(const std::u16string& subject, bool all) {
        pcre2_code* code = Code();
        std::vector<MatchData> found;
        pcre2_match_data* md = pcre2_match_data_create_from_pattern(code, nullptr);
        pcre2_match_context* mc = pcre2_match_context_create(nullptr);
        pcre2_set_match_limit(mc, 10'000'000);
        size_t start = 0;
        while (start <= subject.size()) {
            const int rc = pcre2_match(code, reinterpret_cast<PCRE2_SPTR>(subject.data()),
                                       subject.size(), start, 0, md, mc);
            if (rc < 0) break;
            const PCRE2_SIZE* ov = pcre2_get_ovector_pointer(md);
            MatchData m;
            m.index = static_cast<int32_t>(ov[0]);
            m.value = subject.substr(ov[0], ov[1] - ov[0]);
            uint32_t groups = 0;
            pcre2_pattern_info(code, PCRE2_INFO_CAPTURECOUNT, &groups);
            for (uint32_t g = 1; g <= groups; ++g) {
                if (static_cast<int>(g) < rc && ov[2 * g] != PCRE2_UNSET)
                    m.groups.push_back(
                        Value::Str(subject.substr(ov[2 * g], ov[2 * g + 1] - ov[2 * g])));
                else
                    m.groups.emplace_back();
            }
            found.push_back(std::move(m));
            if (!all) break;
            start = ov[1] == ov[0] ? ov[1] + 1 : ov[1];
            if (found.size() > 10'000'000) break;
        }
        pcre2_match_context_free(mc);
        pcre2_match_data_free(md);
        return found;
    }

    // $& whole match, $` before, $' after, $n / $nn groups, $$ a dollar.
    static void Expand(std::u16string& out, const std::u16string& with, const MatchData& m,
                       const std::u16string& subject) {
        for (size_t i = 0; i < with.size(); ++i) {
            const char16_t c = with[i];
            if (c != '$' || i + 1 >= with.size()) {
                out.push_back(c);
                continue;
            }
            const char16_t n = with[i + 1];
            if (n == '$') {
                out.push_back('$');
                ++i;
            } else if (n == '&') {
                out += m.value;
                ++i;
            } else if (n == '`') {
                out.append(subject, 0, static_cast<size_t>(m.index));
                ++i;
            } else if (n == '\'') {
                out.append(subject, static_cast<size_t>(m.index) + m.value.size(),
                           std::u16string::npos);
                ++i;
            } else if (n >= '0' && n <= '9') {
                size_t group = n - '0';
                size_t used = 1;
                if (i + 2 < with.size() && with[i + 2] >= '0' && with[i + 2] <= '9') {
                    const size_t two = group * 10 + (with[i + 2] - '0');
                    if (two >= 1 && two <= m.groups.size()) {
                        group = two;
                        used = 2;
                    }
                }
                if (group >= 1 && group <= m.groups.size()) {
                    out += ToDisplayString(m.groups[group - 1]);
                    i += used;
                } else {
                    out.push_back(c);
                }
            } else {
                out.push_back(c);
            }
        }
    }

    std::u16string m_pattern;
    bool m_ignoreCase = false;
    bool m_global = false;
    bool m_multiLine = false;
    pcre2_code* m_code = nullptr;
};

} // namespace

ObjectRef MakeRegExp() {
    return ObjectRef(new RegExpObject);
}

} // namespace quillora::vbs
