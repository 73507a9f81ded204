// The operators on Variants: arithmetic with type promotion, comparison, logic and concatenation.
#pragma once

#include "vbscript/Value.h"

namespace quillora::vbs {

Value Add(const Value& a, const Value& b);
Value Subtract(const Value& a, const Value& b);
Value Multiply(const Value& a, const Value& b);
Value Divide(const Value& a, const Value& b);
Value IntDivide(const Value& a, const Value& b);
Value Modulo(const Value& a, const Value& b);
Value Power(const Value& a, const Value& b);
Value Negate(const Value& a);
Value Concat(const Value& a, const Value& b);

Value LogicalNot(const Value& a);
Value LogicalAnd(const Value& a, const Value& b);
Value LogicalOr(const Value& a, const Value& b);
Value LogicalXor(const Value& a, const Value& b);
Value LogicalEqv(const Value& a, const Value& b);
Value LogicalImp(const Value& a, const Value& b);

// Flags telling that an operand was written as a literal: a number compared with a string
// literal (or a string with a number literal) is then compared as numbers.
enum CompareFlags : int { kLeftLiteral = 1, kRightLiteral = 2 };
constexpr int kCompareNull = 2;
// -1, 0, 1, or kCompareNull when either side is Null.
int Compare(const Value& a, const Value& b, int flags = 0, bool textCompare = false);
// Both sides must be objects (or Nothing): error 424 otherwise.
bool SameObject(const Value& a, const Value& b);
// The truth of a condition (If, While...): Null counts as False.
bool IsTrue(const Value& v);

} // namespace quillora::vbs
