#include "src/editor/tree_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/os/message_pump.h"
#include "src/editor/exchange_writer.h"

namespace kivo2d {
namespace {

using ::testing::HasSubstr;

const std::string kTrees = std::string(FB_TEST_DATA_DIR) + "/trees/";
const std::string kSample =
    std::string(FB_TEST_DATA_DIR) + "/../../src/resources/sample_analysis.txt";

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in) << "cannot open " << path;
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

TreeReadResult ReadFile(const std::string& path) {
  const auto format = FormatFromExtension(path);
  EXPECT_TRUE(format.has_value()) << path;
  return ReadTree(ReadAll(path), format.value_or(TreeFormat::kOutline));
}

std::string Describe(const std::vector<TreeProblem>& problems) {
  std::string text;
  for (const auto& problem : problems) {
    text += std::to_string(problem.line) + ": " + problem.message + "\n";
  }
  return text;
}

class NoPump final : public fb::os::MessagePump {
 public:
  void pump() override {}
};

std::string ToXml(const TreeDocument& tree) {
  NoPump pump;
  return BuildExchangeDocument(ToExchangeNodes(tree), pump);
}

// ---- One small file per rule: the line and a fragment of the message. ----

struct BadFile {
  const char* file;
  int line;
  const char* fragment;
  int problems;  // how many the file gives in all
};

void PrintTo(const BadFile& bad, std::ostream* out) {
  *out << bad.file;
}

class BadTreeFile : public ::testing::TestWithParam<BadFile> {};

TEST_P(BadTreeFile, ReportsTheRuleOnItsLine) {
  const BadFile& bad = GetParam();
  const TreeReadResult result = ReadFile(kTrees + "bad/" + bad.file);
  ASSERT_FALSE(result.ok());
  bool found = false;
  for (const auto& problem : result.problems) {
    if (problem.line == bad.line && problem.message.find(bad.fragment) != std::string::npos) {
      found = true;
    }
  }
  EXPECT_TRUE(found) << "expected line " << bad.line << ": ..." << bad.fragment << "...\ngot:\n"
                     << Describe(result.problems);
  EXPECT_EQ(static_cast<int>(result.problems.size()), bad.problems) << Describe(result.problems);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, BadTreeFile,
    ::testing::Values(
        // The exchange XML.
        BadFile{"malformed.xml", 3, "malformed XML: Start-end tags mismatch", 1},
        BadFile{"wrong_root.xml", 1, "the document element is <TREE>", 1},
        BadFile{"unexpected_element.xml", 4, "unexpected element <CAUSE>", 1},
        BadFile{"text_in_nodes.xml", 5, "text inside <NODES>", 1},
        BadFile{"node_with_content.xml", 4, "a <NODE> with content", 1},
        BadFile{"missing_attribute.xml", 4, "without the attribute \"ParentKey\"", 1},
        BadFile{"unknown_attribute.xml", 3, "unknown attribute \"Level\"", 1},
        BadFile{"duplicate_attribute.xml", 2, "the attribute \"Key\" appears twice", 1},
        BadFile{"malformed_key.xml", 5, "malformed key \"B2\"", 1},
        BadFile{"key_digit_zero.xml", 4, "malformed key \"A10\"", 1},
        BadFile{"too_deep_key.xml", 8, "key \"A111111\" is at level 6", 1},
        BadFile{"duplicate_key.xml", 5, "duplicate key \"A11\" (first on line 4)", 1},
        BadFile{"parent_mismatch.xml", 7, "key \"A22\" does not extend its ParentKey \"A1\"", 1},
        BadFile{"missing_parent.xml", 5, "the parent \"A21\" of A211", 1},
        BadFile{"no_problem.xml", 2, "no main problem", 1},
        BadFile{"problem_with_parent.xml", 2, "the main problem (key \"A\") has the ParentKey", 1},
        BadFile{
            "main_cause_without_child.xml", 5,
            "main cause A2 \"机\" has no child: 请确认:您录入的主原因下是否至少存在一个子原因！",
            1},
        BadFile{"control_character.xml", 4, "the control character U+0007, which XML cannot", 1},
        BadFile{"too_many_causes.xml", 53, "cause 51 of 51: a tree has at most 50 causes", 1},
        BadFile{"problem_only.xml", 3, "the main problem A \"焊缝气孔超标\" has no main cause", 1},
        // The outline.
        BadFile{"mixed_indent.txt", 3, "mixes tabs and blanks", 1},
        BadFile{"inconsistent_indent.txt", 4,
                "indented with blanks while line 2 is indented with tabs", 2},
        BadFile{"dedent_to_no_level.txt", 4, "matches no enclosing level", 1},
        BadFile{"indented_problem.txt", 1, "the main problem (the first line) is indented", 1},
        BadFile{"second_problem.txt", 4, "a second line at the main problem's level", 2},
        BadFile{"ten_children.txt", 12, "\"原因10\" is child 10 of A1 \"人\"", 1},
        BadFile{"too_deep.txt", 7, "is at level 6: causes go no deeper than level 5", 1},
        BadFile{
            "main_cause_without_child.txt", 4,
            "main cause A2 \"机\" has no child: 请确认:您录入的主原因下是否至少存在一个子原因！",
            1},
        BadFile{"too_many_causes.txt", 52, "cause 51 of 51: a tree has at most 50 causes", 1},
        BadFile{"empty.txt", 1, "no main problem", 1},
        BadFile{"problem_only.txt", 1, "the main problem A \"焊缝气孔超标\" has no main cause", 1},
        BadFile{"invalid_utf8.txt", 3, "the byte 0xFF (not well-formed UTF-8)", 1},
        BadFile{"control_character.txt", 3, "the control character U+0001", 1}));

TEST(TreeFile, EveryBadFileIsInTheTable) {
  // A new file under bad/ needs a row above; this keeps the folder and the table together.
  int files = 0;
  for (const auto& item : std::filesystem::directory_iterator(kTrees + "bad")) {
    (void)item;
    ++files;
  }
  EXPECT_EQ(files, 33);
}

TEST(TreeFile, ReportsEveryProblemNotJustTheFirst) {
  const TreeReadResult result = ReadXmlTree(
      "<NODES>\n"
      "<NODE Caption=\"p\" Key=\"A\" ParentKey=\"\"/>\n"
      "<NODE Caption=\"x\" Key=\"A1\" ParentKey=\"A\"/>\n"
      "<NODE Caption=\"y\" Key=\"X7\" ParentKey=\"A\"/>\n"
      "<NODE Caption=\"z\" Key=\"A1\" ParentKey=\"A\"/>\n"
      "<NODE Caption=\"w\" Key=\"A31\" ParentKey=\"A3\"/>\n"
      "</NODES>\n");
  ASSERT_EQ(result.problems.size(), 4u) << Describe(result.problems);
  EXPECT_EQ(result.problems[0].line, 3);
  EXPECT_THAT(result.problems[0].message, HasSubstr("main cause A1 \"x\" has no child"));
  EXPECT_EQ(result.problems[1].line, 4);
  EXPECT_THAT(result.problems[1].message, HasSubstr("malformed key \"X7\""));
  EXPECT_EQ(result.problems[2].line, 5);
  EXPECT_THAT(result.problems[2].message, HasSubstr("duplicate key \"A1\""));
  EXPECT_EQ(result.problems[3].line, 6);
  EXPECT_THAT(result.problems[3].message, HasSubstr("the parent \"A3\""));
}

// ---- Good files, written as a new user would. ----

TEST(TreeFile, OutlineWithTabsBlankLinesAndTrailingBlanks) {
  const TreeReadResult result = ReadFile(kTrees + "good/tabs.txt");
  ASSERT_TRUE(result.ok()) << Describe(result.problems);
  const std::vector<TreeEntry> expected = {
      {"A", "焊缝气孔超标", "", 1},
      {"A1", "人", "A", 3},
      {"A11", "焊工未持证上岗", "A1", 4},
      {"A2", "机", "A", 5},
      {"A21", "送丝机送丝不稳", "A2", 6},
      {"A211", "送丝轮磨损", "A21", 7},
      {"A3", "料", "A", 9},
      {"A31", "焊丝受潮", "A3", 10},
  };
  EXPECT_EQ(result.tree.entries, expected);
}

TEST(TreeFile, OutlineWithByteOrderMarkAndCrLf) {
  const TreeReadResult result = ReadFile(kTrees + "good/crlf_bom.txt");
  ASSERT_TRUE(result.ok()) << Describe(result.problems);
  const std::vector<TreeEntry> expected = {
      {"A", "包装破损投诉增加", "", 1},     {"A1", "人", "A", 2},
      {"A11", "装箱未按标准堆码", "A1", 3}, {"A2", "料", "A", 4},
      {"A21", "纸箱强度不足", "A2", 5},     {"A211", "供应商更换原纸", "A21", 6},
  };
  EXPECT_EQ(result.tree.entries, expected);
}

TEST(TreeFile, HandWrittenXmlWithDeclarationCommentAndAnyOrder) {
  const TreeReadResult result = ReadFile(kTrees + "good/handwritten.xml");
  ASSERT_TRUE(result.ok()) << Describe(result.problems);
  const std::vector<TreeEntry> expected = {
      {"A2", "设备", "A", 4, 3},
      {"A", "轴承外圈尺寸超差", "", 5, 3},
      {"A21", "主轴跳动 > 0.01mm", "A2", 6, 3},
      {"A1", "方法", "A", 7, 3},
      {"A11", "磨削余量&进给量未按\"工艺卡\"设定", "A1", 8, 3},
      {"A13", "首检 只测一个尺寸", "A1", 9, 3},  // a literal line break in an attribute is a blank
  };
  EXPECT_EQ(result.tree.entries, expected);
  // Written as an outline: depth-first, siblings in file order.
  EXPECT_EQ(WriteOutlineText(result.tree),
            "轴承外圈尺寸超差\n"
            "  设备\n"
            "    主轴跳动 > 0.01mm\n"
            "  方法\n"
            "    磨削余量&进给量未按\"工艺卡\"设定\n"
            "    首检 只测一个尺寸\n");
  const TreeSummary summary = Summarize(result.tree);
  EXPECT_EQ(summary.causes, 5);
  EXPECT_EQ(summary.main_causes, 2);
  EXPECT_EQ(summary.depth, 2);
}

TEST(TreeFile, Utf16FilesAsNotepadSavesThem) {
  TreeReadResult result = ReadFile(kTrees + "good/utf16le_notepad.txt");
  ASSERT_TRUE(result.ok()) << Describe(result.problems);
  const std::vector<TreeEntry> expected = {{"A", "来料检验漏检", "", 1},
                                           {"A1", "人", "A", 2},
                                           {"A11", "检验员赶工", "A1", 3},
                                           {"A2", "测", "A", 4},
                                           {"A21", "卡尺读数误差", "A2", 5}};
  EXPECT_EQ(result.tree.entries, expected);
  EXPECT_EQ(DetectFormat(ReadAll(kTrees + "good/utf16le_notepad.txt")), TreeFormat::kOutline);

  const std::string xml = ReadAll(kTrees + "good/utf16be.xml");
  EXPECT_EQ(DetectFormat(xml), TreeFormat::kXml);
  result = ReadXmlTree(xml);
  ASSERT_TRUE(result.ok()) << Describe(result.problems);
  EXPECT_EQ(result.tree.entries.back(), (TreeEntry{"A11", "检验员赶工", "A1", 5, 1}));
}

TEST(TreeFile, AFileInALegacyCodePageIsReportedWithAHint) {
  // "问题\n  人\n    原因\n" in GBK.
  const TreeReadResult result =
      ReadOutlineTree("\xCE\xCA\xCC\xE2\n  \xC8\xCB\n    \xD4\xAD\xD2\xF2\n");
  ASSERT_EQ(result.problems.size(), 3u) << Describe(result.problems);
  EXPECT_THAT(result.problems[0].message,
              HasSubstr("holds the byte 0xCE (not well-formed UTF-8): tree files are UTF-8"));
}

TEST(TreeFile, NamesInAnotherLetterCaseGetAHint) {
  const TreeReadResult result = ReadXmlTree(
      "<nodes>\n<node Caption=\"p\" Key=\"A\" ParentKey=\"\"/>\n</nodes>\n"
      "");
  ASSERT_GE(result.problems.size(), 2u);
  EXPECT_THAT(result.problems[0].message, HasSubstr("<nodes>: the tree file's document element is "
                                                    "<NODES> (names are case-sensitive)"));
  const TreeReadResult attribute =
      ReadXmlTree("<NODES><NODE caption=\"p\" Key=\"A\" ParentKey=\"\"/></NODES>");
  EXPECT_THAT(attribute.problems[0].message,
              HasSubstr("unknown attribute \"caption\": a NODE carries only Caption, Key and "
                        "ParentKey (names are case-sensitive)"));
}

// ---- Keys of an outline. ----

TEST(TreeFile, OutlineKeysAreGivenInTheOrderWritten) {
  const TreeReadResult result = ReadOutlineTree(
      "问题\n"
      "    人\n"  // four blanks are one level as well as two
      "        a\n"
      "        b\n"
      "          b1\n"
      "    机\n"
      "      c\n"
      "\n"
      "    料\n"
      "       d\n");
  ASSERT_TRUE(result.ok()) << Describe(result.problems);
  std::vector<std::string> keys;
  std::vector<std::string> parents;
  for (const auto& entry : result.tree.entries) {
    keys.push_back(entry.key);
    parents.push_back(entry.parent_key);
  }
  EXPECT_EQ(keys,
            (std::vector<std::string>{"A", "A1", "A11", "A12", "A121", "A2", "A21", "A3", "A31"}));
  EXPECT_EQ(parents, (std::vector<std::string>{"", "A", "A1", "A1", "A12", "A", "A2", "A", "A3"}));
  EXPECT_EQ(result.tree.entries[7].line, 9);
}

TEST(TreeFile, OutlineTakesNineChildrenAndLevelFive) {
  std::string text = "问题\n  人\n";
  for (int i = 1; i <= 9; ++i) text += "    原因" + std::to_string(i) + "\n";
  text += "      3\n        4\n          5\n";
  const TreeReadResult result = ReadOutlineTree(text);
  ASSERT_TRUE(result.ok()) << Describe(result.problems);
  EXPECT_EQ(result.tree.entries[10].key, "A19");
  EXPECT_EQ(result.tree.entries.back().key, "A19111");
  EXPECT_EQ(Summarize(result.tree).depth, 5);
}

TEST(TreeFile, FiftyCausesAreAllowed) {
  std::string text = "问题\n";
  for (int m = 1; m <= 5; ++m) {
    text += "  主原因\n";
    for (int c = 1; c <= 9; ++c) text += "    原因\n";
  }
  const TreeReadResult result = ReadOutlineTree(text);
  ASSERT_TRUE(result.ok()) << Describe(result.problems);
  EXPECT_EQ(Summarize(result.tree).causes, 50);
}

TEST(TreeFile, OutlineKeepsInnerBlanksAndFullWidthSpaces) {
  const TreeReadResult result = ReadOutlineTree("问 题\n  　全角空格开头\n    a  b\t c\n");
  ASSERT_TRUE(result.ok()) << Describe(result.problems);
  EXPECT_EQ(result.tree.entries[0].caption, "问 题");
  EXPECT_EQ(result.tree.entries[1].caption, "　全角空格开头");
  EXPECT_EQ(result.tree.entries[2].caption, "a  b\t c");
}

// ---- The checker on keyed trees. ----

TreeDocument DefaultTree() {
  // The editor's default tree, in its insertion order.
  TreeDocument tree;
  tree.entries = {
      {"A", "主问题", "", 0},      {"A1", "为什么?", "A", 0},   {"A11", "为什么?", "A1", 0},
      {"A12", "为什么?", "A1", 0}, {"A13", "为什么?", "A1", 0}, {"A14", "为什么?", "A1", 0},
      {"A15", "为什么?", "A1", 0}, {"A16", "为什么?", "A1", 0}, {"A2", "为什么?", "A", 0},
      {"A21", "为什么?", "A2", 0}, {"A3", "为什么?", "A", 0},   {"A31", "为什么?", "A3", 0},
      {"A4", "为什么?", "A", 0},   {"A41", "为什么?", "A4", 0}};
  return tree;
}

TEST(TreeCheck, TheDefaultTreeIsValid) {
  const TreeDocument tree = DefaultTree();
  EXPECT_TRUE(CheckTree(tree).empty()) << Describe(CheckTree(tree));
  const TreeSummary summary = Summarize(tree);
  EXPECT_EQ(summary.causes, 13);
  EXPECT_EQ(summary.main_causes, 4);
  EXPECT_EQ(summary.depth, 2);
}

TEST(TreeCheck, MainCauseA8WithoutChildIsAProblemAlsoWhenA9HasChildren) {
  TreeDocument tree;
  tree.entries = {{"A", "p", "", 1},   {"A1", "a", "A", 2}, {"A11", "b", "A1", 3},
                  {"A8", "c", "A", 4}, {"A9", "d", "A", 5}, {"A91", "e", "A9", 6}};
  const auto problems = CheckTree(tree);
  ASSERT_EQ(problems.size(), 1u) << Describe(problems);
  EXPECT_EQ(problems[0].line, 4);
  EXPECT_EQ(problems[0].message,
            "main cause A8 \"c\" has no child: " + std::string(kMainCauseWithoutChildText));
}

TEST(TreeCheck, KeysWithGapsAreValid) {
  // A12 deleted and main causes A1, A3, A7 only, as the editor's editing leaves them.
  TreeDocument tree;
  tree.entries = {{"A", "p", "", 1},     {"A1", "a", "A", 2},  {"A11", "b", "A1", 3},
                  {"A13", "b", "A1", 4}, {"A3", "c", "A", 5},  {"A31", "d", "A3", 6},
                  {"A7", "e", "A", 7},   {"A79", "f", "A7", 8}};
  EXPECT_TRUE(CheckTree(tree).empty()) << Describe(CheckTree(tree));
}

TEST(TreeCheck, CaptionsHoldAnyTextButNotNothing) {
  TreeDocument tree;
  tree.entries = {{"A", " ", "", 1}, {"A1", "a\\b", "A", 2}, {"A11", "两行\n文字", "A1", 3}};
  EXPECT_TRUE(CheckTree(tree).empty());
  // An empty caption anywhere: the main problem, a main cause, the last cause.
  for (const std::size_t empty : {0u, 1u, 2u}) {
    TreeDocument with_empty = tree;
    with_empty.entries[empty].caption.clear();
    const auto problems = CheckTree(with_empty);
    ASSERT_EQ(problems.size(), 1u) << Describe(problems);
    EXPECT_EQ(problems[0].line, static_cast<int>(empty) + 1);
    EXPECT_EQ(problems[0].message, "the caption of " + with_empty.entries[empty].key +
                                       " is empty: every node needs a caption, which the report "
                                       "shows");
  }
}

// ---- What an outline cannot hold. ----

TEST(OutlineCaptions, ReportsWhatAnOutlineCannotHold) {
  TreeDocument tree;
  tree.entries = {{"A", "好的", "", 1},           {"A1", "两行\n文字", "A", 2},
                  {"A11", "", "A1", 3},           {"A12", " 前导空格", "A1", 4},
                  {"A13", "尾随制表\t", "A1", 5}, {"A14", "回车\r", "A1", 6}};
  const auto problems = CheckOutlineCaptions(tree);
  ASSERT_EQ(problems.size(), 5u) << Describe(problems);
  EXPECT_EQ(problems[0].line, 2);
  EXPECT_THAT(problems[0].message, HasSubstr("A1 \"两行\\n文字\" holds a line break"));
  EXPECT_THAT(problems[1].message, HasSubstr("is empty"));
  EXPECT_THAT(problems[2].message, HasSubstr("begins with a blank or tab"));
  EXPECT_THAT(problems[3].message, HasSubstr("ends with a blank or tab"));
  EXPECT_THAT(problems[4].message, HasSubstr("holds a line break"));
}

// ---- Writing an outline, and round trips. ----

TEST(TreeFile, OutlineIsDepthFirstInCollectionOrderTwoBlanksPerLevel) {
  TreeDocument tree;
  tree.entries = {{"A2", "机", "A", 0},    {"A", "问题", "", 0},  {"A13", "c", "A1", 0},
                  {"A1", "人", "A", 0},    {"A11", "a", "A1", 0}, {"A21", "d", "A2", 0},
                  {"A111", "a1", "A11", 0}};
  EXPECT_EQ(WriteOutlineText(tree), "问题\n  机\n    d\n  人\n    c\n    a\n      a1\n");
}

TEST(TreeFile, XmlToOutlineToXmlGivesTheSameBytes) {
  const TreeReadResult sample = ReadOutlineTree(ReadAll(kSample));
  ASSERT_TRUE(sample.ok()) << Describe(sample.problems);
  const std::string xml = ToXml(sample.tree);

  const TreeReadResult from_xml = ReadXmlTree(xml);
  ASSERT_TRUE(from_xml.ok()) << Describe(from_xml.problems);
  ASSERT_TRUE(CheckOutlineCaptions(from_xml.tree).empty());
  const std::string outline = WriteOutlineText(from_xml.tree);
  EXPECT_EQ(outline, ReadAll(kSample)) << "the sample is written as the writer writes";

  const TreeReadResult again = ReadOutlineTree(outline);
  ASSERT_TRUE(again.ok()) << Describe(again.problems);
  EXPECT_EQ(ToXml(again.tree), xml);
}

TEST(TreeFile, OutlineRenumbersKeysWithGapsAndFileOrder) {
  // Keys are not kept by an outline: reading it back numbers the children in the order written.
  const TreeReadResult gaps = ReadXmlTree(
      "<NODES><NODE Caption=\"p\" Key=\"A\" ParentKey=\"\"/>"
      "<NODE Caption=\"c\" Key=\"A3\" ParentKey=\"A\"/>"
      "<NODE Caption=\"d\" Key=\"A37\" ParentKey=\"A3\"/></NODES>");
  ASSERT_TRUE(gaps.ok()) << Describe(gaps.problems);
  const TreeReadResult back = ReadOutlineTree(WriteOutlineText(gaps.tree));
  ASSERT_TRUE(back.ok());
  EXPECT_EQ(back.tree.entries[1].key, "A1");
  EXPECT_EQ(back.tree.entries[2].key, "A11");
}

// ---- The built-in sample. ----

std::size_t Utf16Length(const std::string& text) {
  std::size_t units = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if ((byte & 0xC0) != 0x80) units += byte >= 0xF0 ? 2 : 1;
  }
  return units;
}

