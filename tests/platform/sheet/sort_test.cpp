#include <gtest/gtest.h>

#include "sheet_fixture.h"

namespace fb::sheet {
namespace {

using testing::num;
using testing::SheetTest;
using testing::txt;

class SortTest : public SheetTest {
 protected:
  void column(const char* col, int first_row, const std::vector<Value>& values) {
    for (std::size_t i = 0; i < values.size(); ++i) {
      sheet.range(std::string(col) + std::to_string(first_row + static_cast<int>(i)))
          .set_value(values[i]);
    }
  }
  std::vector<Value> read(const char* col, int first_row, int count) {
    std::vector<Value> out;
    for (int i = 0; i < count; ++i)
      out.push_back(at(std::string(col) + std::to_string(first_row + i)));
    return out;
  }
  void sort(const char* range, CellAddress key, SortOrder order, SortHeader header) {
    SortOptions o;
    o.key1 = key;
    o.order1 = order;
    o.header = header;
    sheet.range(range).sort(o);
  }
};

TEST_F(SortTest, KeysSortAsTextWithEveryNodeBeforeItsDescendants) {
  column("A", 1, {txt("c"), txt("a2"), txt("b"), txt("a1"), txt("d"), txt("e")});
  column("B", 1, {txt("A2"), txt("A12"), txt("A"), txt("a11"), txt("A1"), txt("A111")});
  sort("A1:B6", {1, 2}, SortOrder::Ascending, SortHeader::No);
  EXPECT_EQ(read("B", 1, 6), (std::vector<Value>{txt("A"), txt("A1"), txt("a11"), txt("A111"),
                                                 txt("A12"), txt("A2")}));
  EXPECT_EQ(read("A", 1, 6),
            (std::vector<Value>{txt("b"), txt("d"), txt("a1"), txt("e"), txt("a2"), txt("c")}))
      << "whole rows move";
}

TEST_F(SortTest, TypesOrderAndBlanksStayLastInBothDirections) {
  const std::vector<Value> mixed = {txt("b"),      num(2),  Empty{}, Value(true),
                                    ErrorCode::NA, num(-1), txt("A")};
  column("A", 1, mixed);
  sort("A1:A7", {1, 1}, SortOrder::Ascending, SortHeader::No);
  EXPECT_EQ(read("A", 1, 7), (std::vector<Value>{num(-1), num(2), txt("A"), txt("b"), Value(true),
                                                 ErrorCode::NA, Empty{}}));
  sort("A1:A7", {1, 1}, SortOrder::Descending, SortHeader::No);
  EXPECT_EQ(read("A", 1, 7), (std::vector<Value>{ErrorCode::NA, Value(true), txt("b"), txt("A"),
                                                 num(2), num(-1), Empty{}}));
}

TEST_F(SortTest, EqualKeysKeepTheirOrder) {
  column("A", 11, {num(1), num(2), num(3), num(4), num(5)});
  column("C", 11, {num(2), num(4), num(2), num(4), num(0)});
  sort("A11:C15", {11, 3}, SortOrder::Descending, SortHeader::No);
  EXPECT_EQ(read("A", 11, 5), (std::vector<Value>{num(2), num(4), num(1), num(3), num(5)}));
}

TEST_F(SortTest, GuessTakesTheAutoFilterRowAsHeader) {
  // The heading row sorts after the data if it is not recognised: "Key" > "A...".
  column("B", 1, {txt("Key"), txt("A2"), txt("A"), txt("A1")});
  sheet.range("A1:C4").auto_filter();
  EXPECT_TRUE(sheet.auto_filter_mode());
  sort("A1:C4", {1, 2}, SortOrder::Ascending, SortHeader::Guess);
  EXPECT_EQ(read("B", 1, 4), (std::vector<Value>{txt("Key"), txt("A"), txt("A1"), txt("A2")}));
  sheet.range("A1:C4").auto_filter();
  EXPECT_FALSE(sheet.auto_filter_mode());
}

TEST_F(SortTest, GuessWithoutAutoFilterLooksAtTheFirstRow) {
  // Text over numbers: a header.
  column("A", 1, {txt("count"), num(3), num(1), num(2)});
  sort("A1:A4", {1, 1}, SortOrder::Ascending, SortHeader::Guess);
  EXPECT_EQ(read("A", 1, 4), (std::vector<Value>{txt("count"), num(1), num(2), num(3)}));
  // Text over text: data.
  column("B", 1, {txt("z"), txt("b"), txt("a")});
  sort("B1:B3", {1, 2}, SortOrder::Ascending, SortHeader::Guess);
  EXPECT_EQ(read("B", 1, 3), (std::vector<Value>{txt("a"), txt("b"), txt("z")}));
}

TEST_F(SortTest, SortedFormulasKeepTheirRelativeText) {
  column("A", 1, {num(3), num(1), num(2)});
  sheet.range("B1:B3").set_formula_r1c1("=RC[-1]*10");
  sort("A1:B3", {1, 1}, SortOrder::Ascending, SortHeader::No);
  EXPECT_EQ(read("B", 1, 3), (std::vector<Value>{num(10), num(20), num(30)}));
  EXPECT_EQ(testing::host_error_number([&] {
              sort("A1:B3", {1, 5}, SortOrder::Ascending, SortHeader::No);
            }),
            1004);
}

}  // namespace
}  // namespace fb::sheet
