// The operators on Variants: result types follow the Variant promotion rules (Byte -> Integer ->
// Long -> Double on overflow, Single with Long gives Double, Currency and Date dominate).
#include "vbscript/Operators.h"

#include "vbscript/Convert.h"
#include "vbscript/Errors.h"
#include "vbscript/Object.h"

#include <cmath>
#include <limits>

namespace quillora::vbs {

namespace {

enum Rank : int { RNone = 0, RByte, RInteger, RLong, RSingle, RDouble, RCurrency, RDate };

struct Num {
    int rank = RNone;
    int64_t i = 0; // Byte, Integer, Long; Currency scaled by 10,000
    double d = 0;  // every rank, as a Double
};

const Value& Operand(const Value& v, Value& holder) {
    const Value& d = v.Deref();
    if (d.GetType() == Type::Object) {
        holder = Resolve(d);
        return holder;
    }
    return d;
}

Num ToNum(const Value& v) {
    Num n;
    switch (v.GetType()) {
    case Type::Empty: n.rank = RNone; return n;
    case Type::Boolean:
        n.rank = RInteger;
        n.i = v.AsBool() ? -1 : 0;
        break;
    case Type::Byte:
        n.rank = RByte;
        n.i = v.AsInt();
        break;
    case Type::Integer:
        n.rank = RInteger;
        n.i = v.AsInt();
        break;
    case Type::Long:
        n.rank = RLong;
        n.i = v.AsInt();
        break;
    case Type::Single:
        n.rank = RSingle;
        n.d = v.AsDouble();
        return n;
    case Type::Double:
        n.rank = RDouble;
        n.d = v.AsDouble();
        return n;
    case Type::Currency:
        n.rank = RCurrency;
        n.i = v.AsInt();
        n.d = static_cast<double>(v.AsInt()) / 10000.0;
        return n;
    case Type::Date:
        n.rank = RDate;
        n.d = v.AsDouble();
        return n;
    case Type::String: {
        double d = 0;
        if (!ParseNumber(v.AsString(), d)) ThrowTypeMismatch();
        n.rank = RDouble;
        n.d = d;
        return n;
    }
    default: ThrowTypeMismatch();
    }
    n.d = static_cast<double>(n.i);
    return n;
}

int Combine(int a, int b) {
    if (a == RNone && b == RNone) return RInteger;
    if (a == RNone) return b;
    if (b == RNone) return a;
    if ((a == RSingle && b == RLong) || (a == RLong && b == RSingle)) return RDouble;
    return std::max(a, b);
}

// An integer result in the smallest type from `rank` up that holds it.
Value MakeInt(int64_t x, int rank) {
    if (rank <= RByte && x >= 0 && x <= 255) return Value::Byte(static_cast<uint8_t>(x));
    if (rank <= RInteger && x >= -32768 && x <= 32767)
        return Value::Integer(static_cast<int16_t>(x));
    if (x >= INT32_MIN && x <= INT32_MAX) return Value::Long(static_cast<int32_t>(x));
    return Value::Double(static_cast<double>(x));
}

Value MakeFloat(double x, int rank) {
    if (std::isinf(x) || std::isnan(x)) ThrowError(Err::Overflow);
    if (rank == RSingle) {
        if (std::fabs(x) <= std::numeric_limits<float>::max())
            return Value::Single(static_cast<float>(x));
        return Value::Double(x);
    }
    return Value::Double(x);
}

Value MakeCurrency(long double scaled) {
    if (!(fabsl(scaled) <= 9223372036854775807.0L)) ThrowError(Err::Overflow);
    return Value::CurrencyScaled(static_cast<int64_t>(std::nearbyintl(scaled)));
}

Value MakeDateResult(double serial) {
    if (!IsValidDateSerial(serial)) {
        if (std::isinf(serial) || std::isnan(serial)) ThrowError(Err::Overflow);
        return Value::Double(serial);
    }
    return Value::Date(serial);
}

bool IsIntRank(int r) {
    return r >= RNone && r <= RLong;
}

enum class Arith { Add, Sub, Mul };

Value Arithmetic(Arith op, const Value& a, const Value& b) {
    Value ha, hb;
    const Value& x = Operand(a, ha);
    const Value& y = Operand(b, hb);
    if (x.IsNull() || y.IsNull()) return Value::Null();
    if (op == Arith::Add) {
        if (x.IsString() && y.IsString()) return Value::Str(x.AsString() + y.AsString());
        // One Empty operand gives back the other one unchanged (a Boolean stays Boolean).
        if (x.IsEmpty() && (y.IsString() || y.GetType() == Type::Boolean)) return y;
        if (y.IsEmpty() && (x.IsString() || x.GetType() == Type::Boolean)) return x;
    }
    const Num p = ToNum(x), q = ToNum(y);
    int rank = Combine(p.rank, q.rank);
    if (op == Arith::Mul && rank == RDate) rank = RDouble;
    if (IsIntRank(rank)) {
        const int64_t r = op == Arith::Add ? p.i + q.i : op == Arith::Sub ? p.i - q.i : p.i * q.i;
        return MakeInt(r, rank);
    }
    switch (rank) {
    case RSingle:
    case RDouble: {
        const double r = op == Arith::Add ? p.d + q.d : op == Arith::Sub ? p.d - q.d : p.d * q.d;
        return MakeFloat(r, rank);
    }
    case RCurrency: {
        const long double ps = p.rank == RCurrency ? static_cast<long double>(p.i) : p.d * 10000.0L;
        const long double qs = q.rank == RCurrency ? static_cast<long double>(q.i) : q.d * 10000.0L;
        if (op == Arith::Mul) return MakeCurrency(ps * qs / 10000.0L);
        return MakeCurrency(op == Arith::Add ? ps + qs : ps - qs);
    }
    default: { // Date
        if (op == Arith::Sub && p.rank == RDate && q.rank == RDate) return Value::Double(p.d - q.d);
        return MakeDateResult(op == Arith::Add ? p.d + q.d : p.d - q.d);
    }
    }
}

// Operands of \, Mod and the logical operators: whole numbers of Byte, Integer or Long size.
struct WholeOperand {
    int rank;
    int64_t value;
    bool isBool;
};

WholeOperand ToWholeOperand(const Value& v) {
    switch (v.GetType()) {
    case Type::Empty: return {RInteger, 0, false};
    case Type::Boolean: return {RInteger, v.AsBool() ? -1 : 0, true};
    case Type::Byte: return {RByte, v.AsInt(), false};
    case Type::Integer: return {RInteger, v.AsInt(), false};
    case Type::String: {
        const std::u16string& s = v.AsString();
        if (CompareText(s, u"true", true) == 0) return {RInteger, -1, true};
        if (CompareText(s, u"false", true) == 0) return {RInteger, 0, true};
        return {RLong, ToLong(v), false};
    }
    default: return {RLong, ToLong(v), false};
    }
}

} // namespace

Value Add(const Value& a, const Value& b) {
    return Arithmetic(Arith::Add, a, b);
}
Value Subtract(const Value& a, const Value& b) {
    return Arithmetic(Arith::Sub, a, b);
}
Value Multiply(const Value& a, const Value& b) {
    return Arithmetic(Arith::Mul, a, b);
}

Value Divide(const Value& a, const Value& b) {
    Value ha, hb;
    const Value& x = Operand(a, ha);
    const Value& y = Operand(b, hb);
    if (x.IsNull() || y.IsNull()) return Value::Null();
    const Num p = ToNum(x), q = ToNum(y);
    if (q.d == 0) ThrowError(p.d == 0 ? Err::Overflow : Err::DivisionByZero);
    const double r = p.d / q.d;
    if (p.rank == RCurrency || q.rank == RCurrency)
        return MakeCurrency(static_cast<long double>(r) * 10000.0L);
    const int rank = Combine(p.rank, q.rank);
    if (rank == RSingle || (rank <= RInteger && (p.rank == RSingle || q.rank == RSingle)))
        return MakeFloat(r, RSingle);
    return MakeFloat(r, RDouble);
}

Value IntDivide(const Value& a, const Value& b) {
    Value ha, hb;
    const Value& x = Operand(a, ha);
    const Value& y = Operand(b, hb);
    if (x.IsNull() || y.IsNull()) return Value::Null();
    const WholeOperand p = ToWholeOperand(x), q = ToWholeOperand(y);
    if (q.value == 0) ThrowError(Err::DivisionByZero);
    return MakeInt(p.value / q.value, std::max(p.rank, q.rank));
}

Value Modulo(const Value& a, const Value& b) {
    Value ha, hb;
    const Value& x = Operand(a, ha);
    const Value& y = Operand(b, hb);
    if (x.IsNull() || y.IsNull()) return Value::Null();
    const WholeOperand p = ToWholeOperand(x), q = ToWholeOperand(y);
    if (q.value == 0) ThrowError(Err::DivisionByZero);
    return MakeInt(p.value % q.value, std::max(p.rank, q.rank));
}

Value Power(const Value& a, const Value& b) {
    Value ha, hb;
    const Value& x = Operand(a, ha);
    const Value& y = Operand(b, hb);
    if (x.IsNull() || y.IsNull()) return Value::Null();
    const double base = ToNum(x).d, exponent = ToNum(y).d;
    if (base == 0 && exponent < 0) ThrowError(Err::DivisionByZero);
    if (base < 0 && exponent != std::floor(exponent)) ThrowError(Err::InvalidCall);
    return MakeFloat(std::pow(base, exponent), RDouble);
}

Value Negate(const Value& a) {
    Value ha;
    const Value& x = Operand(a, ha);
    switch (x.GetType()) {
    case Type::Null: return Value::Null();
    case Type::Empty: return Value::Integer(0);
    case Type::Boolean: return Value::Integer(x.AsBool() ? 1 : 0);
    case Type::Byte:
    case Type::Integer: return MakeInt(-x.AsInt(), RInteger);
    case Type::Long: return MakeInt(-x.AsInt(), RLong);
    case Type::Single: return Value::Single(static_cast<float>(-x.AsDouble()));
    case Type::Double: return Value::Double(-x.AsDouble());
    case Type::Currency: return Value::CurrencyScaled(-x.AsInt());
    case Type::Date: return MakeDateResult(-x.AsDouble());
    default: return Value::Double(-ToNum(x).d);
    }
}

Value Concat(const Value& a, const Value& b) {
    Value ha, hb;
    const Value& x = Operand(a, ha);
    const Value& y = Operand(b, hb);
    if (x.IsNull() && y.IsNull()) return Value::Null();
    // A byte string of odd length joins the next text byte by byte.
    if (x.IsOddByteString() || y.IsOddByteString()) {
        const Value left = x.IsString() ? x : Value::Str(ToDisplayString(x));
        const Value right = y.IsString() ? y : Value::Str(ToDisplayString(y));
        return Value::FromBytes(left.Bytes() + right.Bytes());
    }
    if (x.IsString() && y.IsString()) return Value::Str(x.AsString() + y.AsString());
    return Value::Str(ToDisplayString(x) + ToDisplayString(y));
}

// ---------------------------------------------------------------------------------------------
// Logic

namespace {

enum class Logic { And, Or, Xor, Eqv, Imp };

int64_t ApplyLogic(Logic op, int64_t p, int64_t q) {
    switch (op) {
    case Logic::And: return p & q;
    case Logic::Or: return p | q;
    case Logic::Xor: return p ^ q;
    case Logic::Eqv: return ~(p ^ q);
    default: return ~p | q;
    }
}

Value MakeLogical(int64_t r, int rank, bool boolean) {
    if (boolean) return Value::Boolean(r != 0);
    if (rank == RByte) return Value::Byte(static_cast<uint8_t>(r));
    if (rank == RInteger) return Value::Integer(static_cast<int16_t>(r));
    return Value::Long(static_cast<int32_t>(r));
}

Value LogicOp(Logic op, const Value& a, const Value& b) {
    Value ha, hb;
    const Value& x = Operand(a, ha);
    const Value& y = Operand(b, hb);
    if (x.IsNull() || y.IsNull()) {
        if (x.IsNull() && y.IsNull()) return Value::Null();
        const bool leftNull = x.IsNull();
        const WholeOperand o = ToWholeOperand(leftNull ? y : x);
        switch (op) {
        case Logic::And:
            if (o.value == 0) return MakeLogical(0, o.rank, o.isBool);
            return Value::Null();
        case Logic::Or:
            if (o.value == -1 || (o.isBool && o.value)) return MakeLogical(-1, o.rank, o.isBool);
            return Value::Null();
        case Logic::Imp:
            if (leftNull) {
                if (o.value == -1) return MakeLogical(-1, o.rank, o.isBool);
                return Value::Null();
            }
            if (o.value == 0) return MakeLogical(-1, o.rank, o.isBool);
            return Value::Null();
        default: return Value::Null();
        }
    }
    const WholeOperand p = ToWholeOperand(x), q = ToWholeOperand(y);
    const bool boolean = p.isBool && q.isBool;
    int rank = std::max(p.rank, q.rank);
    if ((p.rank == RByte) != (q.rank == RByte)) rank = std::max(rank, static_cast<int>(RInteger));
    // Empty alone brings no type of its own: two of them give a Long, as Not Empty does.
    if (x.IsEmpty() && y.IsEmpty()) rank = RLong;
    return MakeLogical(ApplyLogic(op, p.value, q.value), rank, boolean);
}

} // namespace

Value LogicalNot(const Value& a) {
    Value ha;
    const Value& x = Operand(a, ha);
    if (x.IsNull()) return Value::Null();
    const WholeOperand o = ToWholeOperand(x);
    return MakeLogical(~o.value, x.IsEmpty() ? static_cast<int>(RLong) : o.rank, o.isBool);
}

Value LogicalAnd(const Value& a, const Value& b) {
    return LogicOp(Logic::And, a, b);
}
Value LogicalOr(const Value& a, const Value& b) {
    return LogicOp(Logic::Or, a, b);
}
Value LogicalXor(const Value& a, const Value& b) {
    return LogicOp(Logic::Xor, a, b);
}
Value LogicalEqv(const Value& a, const Value& b) {
    return LogicOp(Logic::Eqv, a, b);
}
Value LogicalImp(const Value& a, const Value& b) {
    return LogicOp(Logic::Imp, a, b);
}

// ---------------------------------------------------------------------------------------------
// Comparison

int Compare(const Value& a, const Value& b, int flags, bool textCompare) {
    Value ha, hb;
    const Value& x = Operand(a, ha);
    const Value& y = Operand(b, hb);
    if (x.IsNull() || y.IsNull()) return kCompareNull;
    const bool xs = x.IsString(), ys = y.IsString();
    if (xs && ys) return CompareText(x.AsString(), y.AsString(), textCompare);
    if (xs || ys) {
        const Value& str = xs ? x : y;
        const Value& other = xs ? y : x;
        if (other.IsEmpty()) {
            const int c = CompareText(str.AsString(), u"", textCompare);
            return xs ? c : -c;
        }
        if (other.GetType() == Type::Array || other.GetType() == Type::Error) ThrowTypeMismatch();
        // A Boolean meets a string as its text: "True" = True, "" = False is False.
        if (other.GetType() == Type::Boolean) {
            const int c = CompareText(str.AsString(), ToString(other), textCompare);
            return xs ? c : -c;
        }
        // A literal keeps its type and the other side converts to it: a number compared with
        // a string literal is compared as text, a string with a number literal as a number.
        const bool strLiteral = (flags & (xs ? kLeftLiteral : kRightLiteral)) != 0;
        const bool numLiteral = (flags & (xs ? kRightLiteral : kLeftLiteral)) != 0;
        if (strLiteral && !numLiteral) {
            const int c = CompareText(str.AsString(), ToString(other), textCompare);
            return xs ? c : -c;
        }
        if (numLiteral) {
            double d = 0;
            if (!ParseNumber(str.AsString(), d)) ThrowTypeMismatch();
            const double o = ToNum(other).d;
            const int c = d < o ? -1 : d > o ? 1 : 0;
            return xs ? c : -c;
        }
        // Otherwise every number sorts before every string.
        return xs ? 1 : -1;
    }
    const Num p = ToNum(x), q = ToNum(y);
    if (IsIntRank(p.rank) && IsIntRank(q.rank)) return p.i < q.i ? -1 : p.i > q.i ? 1 : 0;
    if (p.rank == RCurrency && q.rank == RCurrency) return p.i < q.i ? -1 : p.i > q.i ? 1 : 0;
    double pd = p.d, qd = q.d;
    // A Single compared with a Double is compared at Single precision.
    if ((p.rank == RSingle) != (q.rank == RSingle) && (p.rank == RSingle || q.rank == RSingle)) {
        if (p.rank == RSingle)
            qd = static_cast<float>(qd);
        else
            pd = static_cast<float>(pd);
    }
    return pd < qd ? -1 : pd > qd ? 1 : 0;
}

bool SameObject(const Value& a, const Value& b) {
    const Value& x = a.Deref();
    const Value& y = b.Deref();
    if (!x.IsObject() || !y.IsObject()) ThrowError(Err::ObjectRequired);
    return x.AsObject() == y.AsObject();
}

bool IsTrue(const Value& v) {
    const Value& x = v.Deref();
    if (x.GetType() == Type::Boolean) return x.AsBool();
    if (x.IsNull()) return false;
    return ToBool(x);
}

} // namespace quillora::vbs
