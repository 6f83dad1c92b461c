#include "editing/OrderListBox.h"

#include "app/DialogService.h"
#include "editing/order_moves.h"

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace bw::gui {

namespace {

/// The drag's payload; the drop moves the receiving list's own selection, so it carries nothing.
const QString kOrderRowMime = QStringLiteral("application/x-brindlewocket-order-row");

/// Rows of one fixed height, the name in plain text 2 pixels from the left, vertically centred.
class OrderRowDelegate : public QStyledItemDelegate {
  public:
    OrderRowDelegate(int rowHeight, QObject* parent) : QStyledItemDelegate(parent), rowHeight_(rowHeight) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
        return {option.rect.width(), rowHeight_};
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette::ColorGroup group =
            option.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
        painter->save();
        if (selected) painter->fillRect(option.rect, option.palette.brush(group, QPalette::Highlight));
        painter->setPen(option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
        painter->setFont(option.font);
        painter->drawText(option.rect.adjusted(2, 0, 0, 0),
                          Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                          index.data(Qt::DisplayRole).toString());
        painter->restore();
    }

  private:
    int rowHeight_;
};

} // namespace

TOrderListBox::TOrderListBox(std::vector<std::string>& order, int rowHeight, QWidget* parent)
    : QListWidget(parent), order_(order) {
    setItemDelegate(new OrderRowDelegate(rowHeight, this));
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The list starts its own drags (mouseMoveEvent) and takes every drop (dropEvent).
    setDragEnabled(false);
    viewport()->setAcceptDrops(true);
    setAcceptDrops(true);
    setDropIndicatorShown(false);
    LoadFromOrder();
}

void TOrderListBox::LoadFromOrder() {
    ShowOrder(-1);
}

void TOrderListBox::ResetOrder(std::vector<std::string> order) {
    const bool changed = order != order_;
    order_ = std::move(order);
    ShowOrder(-1);
    if (changed) emit orderEdited();
}

int TOrderListBox::selectedRow() const {
    const QList<QListWidgetItem*> items = selectedItems();
    return items.isEmpty() ? -1 : row(items.first());
}

void TOrderListBox::setSelectedRow(int rowIndex) {
    if (rowIndex < 0 || rowIndex >= count()) {
        clearSelection();
        setCurrentItem(nullptr);
        return;
    }
    setCurrentRow(rowIndex, QItemSelectionModel::ClearAndSelect);
}

void TOrderListBox::ShowOrder(int selected) {
    if (count() != static_cast<int>(order_.size())) {
        clear();
        for (const std::string& name : order_)
            addItem(FromCp932(name));
    } else {
        for (int k = 0; k < count(); ++k)
            item(k)->setText(FromCp932(order_[static_cast<std::size_t>(k)]));
    }
    setSelectedRow(selected);
}

void TOrderListBox::ApplyMove(int selected) {
    ShowOrder(selected);
    emit orderEdited();
}

void TOrderListBox::MoveUp() {
    const int from = selectedRow();
    const int to = MoveOrderItemUp(order_, from);
    if (to != from) ApplyMove(to);
}

void TOrderListBox::MoveDown() {
    const int from = selectedRow();
    const int to = MoveOrderItemDown(order_, from);
    if (to != from) ApplyMove(to);
}

void TOrderListBox::MoveTo(int target) {
    const int from = selectedRow();
    if (from < 0) return; // no item to move: a drop on a list without selection does nothing
    const int to = MoveOrderItemTo(order_, from, target);
    if (to != from) ApplyMove(to);
}

int TOrderListBox::DropRowAt(const QPoint& pos) const {
    const QModelIndex index = indexAt(pos);
    return index.isValid() ? index.row() : count() - 1;
}

void TOrderListBox::mousePressEvent(QMouseEvent* event) {
    QListWidget::mousePressEvent(event);
    pressPos_ = event->position().toPoint();
    pressOnRow_ = event->button() == Qt::LeftButton && indexAt(pressPos_).isValid();
}

void TOrderListBox::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton)) {
        QListWidget::mouseMoveEvent(event);
        return;
    }
    // With the button held the selection stays on the pressed row; far enough, that row is
    // dragged.
    if (!pressOnRow_ || selectedRow() < 0) return;
    if ((event->position().toPoint() - pressPos_).manhattanLength() < QApplication::startDragDistance())
        return;
    pressOnRow_ = false;
    auto* drag = new QDrag(this);
    auto* data = new QMimeData;
    data->setData(kOrderRowMime, QByteArray::number(selectedRow()));
    drag->setMimeData(data);
    drag->exec(Qt::MoveAction);
}

void TOrderListBox::mouseReleaseEvent(QMouseEvent* event) {
    QListWidget::mouseReleaseEvent(event);
    pressOnRow_ = false;
    if (event->button() == Qt::LeftButton && count() > 0 && selectedRow() < 0)
        setSelectedRow(SelectionAfterClick(-1, count()));
}

void TOrderListBox::dragEnterEvent(QDragEnterEvent* event) {
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

void TOrderListBox::dragMoveEvent(QDragMoveEvent* event) {
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

void TOrderListBox::dropEvent(QDropEvent* event) {
    // A drop moves this list's own selected item, whatever was dragged.
    MoveTo(DropRowAt(event->position().toPoint()));
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

} // namespace bw::gui
