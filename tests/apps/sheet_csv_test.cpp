// The step trace's CSV: what a user's spreadsheet program and another engine read back.

#include "apps/fishbone/sheet_csv.h"

#include <gtest/gtest.h>

#include "platform/os/environment.h"
#include "platform/sheet/application.h"
#include "platform/sheet/range.h"
#include "platform/sheet/workbook.h"
#include "platform/sheet/worksheet.h"

namespace {

using fb::sheet::ErrorCode;
using fb::sheet::Value;

class SheetCsv : public ::testing::Test {
 protected:
  fb::os::MapEnvironment environment_;
  fb::sheet::Application app_{environment_};
  fb::sheet::Worksheet& sheet_ = app_.workbooks().add().worksheets().item(1);
};

TEST_F(SheetCsv, AnEmptySheetGivesNothing) {
  sheet_.range("C3").interior().set_color_index(6);  // a format alone is no content
  EXPECT_EQ(fishbone::SheetValuesAsCsv(sheet_), "");
}

TEST_F(SheetCsv, CoversA1ToTheLastContentRowAndColumn) {
  sheet_.range("B2").set_value(Value(1.0));
  sheet_.range("C1").set_value("x");
  sheet_.range("A3").set_value(Value(true));
  sheet_.range("E9").interior().set_color_index(6);
  EXPECT_EQ(fishbone::SheetValuesAsCsv(sheet_), ",,x\r\n,1,\r\nTRUE,,\r\n");
}

TEST_F(SheetCsv, FieldsAsTheyReadBack) {
  struct Case {
    Value value;
    const char* field;
  } const cases[] = {
      {Value(0.1 + 0.2), "0.30000000000000004"},
      {Value(1.0 / 3), "0.3333333333333333"},
      {Value(-249.0), "-249"},
      {Value(1e20), "1e+20"},
      {Value(false), "FALSE"},
      {Value(ErrorCode::NA), "#N/A"},
      {Value(ErrorCode::Div0), "#DIV/0!"},
      {Value(std::string("问题:\n注塑")), "\"问题:\n注塑\""},
      {Value(std::string("a,b")), "\"a,b\""},
      {Value(std::string("say \"hi\"")), "\"say \"\"hi\"\"\""},
      {Value(std::string("plain text")), "plain text"},
  };
  for (const Case& c : cases) {
    sheet_.range("A1").set_value(c.value);
    EXPECT_EQ(fishbone::SheetValuesAsCsv(sheet_), std::string(c.field) + "\r\n") << c.field;
  }
}

TEST_F(SheetCsv, FormulaCellsGiveTheirResults) {
  sheet_.range("A1").set_value(Value(2.0));
  sheet_.range("B1").set_formula("=A1/3");
  sheet_.range("C1").set_formula("=A1/0");
  EXPECT_EQ(fishbone::SheetValuesAsCsv(sheet_), "2,0.6666666666666666,#DIV/0!\r\n");
}

}  // namespace
