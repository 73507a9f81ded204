// The value-list reader's parsing rules and round trips through the writer.
#include "core/ClassicError.h"
#include "core/ValueListReader.h"
#include "core/ValueListWriter.h"

#include <gtest/gtest.h>

namespace quillora {
namespace {

ErrorCode ErrorOf(const std::function<void()>& read) {
    try {
        read();
    } catch (const ClassicError& error) {
        return error.Code();
    }
    ADD_FAILURE() << "no error raised";
    return ErrorCode::Overflow;
}

TEST(ValueListReader, SeparatesAtCommasAndEveryKindOfLineBreak) {
    ValueListReader in("\"a,b\",  plain text  ,\"x\"\r\n12\n-3.5\r#TRUE#,#false#\r\n");
    EXPECT_EQ(in.ReadString(), "a,b");
    EXPECT_EQ(in.ReadString(), "plain text");
    EXPECT_EQ(in.ReadString(), "x");
    EXPECT_EQ(in.ReadInt16(), 12);
    EXPECT_DOUBLE_EQ(in.ReadDouble(), -3.5);
    EXPECT_TRUE(in.ReadBool());
    EXPECT_FALSE(in.ReadBool());
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(ErrorOf([&] { in.ReadString(); }), ErrorCode::InputPastEndOfFile);
}

TEST(ValueListReader, EmptyFieldsAndBlankLinesAreEmptyValues) {
    ValueListReader in("1,,3\r\n\r\n\"\",x");
    EXPECT_EQ(in.ReadInt32(), 1);
    EXPECT_EQ(in.ReadInt32(), 0);
    EXPECT_EQ(in.ReadInt32(), 3);
    EXPECT_EQ(in.ReadString(), "");
    EXPECT_EQ(in.ReadString(), "");
    EXPECT_EQ(in.ReadString(), "x");
}

TEST(ValueListReader, QuotedTextHasNoEscapesAndDropsWhatFollowsTheQuote) {
    ValueListReader in("\"say \"hi,next\r\n\"unterminated, still text");
    EXPECT_EQ(in.ReadString(), "say ");
    EXPECT_EQ(in.ReadString(), "next");
    EXPECT_EQ(in.ReadString(), "unterminated, still text");
    EXPECT_TRUE(in.AtEnd());
}

TEST(ValueListReader, BooleansInEveryAcceptedForm) {
    ValueListReader in("#TRUE#,True,FALSE,\"true\",1,0,,-1\r\n");
    const bool expected[] = {true, true, false, true, true, false, false, true};
    for (const bool value : expected)
        EXPECT_EQ(in.ReadBool(), value);
    ValueListReader asText("#TRUE#,#FALSE#");
    EXPECT_EQ(asText.ReadString(), "True");
    EXPECT_EQ(asText.ReadString(), "False");
    ValueListReader asNumber("#TRUE#");
    EXPECT_EQ(asNumber.ReadInt16(), -1);
}

TEST(ValueListReader, NumbersRoundHalfToEvenAndReportOverflowAndMismatch) {
    ValueListReader in("2.5,3.5,-2.5,.5,1E3,&HFF,\"42\"");
    EXPECT_EQ(in.ReadInt16(), 2);
    EXPECT_EQ(in.ReadInt16(), 4);
    EXPECT_EQ(in.ReadInt16(), -2);
    EXPECT_EQ(in.ReadInt16(), 0);
    EXPECT_EQ(in.ReadInt32(), 1000);
    EXPECT_EQ(in.ReadInt32(), 255);
    EXPECT_EQ(in.ReadInt32(), 42);
    ValueListReader big("32768,2147483648,1e999,abc,\"12x\"");
    EXPECT_EQ(ErrorOf([&] { big.ReadInt16(); }), ErrorCode::Overflow);
    EXPECT_EQ(ErrorOf([&] { big.ReadInt32(); }), ErrorCode::Overflow);
    EXPECT_EQ(ErrorOf([&] { big.ReadDouble(); }), ErrorCode::Overflow);
    EXPECT_EQ(ErrorOf([&] { big.ReadInt16(); }), ErrorCode::TypeMismatch);
    EXPECT_EQ(ErrorOf([&] { big.ReadBool(); }), ErrorCode::TypeMismatch);
    EXPECT_EQ(ClassicDescription(ErrorCode::TypeMismatch), "Type mismatch");
    EXPECT_EQ(ClassicDescription(ErrorCode::InputPastEndOfFile), "Input past end of file");
}

TEST(ValueListReader, SectionPeekLeavesThePositionAlone) {
    ValueListReader in("1,2\r\n\"----- SEPARATOR -----\"\r\n3\r\n");
    EXPECT_FALSE(in.IsEndOfSection());
    EXPECT_EQ(in.ReadInt16(), 1);
    EXPECT_EQ(in.ReadInt16(), 2);
    EXPECT_TRUE(in.IsEndOfSection());
    EXPECT_TRUE(in.IsEndOfSection());
    in.Skip();
    EXPECT_FALSE(in.IsEndOfSection());
    EXPECT_EQ(in.ReadInt16(), 3);
    EXPECT_TRUE(in.IsEndOfSection());
}

// The detail of the error a read raises.
std::string DetailOf(const std::function<void()>& read) {
    try {
        read();
    } catch (const ClassicError& error) {
        return error.Detail();
    }
    ADD_FAILURE() << "no error raised";
    return "";
}

TEST(ValueListReader, AFailingReadNamesTheFileLineFieldAndWhatWasExpected) {
    ValueListReader in("\"Title\",7\r\n  wide , 70000\n\"yes\"\r\"\"\r\n");
    in.SetName("Config/General");
    in.SetFieldNames({"Name", "", "FrameWidth"});
    in.Skip();
    in.Skip();
    EXPECT_EQ(DetailOf([&] { in.ReadInt16(); }),
              "\"Config/General\", line 2 (FrameWidth): expected a whole number from -32768 to "
              "32767, found 'wide'.");
    // A value with no name is given by its number; the peek at a section end counts nothing.
    EXPECT_FALSE(in.IsEndOfSection());
    EXPECT_EQ(DetailOf([&] { in.ReadInt16(); }),
              "\"Config/General\", line 2 (value 4): expected a whole number from -32768 to "
              "32767, found '70000'.");
    EXPECT_EQ(DetailOf([&] { in.ReadBool(); }),
              "\"Config/General\", line 3 (value 5): expected #TRUE#, #FALSE# or a number, found "
              "\"yes\".");
    EXPECT_EQ(in.ReadString(), "");
    EXPECT_EQ(in.ValuesRead(), 6);
    EXPECT_EQ(DetailOf([&] { in.ReadDouble(); }),
              "\"Config/General\", line 5 (value 7): the file ends where this value was "
              "expected.");
    ValueListReader unnamed(std::string(60, 'x'));
    EXPECT_EQ(DetailOf([&] { unnamed.ReadInt32(); }),
              "line 1 (value 1): expected a whole number from -2147483648 to 2147483647, found '" +
                  std::string(40, 'x') + "...'.");
}

TEST(ValueListReader, TextIsWindows1252AndBarsBecomeQuotes) {
    ValueListReader in(std::string("\"caf\xE9 \x80\"", 8));
    EXPECT_EQ(in.ReadString(), "caf\xC3\xA9 \xE2\x82\xAC");
    EXPECT_EQ(DecodeBars("MsgBox |Hello|"), "MsgBox \"Hello\"");
}

TEST(ValueListReader, MissingFilesAndFoldersFailWithTheClassicErrors) {
    EXPECT_EQ(ErrorOf([] { ValueListReader::Open("/no/such/folder/file"); }),
              ErrorCode::FileNotFound);
    EXPECT_EQ(ErrorOf([] { ValueListReader::Open(""); }), ErrorCode::BadFileNameOrNumber);
    EXPECT_EQ(ErrorOf([] { ValueListReader::Open("/tmp"); }), ErrorCode::BadFileNameOrNumber);
    EXPECT_EQ(DetailOf([] { ValueListReader::Open("/tmp"); }),
              "\"/tmp\" is not a file (a folder, device or pipe).");
    EXPECT_EQ(DetailOf([] { ValueListReader::Open("/no/such/file"); }),
              "\"/no/such/file\" is missing.");
}

TEST(ValueListWriter, EveryVariantKindRoundTripsThroughTheReader) {
    const std::vector<ListValue> values = {std::string("Hall \xC3\xA9"),
                                           int32_t{-17},
                                           2.25,
                                           true,
                                           false,
                                           std::monostate{},
                                           ListNull{},
                                           ListDate{OleDateFromParts(2024, 2, 29, 13, 5, 9)},
                                           ListDate{OleDateFromParts(1999, 12, 31)},
                                           std::string(""),
                                           1e-7};
    ValueListWriter writer;
    for (const ListValue& value : values)
        writer.WriteValue(value);
    EXPECT_NE(writer.Bytes().find("#2024-02-29 13:05:09#\r\n"), std::string::npos);
    EXPECT_NE(writer.Bytes().find("#1999-12-31#\r\n"), std::string::npos);
    EXPECT_NE(writer.Bytes().find("\r\n\r\n#NULL#"), std::string::npos);
    ValueListReader in(writer.Bytes());
    for (const ListValue& value : values)
        EXPECT_EQ(in.ReadVariant(), value);
    EXPECT_TRUE(in.AtEnd());
}

TEST(ValueListWriter, OneStatementIsOneCommaSeparatedLine) {
    ValueListWriter writer;
    writer.WriteLine({std::string("a"), int32_t{1}, std::monostate{}, 0.5});
    EXPECT_EQ(writer.Bytes(), "\"a\",1,,0.5\r\n");
    EXPECT_EQ(FormatClassicNumber(1234567.125), "1234567.125");
    EXPECT_EQ(FormatClassicNumber(-0.0), "0");
}

} // namespace
} // namespace quillora
