// The data sheet's own formula texts, read by the formula engine without a host: they read back
// unchanged, and evaluated on the cause trees of the reference file they give the values another
// spreadsheet program computed from the same texts. Each step starts from the reference values
// of the step before, so a difference points at the formulas of one step.

#include "src/datasheet/formula_texts.h"

#include <gtest/gtest.h>

#include <map>
#include <nlohmann/json.hpp>
#include <string_view>
#include <vector>

#include "tests/platform/sheet/formula/fake_context.h"
#include "tests/support/reference_values.h"

namespace fb::sheet::formula::testing {
namespace {

using nlohmann::json;
namespace texts = kivo2d::formulas;

int column_of(std::string_view letters) {
  return a1(std::string(letters) + "1").column;
}

std::string cell_name(std::string_view column, int row) {
  return std::string(column) + std::to_string(row);
}

// Every formula text the data sheet receives reads back character for character, spaces
// included.
TEST(FormulaTexts, ReadBackUnchanged) {
  std::vector<std::string_view> all;
  for (const auto& w : texts::kHierarchyFirst) all.push_back(w.r1c1);
  for (const auto& w : texts::kHierarchySecond) all.push_back(w.r1c1);
  for (const auto& w : texts::kParetoColumns) all.push_back(w.r1c1);
  for (const auto& w : texts::kTopThreeFirstRow) all.push_back(w.r1c1);
  for (const auto& w : texts::kBoneFormulas) {
    if (w.r1c1.starts_with("=")) all.push_back(w.r1c1);
  }
  all.insert(all.end(), {texts::kChildCount, texts::kCumulativeShare, texts::kMainCauseEntries,
                         texts::kCountAxisMaximum, texts::kHeadText, texts::kXAxisMaximum});
  for (std::string_view text : all) {
    ParseResult parsed = parse(text, Notation::R1C1, {1, 1});
    EXPECT_FALSE(parsed.error) << text << ": " << (parsed.error ? parsed.error->message : "");
    if (parsed.formula) {
      EXPECT_EQ(to_r1c1(*parsed.formula), text);
    }
  }
}

// A sheet with formulas, recalculated by evaluating every formula until nothing changes (the
// formulas have no cycles, so this ends).
class MiniSheet {
 public:
  FakeContext context;

  void write(std::string_view target, std::string_view r1c1) {
    ParseResult parsed = parse(r1c1, Notation::R1C1, {1, 1});
    ASSERT_FALSE(parsed.error) << r1c1 << ": " << parsed.error->message;
    const std::string t(target);
    const auto colon = t.find(':');
    const CellAddress first = a1(t.substr(0, colon));
    const CellAddress last = colon == std::string::npos ? first : a1(t.substr(colon + 1));
    for (int r = first.row; r <= last.row; ++r)
      for (int c = first.column; c <= last.column; ++c) formulas_[{r, c}] = parsed.formula;
  }

  void recalc() {
    for (int pass = 0; pass < 200; ++pass) {
      bool changed = false;
      for (const auto& [at, f] : formulas_) {
        const CellAddress cell{at.first, at.second};
        Value v = evaluate(*f, context, 0, cell);
        if (!(context.cell_value(0, cell) == v)) {
          context.set(address(cell), std::move(v));
          changed = true;
        }
      }
      if (!changed) return;
    }
    FAIL() << "recalculation does not settle";
  }

  // Replaces formulas by their values, as copy and paste-values does.
  void freeze() { formulas_.clear(); }

  Value get(std::string_view column, int row) {
    return context.cell_value(0, {row, column_of(column)});
  }
  void put(std::string_view column, int row, Value v) {
    context.set(cell_name(column, row), std::move(v));
  }

