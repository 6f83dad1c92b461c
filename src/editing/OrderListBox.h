#pragma once
// A write-order list: shows an order of names (CP932) and edits it in place by the moves of
// editing/order_moves.h. Used for the basic-item order (St1ListBox) and the section order
// (St2ListBox).

#include <QListWidget>

#include <string>
#include <vector>

namespace bw::gui {

class TOrderListBox : public QListWidget {
    Q_OBJECT
  public:
    /// order is the field the list edits; it must outlive the list. Rows are rowHeight pixels.
    TOrderListBox(std::vector<std::string>& order, int rowHeight, QWidget* parent = nullptr);

    /// Shows the order's names again, with no row selected (after an open or a reset).
    void LoadFromOrder();
    /// Replaces the whole order and shows it with no row selected.
    void ResetOrder(std::vector<std::string> order);

    /// The selected row, or -1.
    int selectedRow() const;
    void setSelectedRow(int row);

    /// "↑" and "↓": the selected item changes places with its neighbour.
    void MoveUp();
    void MoveDown();
    /// A drop: the selected item is put at row target (-1: the last row).
    void MoveTo(int target);
    /// The row a drop at pos (viewport coordinates) goes to: the row under it, or the last
    /// row below the rows.
    int DropRowAt(const QPoint& pos) const;

  signals:
    /// The order changed through a move or a reset.
    void orderEdited();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    /// Rows from the order, keeping or setting the selection.
    void ShowOrder(int selected);
    void ApplyMove(int selected);

    std::vector<std::string>& order_;
    QPoint pressPos_;
    bool pressOnRow_ = false;
};

} // namespace bw::gui
