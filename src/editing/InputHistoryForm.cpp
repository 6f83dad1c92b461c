#include "editing/InputHistoryForm.h"

#include "app/DialogService.h"
#include "controls/Cp932InputGuard.h"
#include "editing/phrases.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QTableWidget>

namespace bw::gui {

namespace {

constexpr int kRowHeight = 20;
constexpr int kInitialRows = 7;

bool IsEnter(const QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// Cell editors guarded against characters CP932 cannot hold; Enter in a cell commits it and
// goes on to the next row instead of reaching the dialog's default button.
class HistoryCellDelegate : public QStyledItemDelegate {
  public:
    HistoryCellDelegate(Cp932InputGuard& guard, TInputHistory* form, QObject* parent)
        : QStyledItemDelegate(parent), guard_(guard), form_(form) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor)) guard_.attach(line);
        editor_ = editor;
        return editor;
    }

    /// Puts the text of an open cell editor into its cell.
    void commitOpenEditor() {
        if (editor_) emit commitData(editor_);
    }

  protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        auto* editor = qobject_cast<QWidget*>(object);
        if (editor && IsEnter(event)) {
            emit commitData(editor);
            emit closeEditor(editor, QAbstractItemDelegate::NoHint);
            form_->StringGrid1KeyPress();
            return true;
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

  private:
    Cp932InputGuard& guard_;
    TInputHistory* form_;
    mutable QPointer<QWidget> editor_;
};

// Enter on the grid itself (no cell being edited) moves down as well.
class GridEnterFilter : public QObject {
  public:
    GridEnterFilter(TInputHistory* form, QObject* parent) : QObject(parent), form_(form) {}

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (!IsEnter(event)) return false;
        form_->StringGrid1KeyPress();
        return true;
    }

  private:
    TInputHistory* form_;
};

} // namespace

TInputHistory::TInputHistory(const std::string& date, const std::string& version, bool insertFirst,
                             Cp932InputGuard& guard, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("InputHistory"));
    setWindowTitle(QStringLiteral("開発履歴入力フォーム"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setFixedSize(376, 232);

    auto* dateLabel = new QLabel(QStringLiteral("更新日(&U)"), this);
    dateLabel->setGeometry(8, 6, 153, 16);
    UpDateCmbBox = new QComboBox(this);
    UpDateCmbBox->setObjectName(QStringLiteral("UpDateCmbBox"));
    UpDateCmbBox->setEditable(true);
    UpDateCmbBox->setInsertPolicy(QComboBox::NoInsert);
    UpDateCmbBox->setGeometry(8, 22, 153, 22);
    UpDateCmbBox->setEditText(FromCp932(date));
    guard.attach(UpDateCmbBox);
    dateLabel->setBuddy(UpDateCmbBox);

    auto* verLabel = new QLabel(QStringLiteral("バージョン(&V)"), this);
    verLabel->setGeometry(176, 6, 153, 16);
    VerEdit = new QLineEdit(FromCp932(version), this);
    VerEdit->setObjectName(QStringLiteral("VerEdit"));
    VerEdit->setGeometry(176, 22, 153, 22);
    guard.attach(VerEdit);
    verLabel->setBuddy(VerEdit);

    StringGrid1 = new QTableWidget(kInitialRows, 1, this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setGeometry(8, 52, 360, kInitialRows * kRowHeight + 2);
    StringGrid1->horizontalHeader()->hide();
    StringGrid1->verticalHeader()->hide();
    StringGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGrid1->verticalHeader()->setDefaultSectionSize(kRowHeight);
    StringGrid1->verticalHeader()->setMinimumSectionSize(kRowHeight);
    StringGrid1->setColumnWidth(0, 640);
    StringGrid1->setShowGrid(true);
    StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                                 QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    StringGrid1->setTabKeyNavigation(false);
    StringGrid1->setItemDelegate(new HistoryCellDelegate(guard, this, StringGrid1));
    StringGrid1->installEventFilter(new GridEnterFilter(this, StringGrid1));
    StringGrid1->setCurrentCell(0, 0);

    InsertRdoBtn = new QRadioButton(QStringLiteral("最初に挿入"), this);
    InsertRdoBtn->setObjectName(QStringLiteral("InsertRdoBtn"));
    InsertRdoBtn->setGeometry(8, 202, 88, 22);
    AddRdoBtn = new QRadioButton(QStringLiteral("最後に追加"), this);
    AddRdoBtn->setObjectName(QStringLiteral("AddRdoBtn"));
    AddRdoBtn->setGeometry(100, 202, 88, 22);
    (insertFirst ? InsertRdoBtn : AddRdoBtn)->setChecked(true);

    OKBtn = new QPushButton(QStringLiteral("OK(&O)"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setGeometry(206, 200, 78, 25);
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("キャンセル(&C)"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setGeometry(290, 200, 78, 25);
    connect(OKBtn, &QPushButton::clicked, this, &TInputHistory::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    setTabOrder(UpDateCmbBox, VerEdit);
    setTabOrder(VerEdit, StringGrid1);
    setTabOrder(StringGrid1, InsertRdoBtn);
    setTabOrder(InsertRdoBtn, OKBtn);
    setTabOrder(OKBtn, CancelBtn);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(0, 0), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    StringGrid1->setFocus();
}

void TInputHistory::StringGrid1KeyPress() {
    const int row = StringGrid1->currentRow();
    if (row + 1 >= StringGrid1->rowCount()) {
        StringGrid1->insertRow(StringGrid1->rowCount());
        StringGrid1->setRowHeight(StringGrid1->rowCount() - 1, kRowHeight);
    }
    StringGrid1->setCurrentCell(row + 1, 0);
}

std::vector<std::string> TInputHistory::Rows() const {
    static_cast<HistoryCellDelegate*>(StringGrid1->itemDelegate())->commitOpenEditor();
    std::vector<std::string> rows;
    for (int r = 0; r < StringGrid1->rowCount(); ++r) {
        const QTableWidgetItem* cell = StringGrid1->item(r, 0);
        // The guard keeps characters without a CP932 code out of the cells.
        rows.push_back(cell ? ToCp932(cell->text()).value_or(std::string()) : std::string());
    }
    return rows;
}

std::vector<std::string> TInputHistory::Block() const {
    return BuildHistoryBlock(ToCp932(UpDateCmbBox->currentText()).value_or(std::string()),
                             ToCp932(VerEdit->text()).value_or(std::string()), Rows());
}

bool TInputHistory::InsertFirst() const {
    return !AddRdoBtn->isChecked();
}

void TInputHistory::OKBtnClick() {
    emit entryAccepted(Block(), InsertFirst());
    accept();
}

} // namespace bw::gui