 private:
  static std::string address(CellAddress c) {
    std::string letters;
    for (int n = c.column; n > 0; n = (n - 1) / 26)
      letters.insert(letters.begin(), static_cast<char>('A' + (n - 1) % 26));
    return letters + std::to_string(c.row);
  }
  std::map<std::pair<int, int>, FormulaPtr> formulas_;
};

// Replaces a target's trailing bare column ("E3:E") by the last node row.
std::string bounded(std::string_view target, int last) {
  std::string t(target);
  if (!t.empty() && !std::isdigit(static_cast<unsigned char>(t.back()))) t += std::to_string(last);
  return t;
}

const char* const kStageAColumns[] = {"E", "F", "G", "H", "I", "J", "K", "L", "M", "N",  "O", "Q",
                                      "R", "S", "T", "U", "V", "W", "X", "Y", "Z", "AA", "AB"};

void load_stage_a(MiniSheet& sheet, const json& stage_a, bool with_results) {
  for (const json& row : stage_a.at("rows")) {
    const int r = row.at("row").get<int>();
    sheet.put("C", r, fbtest::ReferenceValue(row.at("caption")));
    sheet.put("D", r, fbtest::ReferenceValue(row.at("key")));
    if (!with_results) continue;
    for (const char* c : kStageAColumns) sheet.put(c, r, fbtest::ReferenceValue(row.at(c)));
  }
  if (!with_results) return;
  const json& sentinel = stage_a.at("sentinel");
  for (const char* c : {"F", "G", "H", "I", "J"})
    sheet.put(c, sentinel.at("row").get<int>(), fbtest::ReferenceValue(sentinel.at(c)));
}

class DataSheetReference : public ::testing::TestWithParam<int> {
 protected:
  const json& tree() const {
    return fbtest::ReferenceTrees().at(static_cast<std::size_t>(GetParam()));
  }
};

TEST_P(DataSheetReference, HierarchyColumns) {
  const json& stage_a = tree().at("stage_a");
  const int last = stage_a.at("last").get<int>();
  MiniSheet sheet;
  load_stage_a(sheet, stage_a, false);
  for (const auto& w : texts::kHierarchyFirst) sheet.write(bounded(w.target, last), w.r1c1);
  sheet.recalc();
  Value f_last = sheet.get("F", last);
  ASSERT_TRUE(is_number(f_last));
  sheet.put("F", last + 1, std::get<double>(f_last) + 1);
  for (const char* c : {"G", "H", "I", "J"}) sheet.write(cell_name(c, last + 1), texts::kZero);
  for (const auto& w : texts::kHierarchySecond) sheet.write(bounded(w.target, last), w.r1c1);
  sheet.recalc();

  for (const json& row : stage_a.at("rows")) {
    const int r = row.at("row").get<int>();
    for (const char* c : kStageAColumns) {
      const Value want = fbtest::ReferenceValue(row.at(c));
      const Value got = sheet.get(c, r);
      EXPECT_TRUE(fbtest::SameValue(got, want))
          << c << r << " (key " << row.at("key") << "): got " << ::testing::PrintToString(got)
          << ", want " << ::testing::PrintToString(want);
    }
  }
}

TEST_P(DataSheetReference, ParetoTable) {
  const json& pareto = tree().at("pareto");
  MiniSheet sheet;
  load_stage_a(sheet, tree().at("stage_a"), true);
  for (int n = 1; n <= 9; ++n) sheet.put("AN", 11 + n, static_cast<double>(n));
  for (const auto& w : texts::kParetoColumns) sheet.write(w.target, w.r1c1);
  sheet.recalc();
  for (const char* c : {"AO10", "AP10", "AQ10"}) {
    const Value got = sheet.context.cell_value(0, a1(c));
    EXPECT_TRUE(fbtest::SameValue(got, fbtest::ReferenceValue(pareto.at(c))))
        << c << ": " << ::testing::PrintToString(got);
  }
  // The reference rows are sorted by count; find each ordinal's row there.
  for (const json& row : pareto.at("rows")) {
    if (row.at("AN").is_null()) continue;
    const int at = 11 + row.at("AN").get<int>();
    for (const char* c : {"AO", "AP", "AQ"}) {
      const Value got = sheet.get(c, at);
      EXPECT_TRUE(fbtest::SameValue(got, fbtest::ReferenceValue(row.at(c))))
          << c << at << ": got " << ::testing::PrintToString(got);
    }
  }

  // After the sort: cumulative shares and the number of entries.
  MiniSheet sorted;
  for (const json& row : pareto.at("rows")) {
    const int r = row.at("row").get<int>();
    for (const char* c : {"AN", "AO", "AP", "AQ"})
      sorted.put(c, r, fbtest::ReferenceValue(row.at(c)));
  }
  sorted.write("AR11:AR19", texts::kCumulativeShare);
  sorted.write("AS11", texts::kMainCauseEntries);
  sorted.recalc();
  EXPECT_TRUE(fbtest::SameValue(sorted.get("AS", 11), fbtest::ReferenceValue(pareto.at("AS11"))));
  for (const json& row : pareto.at("rows")) {
    const int r = row.at("row").get<int>();
    if (r > 19) continue;
    EXPECT_TRUE(fbtest::SameValue(sorted.get("AR", r), fbtest::ReferenceValue(row.at("AR"))))
        << "AR" << r;
  }
}

// The add-in function the top-three table calls: the address of the k-th cell of a range whose
// text contains the text of a given cell.
Value weizhi(FakeContext& context, std::span<const UserFunctionArgument> args) {
  auto value_of = [&](const UserFunctionArgument& a) {
    if (const Area* area = std::get_if<Area>(&a))
      return context.cell_value(area->sheet, area->range.first);
    return std::get<Value>(a);
  };
  const std::string find = value_text(value_of(args[0]));
  const Area& range = std::get<Area>(args[1]);
  double k = 0;
  if (const Value* v = std::get_if<Value>(&args[2]); v && is_number(*v)) k = std::get<double>(*v);
  int counter = 0;
  for (int r = range.range.first.row; r <= range.range.last.row; ++r) {
    for (int c = range.range.first.column; c <= range.range.last.column; ++c) {
      if (value_text(context.cell_value(range.sheet, {r, c})).find(find) != std::string::npos)
        ++counter;
      if (counter == k) {
        std::string letters;
        for (int n = c; n > 0; n = (n - 1) / 26)
          letters.insert(letters.begin(), static_cast<char>('A' + (n - 1) % 26));
        return "$" + letters + "$" + std::to_string(r);
      }
    }
  }
  return std::string();
}

TEST_P(DataSheetReference, TopThreeTable) {
  const json& top = tree().at("top_three");
  MiniSheet sheet;
  load_stage_a(sheet, tree().at("stage_a"), true);
  sheet.context.add_user_function("Weizhi", [&](std::span<const UserFunctionArgument> args) {
    return weizhi(sheet.context, args);
  });
  for (int r = 11; r <= 37; ++r) sheet.put("AX", r, static_cast<double>(r - 10));
  for (const auto& w : texts::kTopThreeFirstRow) {
    const std::string column = std::string(w.target).substr(0, 2);
    if (column == "BA") {
      for (int r = 11; r <= 37; r += 3) sheet.write(cell_name(column, r), w.r1c1);
    } else {
      sheet.write(std::string(w.target) + ":" + column + "37", w.r1c1);
    }
  }
  sheet.recalc();
  for (const json& row : top.at("rows")) {
    const int r = row.at("row").get<int>();
    const std::pair<const char*, const char*> columns[] = {{"AY", "main_index"},
                                                           {"AZ", "rank"},
                                                           {"BA", "main_caption"},
                                                           {"BC", "count"},
                                                           {"BB", "caption"}};
    for (const auto& [column, key] : columns) {
      const Value got = sheet.get(column, r);
      const Value want = fbtest::ReferenceValue(row.at(key));
      EXPECT_TRUE(fbtest::SameValue(got, want))
          << column << r << ": got " << ::testing::PrintToString(got) << ", want "
          << ::testing::PrintToString(want);
    }
  }

  // The axis maximum over the first three rows per main cause, after the columns moved left.
  MiniSheet moved;
  for (const json& row : top.at("rows"))
    moved.put("BC", row.at("row").get<int>(), fbtest::ReferenceValue(row.at("count")));
  moved.put("AS", 11, fbtest::ReferenceValue(tree().at("pareto").at("AS11")));
  moved.write("BD11", texts::kCountAxisMaximum);
  moved.recalc();
  EXPECT_TRUE(fbtest::SameValue(moved.get("BD", 11), fbtest::ReferenceValue(top.at("BD11"))));
}

TEST_P(DataSheetReference, BoneCoordinates) {
  const json& stage_a = tree().at("stage_a");
  MiniSheet sheet;
  // Stage B: cause j of stage-A row j+3 has its node row at 3j+1 and its second row below.
  auto stage_b_row = [](int stage_a_row) { return 3 * (stage_a_row - 3) + 1; };
  for (const json& row : stage_a.at("rows")) {
    const int r = row.at("row").get<int>();
    const int b = r == 3 ? 3 : stage_b_row(r);
    sheet.put("C", b, fbtest::ReferenceValue(row.at("caption")));
    sheet.put("D", b, fbtest::ReferenceValue(row.at("key")));
    for (const char* c : kStageAColumns) sheet.put(c, b, fbtest::ReferenceValue(row.at(c)));
  }
  const json& sentinel = stage_a.at("sentinel");
  for (const char* c : {"F", "G", "H", "I", "J"})
    sheet.put(c, stage_b_row(sentinel.at("row").get<int>()),
              fbtest::ReferenceValue(sentinel.at(c)));
  for (const json& bone : tree().at("bones")) {
    const int node = bone.at("node_row").get<int>();
    for (const auto& w : texts::kBoneFormulas) {
      const std::string target(w.target);
      const int row = node + (target.back() == '5' ? 1 : 0);
      const std::string column = target.substr(0, target.size() - 1);
      if (w.r1c1.starts_with("=")) {
        sheet.write(cell_name(column, row), w.r1c1);
      } else {
        sheet.put(column, row, std::string(w.r1c1));
      }
    }
  }
  sheet.recalc();
  for (const json& bone : tree().at("bones")) {
    const int node = bone.at("node_row").get<int>();
    const std::string key = bone.at("key").get<std::string>();
    for (const auto& [column, pair] : bone.at("parts").items()) {
      EXPECT_TRUE(fbtest::SameValue(sheet.get(column, node), fbtest::ReferenceValue(pair[0])))
          << key << " " << column << node;
      EXPECT_TRUE(fbtest::SameValue(sheet.get(column, node + 1), fbtest::ReferenceValue(pair[1])))
          << key << " " << column << node + 1 << ": "
          << ::testing::PrintToString(sheet.get(column, node + 1));
    }
    EXPECT_TRUE(
        fbtest::SameValue(sheet.get("AJ", node), fbtest::ReferenceValue(bone.at("start")[0])))
        << key;
    EXPECT_TRUE(
        fbtest::SameValue(sheet.get("AK", node), fbtest::ReferenceValue(bone.at("start")[1])))
        << key;
    EXPECT_TRUE(
        fbtest::SameValue(sheet.get("AJ", node + 1), fbtest::ReferenceValue(bone.at("end")[0])))
        << key;
    EXPECT_TRUE(
        fbtest::SameValue(sheet.get("AK", node + 1), fbtest::ReferenceValue(bone.at("end")[1])))
        << key;
  }

  // Head text and axis maximum read the caption column and the x column of the final layout,
  // where captions stay in C and x lands in D: the same offsets from G3 and M3 there.
  MiniSheet final_layout;
  for (int r = 3; r <= 160; ++r) {
    final_layout.put("C", r, sheet.get("C", r));
    final_layout.put("D", r, sheet.get("AJ", r));
  }
  final_layout.write("G3", texts::kHeadText);
  final_layout.write("M3", texts::kXAxisMaximum);
  final_layout.recalc();
  EXPECT_EQ(final_layout.get("G", 3), fbtest::ReferenceValue(tree().at("G3")));
  EXPECT_TRUE(fbtest::SameValue(final_layout.get("M", 3), fbtest::ReferenceValue(tree().at("M3"))));
}

std::vector<int> tree_indices() {
  std::vector<int> v;
  for (std::size_t i = 0; i < fbtest::ReferenceTrees().size(); ++i)
    v.push_back(static_cast<int>(i));
  return v;
}

INSTANTIATE_TEST_SUITE_P(Trees, DataSheetReference, ::testing::ValuesIn(tree_indices()));

}  // namespace
}  // namespace fb::sheet::formula::testing
