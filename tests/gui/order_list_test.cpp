// The write-order list widget on an order of letters: clicks, drops and what the list shows.

#include "editing/OrderListBox.h"
#include "gui_test_support.h"

#include <QDropEvent>
#include <QMimeData>
#include <QSignalSpy>

using namespace bw;
using gui::TOrderListBox;

namespace {

std::vector<std::string> Letters(const std::string& s) {
    std::vector<std::string> v;
    for (char c : s)
        v.emplace_back(1, c);
    return v;
}

QStringList Rows(const TOrderListBox& list) {
    QStringList rows;
    for (int k = 0; k < list.count(); ++k)
        rows << list.item(k)->text();
    return rows;
}

QStringList AsRows(const std::vector<std::string>& order) {
    QStringList rows;
    for (const std::string& name : order)
        rows << gui::FromCp932(name);
    return rows;
}

/// The middle of a row, or a point below the last row for -1.
QPoint RowPoint(const TOrderListBox& list, int row) {
    if (row >= 0) return list.visualItemRect(list.item(row)).center();
    const QRect last = list.visualItemRect(list.item(list.count() - 1));
    return {last.center().x(), last.bottom() + 5};
}

/// Drags something of another widget (plain text) over the list and drops it at pos; true
/// when the list took the drop. (Qt delivers a drop only to the widget that accepted the
/// drag's entry.)
bool DropAt(TOrderListBox& list, const QPoint& pos) {
    QMimeData data;
    data.setText(QStringLiteral("dragged from elsewhere"));
    QDragEnterEvent enter(QPoint(2, 2), Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list.viewport(), &enter);
    QDragMoveEvent move(pos, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list.viewport(), &move);
    QDropEvent drop(QPointF(pos), Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list.viewport(), &drop);
    return enter.isAccepted() && move.isAccepted() && drop.isAccepted();
}

} // namespace

class OrderListTest : public QObject {
    Q_OBJECT
  private slots:
    void showsTheOrderWithoutSelection() {
        // An order loaded from a project may hold any names, twice or in CP932.
        std::vector<std::string> order{Sjis("その他１"), "A", "A", Sjis("免責")};
        TOrderListBox list(order, 14);
        QCOMPARE(Rows(list), AsRows(order));
        QCOMPARE(list.selectedRow(), -1);
        order = Letters("XYZ");
        list.setSelectedRow(1);
        list.LoadFromOrder();
        QCOMPARE(Rows(list), (QStringList{QStringLiteral("X"), QStringLiteral("Y"), QStringLiteral("Z")}));
        QCOMPARE(list.selectedRow(), -1);
    }

    void clicksSelectRowsAndAClickLeavingNoneSelectsTheLast() {
        std::vector<std::string> order = Letters("ABCDEFG");
        TOrderListBox list(order, 20);
        list.resize(120, 220);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));

        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, RowPoint(list, 2));
        QCOMPARE(list.selectedRow(), 2);
        // Below the rows, with and without a selection: the last row.
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, RowPoint(list, -1));
        QCOMPARE(list.selectedRow(), 6);
        list.setSelectedRow(-1);
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, RowPoint(list, -1));
        QCOMPARE(list.selectedRow(), 6);
        // Ctrl+click takes the selection away; the rule gives the last row again.
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, RowPoint(list, 3));
        QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::ControlModifier, RowPoint(list, 3));
        QCOMPARE(list.selectedRow(), 6);
        QCOMPARE(order, Letters("ABCDEFG")); // clicks move nothing
    }

    void dropsMoveTheSelectedItemToTheRowUnderThePointer() {
        struct Case {
            const char* name;
            int selected; // -1: none
            int dropRow;  // -1: below the last row
            const char* after;
            int selectedAfter;
            bool edited;
        };
        const Case cases[] = {
            {"C on row 5", 2, 5, "ABDEFCG", 5, true},
            {"F on row 2", 5, 2, "ABFCDEG", 2, true},
            {"first row below the last", 0, -1, "BCDEFGA", 6, true},
            {"last row on the first", 6, 0, "GABCDEF", 0, true},
            {"own row", 3, 3, "ABCDEFG", 3, false},
            {"no selection", -1, 4, "ABCDEFG", -1, false},
            {"no selection, below the last", -1, -1, "ABCDEFG", -1, false},
        };
        for (const Case& c : cases) {
            std::vector<std::string> order = Letters("ABCDEFG");
            TOrderListBox list(order, 20);
            list.resize(120, 220);
            list.show();
            QVERIFY(QTest::qWaitForWindowExposed(&list));
            list.setSelectedRow(c.selected);
            QSignalSpy edited(&list, &TOrderListBox::orderEdited);

            QVERIFY2(DropAt(list, RowPoint(list, c.dropRow)), c.name);
            QCOMPARE(order, Letters(c.after));
            QCOMPARE(Rows(list), AsRows(order));
            QVERIFY2(list.selectedRow() == c.selectedAfter, c.name);
            QVERIFY2((edited.count() > 0) == c.edited, c.name);
        }
    }

    void aResetReplacesTheOrderAndLeavesNoSelection() {
        std::vector<std::string> order = Letters("CAB");
        TOrderListBox list(order, 20);
        list.setSelectedRow(2);
        QSignalSpy edited(&list, &TOrderListBox::orderEdited);
        list.ResetOrder(Letters("ABC"));
        QCOMPARE(order, Letters("ABC"));
        QCOMPARE(Rows(list), AsRows(order));
        QCOMPARE(list.selectedRow(), -1);
        QCOMPARE(edited.count(), 1);
        list.ResetOrder(Letters("ABC")); // already the default: nothing edited
        QCOMPARE(edited.count(), 1);
    }
};

QTEST_MAIN(OrderListTest)
#include "order_list_test.moc"
