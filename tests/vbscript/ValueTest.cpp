// Variant conversions and operators checked directly (formats, parsing, promotion, copy on write).
#include "vbscript/Convert.h"
#include "vbscript/Errors.h"
#include "vbscript/Operators.h"

#include <gtest/gtest.h>

namespace {

using namespace quillora::vbs;

std::string Str(const Value& v) {
    return ToUtf8(ToString(v));
}

TEST(Convert, DoublesPrintWithFifteenSignificantDigits) {
    EXPECT_EQ(ToUtf8(FormatDouble(0.1 + 0.2)), "0.3");
    EXPECT_EQ(ToUtf8(FormatDouble(1e15)), "1E+15");
    EXPECT_EQ(ToUtf8(FormatDouble(123456789012345.0)), "123456789012345");
    EXPECT_EQ(ToUtf8(FormatDouble(0.0001)), "0.0001");
    EXPECT_EQ(ToUtf8(FormatDouble(0.00001)), "1E-05");
    EXPECT_EQ(ToUtf8(FormatDouble(-2.5e-10)), "-2.5E-10");
    EXPECT_EQ(Str(Value::Single(1.1f)), "1.1");
    EXPECT_EQ(Str(Value::Single(12345678.0f)), "1.234568E+07");
    EXPECT_EQ(Str(Value::CurrencyScaled(-15000)), "-1.5");
}

TEST(Convert, TextToNumber) {
    double d = 0;
    EXPECT_TRUE(ParseNumber(u"  12  ", d));
    EXPECT_EQ(d, 12);
    EXPECT_TRUE(ParseNumber(u"1,000.5", d));
    EXPECT_EQ(d, 1000.5);
    EXPECT_TRUE(ParseNumber(u"&H1F", d));
    EXPECT_EQ(d, 31);
    EXPECT_TRUE(ParseNumber(u"-1e3", d));
    EXPECT_EQ(d, -1000);
    EXPECT_FALSE(ParseNumber(u"", d));
    EXPECT_FALSE(ParseNumber(u"12abc", d));
    EXPECT_FALSE(ParseNumber(u"1e", d));
}

TEST(Convert, WholeNumbersRoundHalvesToEvenAndOverflow) {
    EXPECT_EQ(ToLong(Value::Double(2.5)), 2);
    EXPECT_EQ(ToLong(Value::Double(3.5)), 4);
    EXPECT_EQ(ToLong(Value::Double(-2.5)), -2);
    EXPECT_EQ(ToInteger(Value::Str(u"41.5")), 42);
    try {
        ToInteger(Value::Long(40000));
        FAIL();
    } catch (const ScriptError& e) {
        EXPECT_EQ(e.Number(), 6);
    }
    try {
        ToLong(Value::Null());
        FAIL();
    } catch (const ScriptError& e) {
        EXPECT_EQ(e.Number(), 94);
    }
}

TEST(Convert, DatesRoundTripIncludingNegativeSerials) {
    double s = 0;
    ASSERT_TRUE(ParseDate(u"2003-01-02 13:04:05", s));
    const DateTimeParts p = SplitDate(s);
    EXPECT_EQ(p.year, 2003);
    EXPECT_EQ(p.day, 2);
    EXPECT_EQ(p.second, 5);
    EXPECT_FALSE(ParseDate(u"13/13/2003", s));
    EXPECT_FALSE(ParseDate(u"2/30/2003", s));
    ASSERT_TRUE(ParseDate(u"12 PM", s));
    EXPECT_DOUBLE_EQ(s, 0.5);
    const DateTimeParts neg = SplitDate(-1.25);
    EXPECT_EQ(neg.day, 29);
    EXPECT_EQ(neg.hour, 6);
    EXPECT_EQ(ToUtf8(FormatDateValue(-1.25)), "12/29/1899 6:00:00 AM");
}

TEST(Operators, IntegerArithmeticPromotesOnOverflow) {
    EXPECT_EQ(Add(Value::Integer(32767), Value::Integer(1)).GetType(), Type::Long);
    EXPECT_EQ(Multiply(Value::Long(65536), Value::Long(65536)).GetType(), Type::Double);
    EXPECT_EQ(Add(Value::Byte(200), Value::Byte(55)).GetType(), Type::Byte);
    EXPECT_EQ(Add(Value::Byte(200), Value::Byte(56)).GetType(), Type::Integer);
    EXPECT_EQ(Add(Value::Single(1), Value::Long(1)).GetType(), Type::Double);
    EXPECT_EQ(Subtract(Value::Date(10), Value::Date(4)).GetType(), Type::Double);
    EXPECT_TRUE(Add(Value::Null(), Value::Integer(1)).IsNull());
    EXPECT_EQ(Str(Add(Value(), Value::Str(u"x"))), "x");
}

TEST(Operators, ComparisonOfNumbersAndStringsDependsOnLiterals) {
    const Value s = Value::Str(u"10"), n = Value::Integer(9);
    EXPECT_EQ(Compare(s, n), 1); // every number sorts before every string
    EXPECT_EQ(Compare(n, Value::Str(u"8")), -1);
    EXPECT_EQ(Compare(n, Value::Str(u"8"), kRightLiteral),
              1); // a literal string is read as a number
    EXPECT_EQ(Compare(Value(), Value::Str(u"")), 0);
    EXPECT_EQ(Compare(Value::Null(), n), kCompareNull);
    EXPECT_EQ(Compare(Value::Str(u"abc"), Value::Str(u"ABC"), 0, true), 0);
}

TEST(Value, ArraysAreCopiedOnWrite) {
    Value a = Value::ArrayAdopt(ArrayData::Create({2}));
    a.AsArray()->items[0] = Value::Integer(1);
    Value b = a;
    b.UniqueArray()->items[0] = Value::Integer(2);
    EXPECT_EQ(a.AsArray()->items[0].AsInt(), 1);
    EXPECT_EQ(b.AsArray()->items[0].AsInt(), 2);
    EXPECT_NE(a.AsArray(), b.AsArray());
}

TEST(Value, StringsAppendInPlaceOnlyWhenUnshared) {
    Value s = Value::Str(u"ab");
    const StrData* before = s.StringData();
    s.AppendString(u"c");
    EXPECT_EQ(s.StringData(), before);
    Value copy = s;
    s.AppendString(u"d");
    EXPECT_NE(s.StringData(), copy.StringData());
    EXPECT_EQ(ToUtf8(copy.AsString()), "abc");
    EXPECT_EQ(ToUtf8(s.AsString()), "abcd");
}

TEST(Value, HugeArraysFailWithOutOfMemory) {
    try {
        ArrayData::Create({100000, 100000});
        FAIL();
    } catch (const ScriptError& e) {
        EXPECT_EQ(e.Number(), 7);
    }
}

} // namespace
