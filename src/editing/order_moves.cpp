#include "editing/order_moves.h"

#include <algorithm>
#include <utility>

namespace bw {

namespace {
bool Valid(const std::vector<std::string>& order, int row) {
    return row >= 0 && row < static_cast<int>(order.size());
}
} // namespace

int MoveOrderItemUp(std::vector<std::string>& order, int selected) {
    if (!Valid(order, selected) || selected == 0) return selected;
    std::swap(order[static_cast<std::size_t>(selected)], order[static_cast<std::size_t>(selected - 1)]);
    return selected - 1;
}

int MoveOrderItemDown(std::vector<std::string>& order, int selected) {
    if (!Valid(order, selected) || selected + 1 == static_cast<int>(order.size())) return selected;
    std::swap(order[static_cast<std::size_t>(selected)], order[static_cast<std::size_t>(selected + 1)]);
    return selected + 1;
}

int MoveOrderItemTo(std::vector<std::string>& order, int selected, int target) {
    if (!Valid(order, selected)) return selected;
    if (!Valid(order, target)) target = static_cast<int>(order.size()) - 1;
    const auto from = order.begin() + selected, to = order.begin() + target;
    if (selected < target)
        std::rotate(from, from + 1, to + 1);
    else
        std::rotate(to, from, from + 1);
    return target;
}

int SelectionAfterClick(int selected, int rowCount) {
    return selected >= 0 ? selected : rowCount - 1;
}

} // namespace bw
