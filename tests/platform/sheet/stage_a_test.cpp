// The hierarchy columns of the data sheet computed through the host engine with the component's
// own formula texts, compared with the values another spreadsheet program computed from the same
// texts (tests/data/datasheet), and with the worked example of the nine-node tree.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <pugixml.hpp>

#include "platform/os/environment.h"
#include "platform/sheet/address.h"
#include "platform/sheet/application.h"
#include "src/datasheet/formula_texts.h"

namespace fb::sheet {
namespace {

namespace f = kivo2d::formulas;

std::string utf16_wrap(const std::string& text) {
  // Breaks a caption into lines of 8 characters (all test captions lie in the BMP, so one code
  // point is one UTF-16 unit).
  std::vector<std::string> chars;
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    const std::size_t len = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    chars.push_back(text.substr(i, len));
    i += len;
  }
  if (chars.size() <= 8) return text;
  std::string out;
  for (std::size_t i = 0; i < chars.size(); ++i) {
    if (i > 0 && i % 8 == 0) out += "\n";
    out += chars[i];
  }
  return out;
}

class StageA : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("fb-stage-a-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_);
    env_.set("userprofile", (dir_ / "profile").string());
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  // The import and hierarchy steps as the pipeline drives the host. Returns the data sheet.
  Worksheet& run(const std::vector<std::pair<std::string, std::string>>& tree) {
    pugi::xml_document doc;
    auto nodes = doc.append_child("NODES");
    for (const auto& [key, caption] : tree) {
      auto node = nodes.append_child("NODE");
      node.append_attribute("Caption") = caption.c_str();
      node.append_attribute("Key") = key.c_str();
      node.append_attribute("ParentKey") =
          key.size() > 1 ? key.substr(0, key.size() - 1).c_str() : "";
    }
    const auto file = dir_ / "程序正在运行中，请稍后。。。.xml";
    doc.save_file(file.c_str(), "", pugi::format_raw | pugi::format_no_declaration);

    Workbook& wb = app_.workbooks().open(file.string());
    std::filesystem::remove(file);
    Worksheet& import = app_.active_sheet();
    import.rows("1").delete_cells();
    import.range("A1").set_value("Caption");
    import.range("B1").set_value("Key");
    const int last = import.cells(65536, 1).end(Direction::Up).row();
    const std::string block = "A1:C" + std::to_string(last);
    import.range(block).auto_filter();
    SortOptions sort;
    sort.key1 = CellAddress{1, 2};
    sort.header = SortHeader::Guess;
    import.range(block).sort(sort);
    for (int r = 3; r <= last; ++r) {
      const Value v = import.cells(r, 1).value();
      if (const auto* s = std::get_if<std::string>(&v))
        import.cells(r, 1).set_value(utf16_wrap(*s));
    }
    import.range("A1:B" + std::to_string(last)).copy();
    Worksheet& data = wb.worksheets().find("Sheet2") != nullptr ? wb.worksheets().item("Sheet2")
                                                                : wb.worksheets().add();
    data.select();
    data.range("C2").paste_special(PasteType::Values, PasteOperation::None, false, false);
    app_.clear_clipboard();

    const int data_last = data.cells(65536, 3).end(Direction::Up).row();
    auto target = [&](std::string_view t) {
      std::string s(t);
      if (!std::isdigit(static_cast<unsigned char>(s.back()))) s += std::to_string(data_last);
      return s;
    };
    app_.set_calculation(Calculation::Manual);
    for (const auto& w : f::kHierarchyFirst) data.range(target(w.target)).set_formula_r1c1(w.r1c1);
    const Value f_last = data.cells(data_last, 6).value();
    data.cells(data_last + 1, 6).set_value(std::get<double>(f_last) + 1);
    for (int c = 7; c <= 10; ++c) data.cells(data_last + 1, c).set_formula_r1c1(f::kZero);
    for (const auto& w : f::kHierarchySecond) data.range(target(w.target)).set_formula_r1c1(w.r1c1);
    app_.set_calculation(Calculation::Automatic);
    data.range("A1:AB" + std::to_string(data_last)).copy();
    data.range("A1:AB" + std::to_string(data_last))
        .paste_special(PasteType::Values, PasteOperation::None, false, false);
    app_.clear_clipboard();
    data.range("B244").set_value(std::get<double>(data.cells(data_last, 6).value()) + 1);
    return data;
  }

  std::filesystem::path dir_;
  os::MapEnvironment env_;
  Application app_{env_};
};

TEST_F(StageA, WorkedExampleGivesTheDocumentedTable) {
  Worksheet& s = run({{"A", "问题"},
                      {"A2", "b"},
                      {"A22", "g"},
                      {"A1", "a"},
                      {"A11", "c"},
                      {"A12", "d"},
                      {"A21", "e"},
                      {"A211", "h"},
                      {"A212", "i"}});
  // Row, then F G H Q T U V Y Z AA.
  const std::vector<std::array<int, 11>> expected = {
      {4, 1, 0, 0, 0, 0, 0, 0, 0, 0, 3},  {5, 1, 1, 0, 1, 0, 0, 0, 1, 1, 3},
      {6, 1, 2, 0, 2, 0, 0, 0, 2, 2, 3},  {7, 2, 0, 0, 0, 0, 0, 0, 0, 0, 5},
      {8, 2, 1, 0, 2, 1, 1, 0, 2, 3, 5},  {9, 2, 1, 1, 2, 1, 1, 3, 3, 3, 5},
      {10, 2, 1, 2, 2, 1, 1, 1, 1, 3, 5}, {11, 2, 2, 0, 4, 0, 0, 0, 4, 4, 5}};
  const std::array<const char*, 10> columns = {"F", "G", "H", "Q", "T", "U", "V", "Y", "Z", "AA"};
  for (const auto& row : expected) {
    for (std::size_t i = 0; i < columns.size(); ++i) {
      const std::string cell = std::string(columns[i]) + std::to_string(row[0]);
      EXPECT_EQ(s.range(cell).value(), Value(static_cast<double>(row[i + 1]))) << cell;
    }
  }
  EXPECT_EQ(s.range("K9").value(), Value(2.0));
  EXPECT_EQ(s.range("R9").value(), Value(1.0));
  EXPECT_EQ(s.range("S10").value(), Value(1.0));
  EXPECT_EQ(s.range("F12").value(), Value(3.0));
  EXPECT_EQ(s.range("B244").value(), Value(3.0));
  EXPECT_EQ(s.range("E3").value(), Value(std::string("A00000")));
  EXPECT_FALSE(s.range("Q8").has_formula()) << "values are frozen";
}

Value from_json(const nlohmann::json& j) {
  if (j.is_null()) return Empty{};
  if (j.is_number()) return j.get<double>();
  if (j.is_string()) return j.get<std::string>();
  if (j.is_boolean()) return j.get<bool>();
  const std::string e = j.at("error").get<std::string>();
  for (ErrorCode c : {ErrorCode::Null, ErrorCode::Div0, ErrorCode::Value, ErrorCode::Ref,
                      ErrorCode::Name, ErrorCode::Num, ErrorCode::NA}) {
    if (error_text(c) == e) return c;
  }
  return e;
}

bool same(const Value& actual, const Value& expected) {
  if (is_number(actual) && is_number(expected)) {
    const double a = std::get<double>(actual);
    const double b = std::get<double>(expected);
    return std::fabs(a - b) <= 1e-9 * std::max(1.0, std::fabs(b));
  }
  return actual == expected;
}

TEST_F(StageA, EveryReferenceTreeMatchesTheOtherEngine) {
  std::ifstream in(std::string(FB_TEST_DATA_DIR) + "/datasheet/reference-values.json");
  ASSERT_TRUE(in) << "reference values missing";
  const auto data = nlohmann::json::parse(in);
  int tree_number = 0;
  int compared = 0;
  for (const auto& tree : data.at("trees")) {
    ++tree_number;
    std::vector<std::pair<std::string, std::string>> nodes;
    for (const auto& pair : tree.at("tree")) nodes.emplace_back(pair[0], pair[1]);
    Worksheet& s = run(nodes);
    for (const auto& row : tree.at("stage_a").at("rows")) {
      const int r = row.at("row").get<int>();
      EXPECT_EQ(s.cells(r, 3).value(), Value(row.at("caption").get<std::string>()))
          << "tree " << tree_number << " row " << r;
      for (const auto& [column, value] : row.items()) {
        if (column == "row" || column == "key" || column == "caption") continue;
        const int c = column_number(column);
        const Value actual = s.cells(r, c).value();
        ++compared;
        EXPECT_TRUE(same(actual, from_json(value)))
            << "tree " << tree_number << " " << column << r << ": got " << value_text(actual)
            << ", expected " << value.dump();
      }
    }
    EXPECT_TRUE(same(s.range("B244").value(), from_json(tree.at("stage_a").at("B244"))));
    app_.workbooks().item(1).close(false);
  }
  EXPECT_EQ(tree_number, 12);
  EXPECT_GT(compared, 5000);
}

}  // namespace
}  // namespace fb::sheet
