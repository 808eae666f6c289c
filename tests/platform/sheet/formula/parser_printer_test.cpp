#include <gtest/gtest.h>

#include "platform/sheet/formula/formula.h"
#include "tests/platform/sheet/formula/fake_context.h"

namespace fb::sheet::formula::testing {
namespace {

FormulaPtr parse_ok(std::string_view text, Notation notation, CellAddress origin = {1, 1}) {
  ParseResult r = parse(text, notation, origin);
  EXPECT_FALSE(r.error) << text << ": " << (r.error ? r.error->message : "");
  return r.formula;
}

struct Conversion {
  const char* text;
  Notation notation;
  const char* origin;
  const char* r1c1;
  const char* a1;
};

TEST(ParserPrinter, ConvertsBetweenNotations) {
  const Conversion cases[] = {
      {"=Sheet2!R11C9:R14C9", Notation::R1C1, "A1", "=Sheet2!R11C9:R14C9", "=Sheet2!$I$11:$I$14"},
      {"='Sheet2'!$T$11:$V$37", Notation::A1, "A1", "=Sheet2!R11C20:R37C22", "=Sheet2!$T$11:$V$37"},
      {"=Sheet2!$G$3", Notation::A1, "B2", "=Sheet2!R3C7", "=Sheet2!$G$3"},
      {"=B2+A1", Notation::A1, "B3", "=R[-1]C+R[-2]C[-1]", "=B2+A1"},
      {"=$B2+B$2", Notation::A1, "C5", "=R[-3]C2+R2C[-1]", "=$B2+B$2"},
      {"=RC[-1]", Notation::R1C1, "E3", "=RC[-1]", "=D3"},
      {"=R[1]C[-4]:R[740]C[-4]", Notation::R1C1, "G3", "=R[1]C[-4]:R[740]C[-4]", "=C4:C743"},
      {"=SUM(A:A,3:4)", Notation::A1, "B1", "=SUM(C[-1],R[2]:R[3])", "=SUM(A:A,3:4)"},
      {"=SUM($C:$D)", Notation::A1, "A1", "=SUM(C3:C4)", "=SUM($C:$D)"},
      {"=sum(1, 2)", Notation::A1, "A1", "=SUM(1, 2)", "=SUM(1, 2)"},
      {"=\"say \"\"hi\"\"\"", Notation::A1, "A1", "=\"say \"\"hi\"\"\"", "=\"say \"\"hi\"\"\""},
      {"={1,2;-3,\"x\"}", Notation::A1, "A1", "={1,2;-3,\"x\"}", "={1,2;-3,\"x\"}"},
      {"=1.50+.5+1E3", Notation::A1, "A1", "=1.5+0.5+1000", "=1.5+0.5+1000"},
      {"='My sheet'!A1+'It''s'!B2", Notation::A1, "A1", "='My sheet'!RC+'It''s'!R[1]C[1]",
       "='My sheet'!A1+'It''s'!B2"},
      {"=Weizhi(A1,B1:B3,1)", Notation::A1, "A1", "=Weizhi(RC,RC[1]:R[2]C[1],1)",
       "=Weizhi(A1,B1:B3,1)"},
      {"=OFFSET(A1,,1)", Notation::A1, "A1", "=OFFSET(RC,,1)", "=OFFSET(A1,,1)"},
      {"=-A1%", Notation::A1, "A1", "=-RC%", "=-A1%"},
      {"=#N/A", Notation::A1, "A1", "=#N/A", "=#N/A"},
      {"0", Notation::R1C1, "A1", "=0", "=0"},
  };
  for (const Conversion& c : cases) {
    FormulaPtr f = parse_ok(c.text, c.notation, a1(c.origin));
    if (!f) continue;
    EXPECT_EQ(to_r1c1(*f), c.r1c1) << c.text;
    EXPECT_EQ(to_a1(*f, a1(c.origin)), c.a1) << c.text;
  }
}

// One parse serves every cell of a filled range: the same R1C1 text points at each cell's
// own neighbours.
TEST(ParserPrinter, OneR1C1ParseServesEveryCellOfARange) {
  FormulaPtr f = parse_ok("=R[-1]C+1", Notation::R1C1);
  ASSERT_TRUE(f);
  EXPECT_EQ(to_a1(*f, a1("B5")), "=B4+1");
  EXPECT_EQ(to_a1(*f, a1("C9")), "=C8+1");
  FakeContext context;
  context.set("B4", 10.0);
  context.set("C8", 20.0);
  EXPECT_EQ(evaluate(*f, context, 0, a1("B5")), Value(11.0));
  EXPECT_EQ(evaluate(*f, context, 0, a1("C9")), Value(21.0));
}

// A reference that would leave the grid from this cell shows as #REF! and evaluates to it.
TEST(ParserPrinter, ReferenceOffTheGridIsRefError) {
  FormulaPtr f = parse_ok("=R[-1]C", Notation::R1C1);
  ASSERT_TRUE(f);
  EXPECT_EQ(to_a1(*f, a1("A1")), "=#REF!");
  FakeContext context;
  EXPECT_EQ(evaluate(*f, context, 0, a1("A1")), Value(ErrorCode::Ref));
}

TEST(ParserPrinter, MalformedTextsAreRejectedWithAPosition) {
  struct Bad {
    const char* text;
    Notation notation;
  };
  const Bad cases[] = {
      {"=1+", Notation::A1},
      {"=(1", Notation::A1},
      {"=SUM(1", Notation::A1},
      {"=\"abc", Notation::A1},
      {"=IF()", Notation::A1},      // too few arguments
      {"=LEN(1,2)", Notation::A1},  // too many arguments
      {"=MID(\"a\",1)", Notation::A1},
      {"={1,2;3}", Notation::A1},  // ragged array
      {"={A1}", Notation::A1},     // arrays hold constants only
      {"=1 2", Notation::A1},
      {"=#FOO!", Notation::A1},
      {"=Sheet2!", Notation::R1C1},
      {"=R[1", Notation::R1C1},
      {"=1)", Notation::A1},
      {"=@", Notation::A1},
      {"=", Notation::A1},
  };
  for (const Bad& c : cases) {
    ParseResult r = parse(c.text, c.notation, {1, 1});
    EXPECT_FALSE(r.formula) << c.text;
    ASSERT_TRUE(r.error) << c.text;
    EXPECT_LE(r.error->position, std::string_view(c.text).size()) << c.text;
  }
}

TEST(ParserPrinter, DeepNestingIsRefusedInsteadOfOverflowingTheStack) {
  // Found by fuzzing: a few thousand "(" crashed the process in the parser's recursion.
  const auto nested = [](int levels, std::string_view open, std::string_view close) {
    std::string text = "=";
    for (int i = 0; i < levels; ++i) text += open;
    text += "1";
    for (int i = 0; i < levels; ++i) text += close;
    return text;
  };
  std::string chain = "=1";
  for (int i = 0; i < 3000; ++i) chain += "+1";
  const struct {
    std::string text;
    bool refused;
  } cases[] = {
      {nested(200, "(", ")"), false},        {nested(5000, "(", ")"), true},
      {nested(200, "ABS(", ")"), false},     {nested(5000, "ABS(", ")"), true},
      {nested(5000, "-", ""), true},         {chain, true},
      {"=1" + std::string(600, '%'), false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 12) + "... (" + std::to_string(c.text.size()) + " characters)");
    const ParseResult r = parse(c.text, Notation::A1, {1, 1});
    EXPECT_EQ(r.error.has_value(), c.refused) << (r.error ? r.error->message : "");
  }
}

// In R1C1 texts an A1-looking word is a name, and names that look like references but are
// followed by '(' are function calls.
TEST(ParserPrinter, NamesFunctionsAndReferencesAreTold) {
  FakeContext context;
  context.set("A1", 4.0);
  EXPECT_EQ(eval(context, "=A1", "B2", Notation::R1C1), Value(ErrorCode::Name));
  EXPECT_EQ(eval(context, "=R1C1*2", "B2", Notation::R1C1), Value(8.0));
  EXPECT_EQ(eval(context, "=ROUND(R1C1/3,1)", "B2", Notation::R1C1), Value(1.3));
  EXPECT_EQ(eval(context, "=ROW()+COLUMN()", "B3", Notation::R1C1), Value(5.0));
  EXPECT_EQ(eval(context, "=true", "A2"), Value(true));
}

TEST(ParserPrinter, VolatileWhenOffsetOrIndirectIsCalled) {
  EXPECT_TRUE(is_volatile(*parse_ok("=SUM(OFFSET(A1,1,1))", Notation::A1)));
  EXPECT_TRUE(is_volatile(*parse_ok("=IF(1,INDIRECT(\"A1\"))", Notation::A1)));
  EXPECT_FALSE(is_volatile(*parse_ok("=SUM(A1:B2)+Weizhi(A1)", Notation::A1)));
}

TEST(ParserPrinter, ForEachReferenceResolvesAgainstTheCell) {
  FormulaPtr f = parse_ok("=R[-1]C+Sheet2!R3C8:R4C8+SUM(C2)", Notation::R1C1);
  ASSERT_TRUE(f);
  std::vector<std::pair<std::string, RangeAddress>> seen;
  for_each_reference(*f, a1("D5"), [&](std::string_view sheet, const RangeAddress& r) {
    seen.emplace_back(std::string(sheet), r);
  });
  const std::vector<std::pair<std::string, RangeAddress>> expected = {
      {"", RangeAddress{{4, 4}, {4, 4}}},
      {"Sheet2", RangeAddress{{3, 8}, {4, 8}}},
      {"", RangeAddress{{1, 2}, {kMaxRows, 2}}},
  };
  EXPECT_EQ(seen, expected);
}

}  // namespace
}  // namespace fb::sheet::formula::testing
