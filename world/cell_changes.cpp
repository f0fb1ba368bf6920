// cell_changes.cpp: taking the changed cells and emptying the record behind them.
#include "world/cell_changes.h"

#include <algorithm>

namespace vennaloop {

void TakeCellChanges(CellChangeSet& into) {
  CellChangeRecord& record = CellChanges;
  into.everything = record.everything;
  into.cells.clear();
  if (record.everything) {
    // Bits of cells listed before the overflow may still be set.
    std::fill(std::begin(record.listed), std::end(record.listed), 0);
  } else {
    into.cells.assign(record.cells, record.cells + record.count);
    // Only the listed cells' bits are set; clearing them is cheaper than the whole bitmap.
    for (int k = 0; k < record.count; ++k)
      record.listed[record.cells[k] >> 6] = 0;
  }
  record.count = 0;
  record.everything = false;
}

}  // namespace vennaloop