TEST(Sample, IsARealisticValidAnalysis) {
  const TreeReadResult sample = ReadOutlineTree(ReadAll(kSample));
  ASSERT_TRUE(sample.ok()) << Describe(sample.problems);
  const TreeSummary summary = Summarize(sample.tree);
  EXPECT_EQ(summary.main_causes, 6);
  EXPECT_GE(summary.causes, 25);
  EXPECT_LE(summary.causes, 40);
  EXPECT_GE(summary.depth, 3);
  EXPECT_LE(summary.depth, 4);
  std::vector<std::string> main_causes;
  int long_captions = 0;
  for (const auto& entry : sample.tree.entries) {
    if (entry.key.size() == 2) main_causes.push_back(entry.caption);
    if (entry.key.size() > 1 && Utf16Length(entry.caption) > 8) ++long_captions;
  }
  EXPECT_EQ(main_causes,
            (std::vector<std::string>{"人员", "设备", "材料", "方法", "环境", "测量"}));
  EXPECT_GE(long_captions, 5);
}

// ---- Formats. ----

TEST(TreeFormatChoice, ByExtensionAndByContent) {
  EXPECT_EQ(FormatFromExtension("a/b.xml"), TreeFormat::kXml);
  EXPECT_EQ(FormatFromExtension("B.XML"), TreeFormat::kXml);
  EXPECT_EQ(FormatFromExtension("tree.txt"), TreeFormat::kOutline);
  EXPECT_EQ(FormatFromExtension("tree.Txt"), TreeFormat::kOutline);
  EXPECT_EQ(FormatFromExtension("tree"), std::nullopt);
  EXPECT_EQ(FormatFromExtension("tree.md"), std::nullopt);
  EXPECT_EQ(FormatFromExtension("Report.XLSX"), TreeFormat::kReport);
  EXPECT_EQ(DetectFormat(std::string("PK\x03\x04\x14\0", 6)), TreeFormat::kReport);
  EXPECT_EQ(DetectFormat("PK is no zip archive"), TreeFormat::kOutline);
  EXPECT_EQ(DetectFormat("<NODES/>"), TreeFormat::kXml);
  EXPECT_EQ(DetectFormat("\xEF\xBB\xBF \r\n <?xml version=\"1.0\"?><NODES/>"), TreeFormat::kXml);
  EXPECT_EQ(DetectFormat("问题\n  人\n"), TreeFormat::kOutline);
  EXPECT_EQ(DetectFormat(""), TreeFormat::kOutline);
  EXPECT_EQ(FormatName(TreeFormat::kXml), "xml");
  EXPECT_EQ(FormatName(TreeFormat::kOutline), "txt");
  EXPECT_EQ(FormatName(TreeFormat::kReport), "xlsx");
}

}  // namespace
}  // namespace kivo2d

