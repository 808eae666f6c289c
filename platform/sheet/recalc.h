#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/sheet/eval_context.h"
#include "platform/sheet/formula/formula.h"

namespace fb::sheet {

class Workbook;
class Worksheet;
struct Cell;

// A cell of the workbook, by sheet id.
struct CellKey {
  SheetId sheet = 0;
  int row = 0;
  int column = 0;
};

// Keeps the formulas of one workbook up to date: which formula reads which cells, which are
// dirty, and the evaluation of dirty formulas in dependency order.
//
// Evaluation uses an explicit stack instead of recursion: a formula is evaluated; when it read a
// formula cell that is still dirty, its result is thrown away, the cells it was waiting for are
// pushed and it is retried after them. Reading a cell that is itself waiting on the stack is a
// circular reference: the cell that closes the circle gets #VALUE! (the host would warn and show
// 0; an error value keeps a circle from passing silently as a number), and the cells waiting on
// it are then evaluated with that error. Nothing recurses, so no chain is too long and no circle
// hangs.
class Recalc final : public EvalContext {
 public:
  explicit Recalc(Workbook& workbook);

  // A formula was stored in the cell (its stamp is fresh). It becomes dirty and its dependents
  // too. With `evaluate_now` the cell is evaluated once at once with the values its precedents
  // have (a formula entered in manual mode shows a result; its dependents wait).
  void formula_written(Worksheet& sheet, CellAddress cell, bool evaluate_now);
  // A constant replaced the cell's content (or a formula): its dependents become dirty.
  void content_changed(Worksheet& sheet, CellAddress cell);
  // Cells moved (insert, delete, sort, cut): every formula becomes dirty and the index is rebuilt
  // before it is next used, so a run of insertions in manual mode pays for one rebuild.
  void structure_changed();
  // Evaluates every dirty formula, volatile ones included.
  void calculate();
  // Forgets everything about a sheet that is being removed.
  void sheet_removed(SheetId sheet);

  std::size_t dirty_count() const { return dirty_.size(); }
  // The number of formula evaluations since the workbook was made (tests check that work stays
  // proportional to what depends on a change).
  std::uint64_t evaluations() const { return evaluations_; }

  // EvalContext
  Value cell_value(SheetId sheet, CellAddress cell) override;
  std::optional<SheetId> sheet_by_name(std::string_view name) const override;
  CellAddress used_extent(SheetId sheet) const override;
  std::optional<Value> call_user_function(std::string_view name,
                                          std::span<const UserFunctionArgument> args) override;

 private:
  struct Entry {
    int first_row;
    int last_row;
    CellKey dependent;
    std::uint32_t stamp;
  };
  struct WideEntry {
    RangeAddress range;
    CellKey dependent;
    std::uint32_t stamp;
  };
  // Short ranges are filed under each block of 64 rows of each column they cover; tall ones
  // (whole columns) under their columns; wide ones (whole rows) in one list. A changed cell then
  // looks at one block, one column list and the wide list, not at every formula.
  struct SheetIndex {
    std::unordered_map<std::uint64_t, std::vector<Entry>> blocks;
    std::vector<std::vector<Entry>> tall_by_column;
    std::vector<WideEntry> wide;
  };
  struct Stamped {
    CellKey key;
    std::uint32_t stamp;
  };

  Cell* live_formula(const CellKey& key, std::uint32_t stamp) const;
  Cell* find(const CellKey& key) const;
  void register_formula(const CellKey& key, const Cell& cell);
  void mark_dependents(const CellKey& key);
  void rebuild();
  // Does the rebuild a structure change left pending.
  void refresh_after_structure_change();
  void note_pending(SheetId sheet, CellAddress cell, Cell& c);
  void run_dirty();
  Value evaluate_cell(const CellKey& key, Cell& cell);

  Workbook* workbook_;
  std::vector<SheetIndex> index_;  // by sheet id
  std::vector<Stamped> volatile_;
  std::vector<CellKey> dirty_;
  std::uint64_t evaluations_ = 0;
  std::size_t registered_ = 0;
  std::size_t dropped_ = 0;
  bool structure_stale_ = false;

  // State of the evaluation in progress.
  bool chasing_ = false;
  bool cycle_ = false;
  std::vector<CellKey> pending_;
  std::vector<CellKey> stack_;
};

}  // namespace fb::sheet
