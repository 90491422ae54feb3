#include <gtest/gtest.h>

#include "embedded/rules/error_values.h"
#include "host/constants.h"
#include "xlsx/cells/cell_reference.h"
#include "xlsx/cells/value_text.h"
#include "xlsx/strings/xstring.h"

namespace tabulara::xlsx {
namespace {

TEST(CellsReferences, TheLastCellIsInsideTheSheetAndPastItIsNot) {
  ASSERT_TRUE(ParseWrittenReference("XFD1048576"));
  EXPECT_TRUE(ParseWrittenReference("XFD1048576")->InSheet());
  EXPECT_FALSE(ParseWrittenReference("XFE1")->InSheet());
  EXPECT_FALSE(ParseWrittenReference("A1048577")->InSheet());
  EXPECT_FALSE(ParseWrittenReference("ABCDEFGH99999999999999")->InSheet());
  EXPECT_FALSE(ParseWrittenReference("1A"));
  EXPECT_FALSE(ParseWrittenReference("A"));
  EXPECT_FALSE(ParseWrittenReference("$A$1"));
  EXPECT_EQ(RangeReferenceText({2, 8, 4, 10}), "H2:J4");
  EXPECT_EQ(RangeReferenceText({10, 8, 10, 8}), "H10");
}

TEST(CellsValues, IsoDatesReadAsTheHostsSerialNumbers) {
  EXPECT_EQ(IsoDateSerial("1900-01-01"), 1);
  EXPECT_EQ(IsoDateSerial("1900-02-28"), 59);
  EXPECT_EQ(IsoDateSerial("1900-03-01"), 61);
  EXPECT_EQ(IsoDateSerial("2024-03-01T12:00:00"), 45352.5);
  EXPECT_EQ(IsoDateSerial("06:00:00"), 0.25);
  EXPECT_FALSE(IsoDateSerial("2024-02-30"));
  EXPECT_FALSE(IsoDateSerial("yesterday"));
}

TEST(CellsValues, NumbersKeepEveryDigit) {
  EXPECT_EQ(CellNumberText(0.1), "0.1");
  EXPECT_EQ(CellNumberText(42), "42");
  EXPECT_EQ(ParseCellNumber(CellNumberText(1.0 / 3)), 1.0 / 3);
  EXPECT_EQ(ParseCellNumber("1E-3"), 0.001);
  EXPECT_FALSE(ParseCellNumber("12abc"));
}

TEST(CellsValues, ErrorValuesMapToTheHostsCodes) {
  const std::pair<const char*, int> errors[] = {{"#NULL!", host::xlErrNull}, {"#DIV/0!", host::xlErrDiv0},
                                                {"#VALUE!", host::xlErrValue}, {"#REF!", host::xlErrRef},
                                                {"#NAME?", host::xlErrName}, {"#NUM!", host::xlErrNum},
                                                {"#N/A", host::xlErrNA}};
  for (const auto& [text, code] : errors) {
    EXPECT_EQ(embedded::ErrorCodeOf(text), code) << text;
    EXPECT_EQ(embedded::ErrorTextOf(code), text);
  }
  EXPECT_EQ(embedded::ErrorCodeOf("#SPILL!"), 2045);
  EXPECT_FALSE(embedded::ErrorCodeOf("#OOPS"));
}

TEST(CellsValues, ControlCharactersTravelAsEscapes) {
  EXPECT_EQ(DecodeXstring("a_x000D_b_x005F_x0041_"), "a\rb_x0041_");
  EXPECT_EQ(EncodeXstring("a\rb_x0041_\n"), "a_x000D_b_x005F_x0041_\n");
  EXPECT_EQ(DecodeXstring(EncodeXstring("x_x00e9_\x01")), "x_x00e9_\x01");
}

}  // namespace
}  // namespace tabulara::xlsx