namespace kivo2d {
namespace {

// ---- Input that is not a tree, or a tree a careless tool wrote. ----

std::string Utf16(std::u16string_view text, bool little_endian) {
  std::string bytes;
  for (const char16_t unit : text) {
    const char low = static_cast<char>(unit & 0xFF);
    const char high = static_cast<char>(unit >> 8);
    bytes += little_endian ? std::string{low, high} : std::string{high, low};
  }
  return bytes;
}

TEST(TreeFileInput, AFileTooLargeToBeATreeIsRefusedWithOneProblem) {
  const std::string huge(kMaxTreeFileBytes + 1, 'x');
  for (const TreeFormat format : {TreeFormat::kXml, TreeFormat::kOutline}) {
    const TreeReadResult result = ReadTree(huge, format);
    ASSERT_EQ(result.problems.size(), 1u);
    EXPECT_EQ(result.problems[0].line, 1);
    EXPECT_THAT(result.problems[0].message, HasSubstr("larger than 2 MiB"));
  }
  EXPECT_TRUE(ReadTree("p\n  c\n    d\n", TreeFormat::kOutline).ok());
}

TEST(TreeFileInput, ACaptionLongerThanTheLimitIsNamedWithItsLength) {
  const std::string longest(kMaxCaptionLength, 'x');
  EXPECT_TRUE(ReadOutlineTree("p\n  " + longest + "\n    d\n").ok());
  // Characters as the component counts them: a CJK character is one, an emoji two.
  const std::string cjk = "问题" + std::string(kMaxCaptionLength - 2, 'x');
  EXPECT_TRUE(ReadOutlineTree(cjk + "\n  c\n    d\n").ok());
  const std::string emoji = "\xF0\x9F\x98\x80" + std::string(kMaxCaptionLength - 1, 'x');
  const TreeReadResult over = ReadOutlineTree("p\n  c\n    " + emoji + "\n");
  ASSERT_EQ(over.problems.size(), 1u) << Describe(over.problems);
  EXPECT_EQ(over.problems[0].line, 3);
  EXPECT_THAT(over.problems[0].message,
              HasSubstr("is 256 characters long: a caption holds at most 255 characters"));
  const TreeReadResult xml =
      ReadXmlTree("<NODES><NODE Caption=\"" + longest + "y\" Key=\"A\" ParentKey=\"\"/></NODES>");
  ASSERT_FALSE(xml.ok());
  EXPECT_THAT(Describe(xml.problems), HasSubstr("256 characters long"));
}

TEST(TreeFileInput, ANulByteIsRefusedWhereverItStands) {
  const std::string good = "<NODES><NODE Caption=\"p\" Key=\"A\" ParentKey=\"\"/></NODES>";
  const std::string hidden = good + std::string(1, '\0') + "<NODE Caption=\"x\"/>";
  const TreeReadResult result = ReadXmlTree(hidden);
  ASSERT_EQ(result.problems.size(), 1u) << Describe(result.problems);
  EXPECT_EQ(result.problems[0].line, 1);
  EXPECT_EQ(result.problems[0].column, static_cast<int>(good.size()) + 1);
  EXPECT_THAT(result.problems[0].message, HasSubstr("a NUL byte"));
  constexpr char kNulInCaption[] = "p\n  c\0d\n    e\n";
  EXPECT_FALSE(ReadOutlineTree(std::string(kNulInCaption, sizeof kNulInCaption - 1)).ok());
}

TEST(TreeFileInput, EntitiesAreNeitherExpandedNorTakenForText) {
  // A billion-laughs head and an external entity: refused, and nothing is read or expanded.
  const std::string xml =
      "<?xml version=\"1.0\"?>\n"
      "<!DOCTYPE NODES [<!ENTITY lol \"lol\"><!ENTITY lol2 \"&lol;&lol;&lol;\">"
      "<!ENTITY xxe SYSTEM \"file:///etc/passwd\">]>\n"
      "<NODES><NODE Caption=\"&lol2;\" Key=\"A\" ParentKey=\"\"/>"
      "<NODE Caption=\"&xxe;\" Key=\"A1\" ParentKey=\"A\"/>"
      "<NODE Caption=\"a &amp; b &#10; &lt;\" Key=\"A11\" ParentKey=\"A1\"/></NODES>\n";
  const TreeReadResult result = ReadXmlTree(xml);
  ASSERT_EQ(result.problems.size(), 6u) << Describe(result.problems);
  EXPECT_EQ(result.problems[0].line, 2);
  EXPECT_THAT(result.problems[0].message, HasSubstr("a document type declaration"));
  EXPECT_THAT(Describe(result.problems), HasSubstr("the entity reference &lol2; is not XML's own"));
  EXPECT_THAT(Describe(result.problems), HasSubstr("the entity reference &xxe; is not XML's own"));
  EXPECT_EQ(result.tree.entries[1].caption, "&xxe;");  // never the file's content
  EXPECT_EQ(result.tree.entries[2].caption, "a & b \n <");
}

TEST(TreeFileInput, ProblemsOfAOneLineXmlFileHaveTheirColumns) {
  // Columns count characters, so the second node's column does not depend on the caption's bytes.
  const std::string xml =
      "<NODES><NODE Caption=\"问题\" Key=\"A\" ParentKey=\"\"/><NODE Caption=\"人\" Key=\"A1\"/>"
      "<NODE Key=\"A1\" Caption=\"机\" ParentKey=\"A\"/></NODES>";
  const TreeReadResult result = ReadXmlTree(xml);
  ASSERT_EQ(result.problems.size(), 3u) << Describe(result.problems);
  EXPECT_EQ(result.problems[0].line, 1);
  EXPECT_EQ(result.problems[0].column, 49);
  EXPECT_EQ(result.problems[0].message,
            "a <NODE> (Key \"A1\") without the attribute \"ParentKey\": every NODE carries "
            "Caption, Key and ParentKey");
  EXPECT_EQ(result.problems[1].column, 49);
  EXPECT_THAT(result.problems[1].message, HasSubstr("main cause A1 \"人\" has no child"));
  EXPECT_EQ(result.problems[2].column, 77);
  EXPECT_THAT(result.problems[2].message, HasSubstr("duplicate key \"A1\""));

  const TreeReadResult broken = ReadXmlTree("<NODES><NODE Caption=\"a\" Key=\"A\"></NODES>");
  ASSERT_EQ(broken.problems.size(), 1u);
  EXPECT_EQ(broken.problems[0].line, 1);
  EXPECT_GT(broken.problems[0].column, 30);
  const TreeReadResult nameless = ReadXmlTree("<NODES><NODE/></NODES>");
  EXPECT_THAT(nameless.problems[0].message, HasSubstr("a <NODE> without the attribute"));
}

TEST(TreeFileInput, IndentationWithSpacesThatAreNotBlanksIsNamed) {
  struct Case {
    const char* space;
    const char* name;
  };
  for (const Case& c : {Case{"\xE3\x80\x80", "U+3000 (ideographic space)"},
                        Case{"\xC2\xA0", "U+00A0 (no-break space)"}}) {
    const std::string sp = c.space;
    const TreeReadResult result = ReadOutlineTree("问题\n" + sp + "人\n" + sp + sp + "培训\n" + sp +
                                                  "机\n" + sp + sp + "夹具\n");
    ASSERT_EQ(result.problems.size(), 4u) << Describe(result.problems);
    for (const auto& problem : result.problems) {
      EXPECT_THAT(problem.message, HasSubstr(std::string("indented with ") + c.name +
                                             ", which is not a blank: indent with blanks or "
                                             "tabs"));
    }
    // Read as indentation, the tree has the shape meant, and no misleading second problem.
    ASSERT_EQ(result.tree.entries.size(), 5u);
    EXPECT_EQ(result.tree.entries[2].key, "A11");
    EXPECT_EQ(result.tree.entries[2].caption, "培训");
    EXPECT_EQ(result.tree.entries[4].key, "A21");
  }
}

TEST(TreeFileInput, Utf16WithoutAByteOrderMarkIsReadLikeWithOne) {
  const std::u16string outline = u"问题\n  人\n    培训\n";
  const std::u16string xml =
      u"<NODES><NODE Caption=\"问题\" Key=\"A\" ParentKey=\"\"/><NODE Caption=\"人\" Key=\"A1\" "
      u"ParentKey=\"A\"/><NODE Caption=\"培训\" Key=\"A11\" ParentKey=\"A1\"/></NODES>";
  for (const bool little_endian : {true, false}) {
    SCOPED_TRACE(little_endian ? "little-endian" : "big-endian");
    const TreeReadResult from_outline = ReadOutlineTree(Utf16(outline, little_endian));
    ASSERT_TRUE(from_outline.ok()) << Describe(from_outline.problems);
    EXPECT_EQ(from_outline.tree.entries[2].caption, "培训");
    const std::string xml_bytes = Utf16(xml, little_endian);
    EXPECT_EQ(DetectFormat(xml_bytes), TreeFormat::kXml);
    const TreeReadResult from_xml = ReadXmlTree(xml_bytes);
    ASSERT_TRUE(from_xml.ok()) << Describe(from_xml.problems);
    EXPECT_EQ(from_xml.tree.entries[2].caption, "培训");
  }
}

TEST(TreeFileInput, ALoneSurrogateWithoutAByteOrderMarkBecomesAReplacementCharacter) {
  // A high half with no low half after it once went through as a three-byte sequence that is
  // not UTF-8, and every later step inherited the invalid text.
  const std::u16string outline = u"问题\n  人\n    培\xD83D训\n";
  const TreeReadResult result = ReadOutlineTree(Utf16(outline, true));
  ASSERT_TRUE(result.ok()) << Describe(result.problems);
  EXPECT_EQ(result.tree.entries[2].caption, "培\uFFFD训");
}

}  // namespace
}  // namespace kivo2d
