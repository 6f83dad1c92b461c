#pragma once
// Moves within the two write-order lists. A selection is a row index, or -1 for none;
// each move returns the selection that follows the moved item.

#include <string>
#include <vector>

namespace bw {

/// Swaps the selected item with the one above; nothing without a selection or on the first row.
int MoveOrderItemUp(std::vector<std::string>& order, int selected);
/// Swaps the selected item with the one below; nothing without a selection or on the last row.
int MoveOrderItemDown(std::vector<std::string>& order, int selected);
/// Takes the selected item out and puts it back at row target (-1 or past the end: the last row).
int MoveOrderItemTo(std::vector<std::string>& order, int selected, int target);
/// A click that leaves no row selected selects the last row.
int SelectionAfterClick(int selected, int rowCount);

} // namespace bw
