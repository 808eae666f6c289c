// The tree a report workbook keeps (src/component/analysis_sheet.h), read as a tree file.

#include <string>

#include "platform/xlsx/xlsx_reader.h"
#include "src/component/analysis_sheet.h"
#include "src/editor/tree_file.h"
#include "src/editor/tree_file_rules.h"

namespace kivo2d {

TreeReadResult ReadReportTree(std::string_view bytes) {
  TreeReadResult result;
  const auto whole_workbook = [&](std::string message) {
    result.problems.push_back({0, std::move(message)});
    return result;
  };
  if (bytes.size() > kMaxReportFileBytes) {
    return whole_workbook("the workbook is larger than " +
                          std::to_string(kMaxReportFileBytes / (std::size_t{1024} * 1024)) +
                          " MiB: a report is far smaller, so this is not one");
  }
  std::optional<fb::xlsx::SheetTexts> sheet;
  try {
    sheet = fb::xlsx::read_sheet_texts(bytes, kAnalysisSheetName);
  } catch (const fb::xlsx::PackageError& damaged) {
    return whole_workbook(std::string("the workbook cannot be read: ") + damaged.what());
  }
  if (!sheet) {
    return whole_workbook(
        "the workbook holds no analysis (no sheet \"" + std::string(kAnalysisSheetName) +
        "\"): it is no report of this program, or one made before reports kept their tree");
  }
  const AnalysisReadResult analysis = ReadAnalysisSheet(sheet->cells);
  for (const AnalysisProblem& problem : analysis.problems) {
    result.problems.push_back({problem.row, problem.message});
  }
  for (const AnalysisRow& row : analysis.rows) {
    result.tree.entries.push_back(
        {row.node.key, row.node.caption, row.node.parent_key, row.row, 0});
  }
  if (result.tree.entries.empty()) {
    return result.problems.empty() ? whole_workbook("the workbook's analysis holds no tree")
                                   : result;
  }
  // The choices stand apart from the tree: a childless main cause, which the generation command
  // reports itself, does not lose them.
  if (result.problems.empty()) result.choices = analysis.options;
  for (TreeProblem& problem : CheckTree(result.tree)) result.problems.push_back(std::move(problem));
  tree_rules::SortProblems(result.problems);
  return result;
}

}  // namespace kivo2d
