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

  // A batch of writes to one sheet: `formulas` were stored (fresh stamps, in write order) and
  // `constants` replaced the content of their cells. The formulas become dirty, and so does
  // everything that reads a written cell. With `evaluate_now` each formula is evaluated once at
  // once with the values its precedents have (a formula entered in manual mode shows a result;
  // its dependents wait).
  void cells_written(Worksheet& sheet, std::span<const CellAddress> formulas,
                     std::span<const CellAddress> constants, bool evaluate_now);
  // Cells moved in a way only a walk over the cells can follow (sort): every formula becomes
  // dirty, and the formulas are found and indexed again before they are next needed.
  void structure_changed();
  // Cells of `sheet` were inserted or deleted: the known formula cells move with the shift, every
  // formula becomes dirty and the index is rebuilt before it is next used, so a run of insertions
  // in manual mode pays for one rebuild.
  void cells_shifted(SheetId sheet, const formula::GridShift& shift);
  // Every cell of the workbook that holds a formula, each once, sheet by sheet in tab order and
  // column by column.
  std::vector<CellKey> formula_cells();
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
    int first_row = 0;
    int last_row = 0;
    CellKey dependent;
    std::uint32_t stamp = 0;
  };
  struct WideEntry {
    RangeAddress range;
    CellKey dependent;
    std::uint32_t stamp = 0;
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
    std::uint32_t stamp = 0;
  };

  Cell* live_formula(const CellKey& key, std::uint32_t stamp) const;
  Cell* find(const CellKey& key) const;
  void register_formula(const CellKey& key, const Cell& cell);
  // Marks dirty every formula that reads one of the cells, and what reads those, and so on. The
  // cells are taken a generation at a time, so that a bucket of the index is scanned once for all
  // the cells of one generation that fall into it.
  void mark_dependents(std::vector<CellKey> cells);
  // Drops formula cells that no longer hold the formula they were noted with (walking every cell
  // instead when a move lost track of them), each once, in the order formula_cells() gives.
  void compact_formulas();
  void rebuild();
  // Does the rebuild a structure change left pending.
  void refresh_after_structure_change();
  void note_pending(SheetId sheet, CellAddress cell, Cell& c);
  void run_dirty();
  Value evaluate_cell(const CellKey& key, Cell& cell);

  Workbook* workbook_;
  std::vector<SheetIndex> index_;  // by sheet id
  std::vector<Stamped> volatile_;
  // Where the formula cells are: every formula noted since the last compaction, dead ones (since
  // overwritten) included until then. Shifts move the entries with their cells.
  std::vector<Stamped> formulas_;
  std::size_t compacted_formulas_ = 0;
  bool formulas_lost_ = false;  // a move the entries could not follow: walk the cells
  std::vector<formula::ResolvedReference> references_;  // buffer of register_formula
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
