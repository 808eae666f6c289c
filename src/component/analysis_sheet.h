#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sheet/cell_address.h"
#include "platform/sheet/worksheet.h"
#include "src/component/exchange_node.h"
#include "src/component/generation_options.h"

namespace kivo2d {

// The analysis a report carries: the tree it was made from and the choices its run applied, in
// a sheet of the report workbook, so that a report mailed on or opened days later can be read
// back, continued and made again. A sheet survives every spreadsheet program that opens and
// saves the workbook, where a package part of our own may be dropped.
//
// The sheet holds the exchange file's rows as the host lays them out: row 1 the heading
// "Caption", "Key", "ParentKey" in A to C, one node a row below it in collection order. Beside
// them, in E and F, the choices: "Choice" and "Value" in row 1, then one choice a row, named as
// the command line's flags name them (font, size, wrap, head with the flags' words; pareto and
// top-three "yes" or "no"; the picture shifts of a layout fitting in points). Every cell is
// text, so that no program turns a caption such as "0001" or a word into a number.
inline constexpr std::string_view kAnalysisSheetName = "FishboneAnalysis";

struct ReportAnalysis {
  std::vector<ExchangeNode> nodes;
  GenerationOptions options;
};

// Writes the analysis into an empty sheet.
void WriteAnalysisSheet(fb::sheet::Worksheet& sheet, const ReportAnalysis& analysis);

// One node as the sheet gives it, with its row.
struct AnalysisRow {
  ExchangeNode node;
  int row = 0;
};

// A problem of the sheet: its row (1-based) and what is wrong.
struct AnalysisProblem {
  int row = 0;
  std::string message;
};

struct AnalysisReadResult {
  std::vector<AnalysisRow> rows;
  GenerationOptions options;
  std::vector<AnalysisProblem> problems;
};

// Reads the analysis back from the sheet's cell texts: the node rows from row 2 down to the
// first empty row, and every choice row, each choice that the sheet lacks at its default and a
// choice of another name passed over (a later program may keep more). A heading other than the one
// written, or a choice whose value is none of its words, is a problem. The nodes are not
// checked as a tree here.
AnalysisReadResult ReadAnalysisSheet(const std::map<fb::sheet::CellAddress, std::string>& cells);

}  // namespace kivo2d
