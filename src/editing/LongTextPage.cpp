#include "editing/LongTextPage.h"

#include "app/DialogService.h"
#include "controls/Cp932InputGuard.h"
#include "controls/XPGroupBox.h"
#include "editing/InputHistoryForm.h"
#include "editing/OrderListBox.h"
#include "editing/SectionEditor.h"
#include "editing/TemplateListBox.h"
#include "editing/phrases.h"
#include "editing/templates.h"
#include "text/ini.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStackedWidget>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QVBoxLayout>

namespace bw::gui {

namespace {

constexpr int kStripHeight = 145;
constexpr int kListGroupWidth = 195;
constexpr int kSectionRowHeight = 14;
constexpr int kVisibleRows = 8; // the lists of the strip show whole rows
constexpr int kIntroductionFontPixels = 20;
constexpr int kEditorFontPixels = 12;

// Rows of the section list: 14 pixels, the name 2 pixels right of and 1 below the row's
// corner, the selected row in its own blue whether or not the list has the focus.
class SectionRowDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
        return QSize(option.rect.width(), kSectionRowHeight);
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const bool selected = option.state.testFlag(QStyle::State_Selected);
        const QColor fill = selected ? QColor(100, 139, 203) : option.palette.color(QPalette::Base);
        const QColor text = selected ? QColor(Qt::white) : option.palette.color(QPalette::Text);
        painter->save();
        painter->fillRect(option.rect, fill);
        painter->setPen(text);
        painter->setFont(option.font);
        painter->drawText(option.rect.adjusted(2, 1, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                          index.data(Qt::DisplayRole).toString());
        painter->restore();
    }
};

// Only the stored texts matter to the record: the six flags of a row of boxes.
OsFlags FlagsOf(const std::array<QCheckBox*, 6>& boxes) {
    return OsFlags{boxes[0]->isChecked(), boxes[1]->isChecked(), boxes[2]->isChecked(),
                   boxes[3]->isChecked(), boxes[4]->isChecked(), boxes[5]->isChecked()};
}

void ShowFlags(const std::array<QCheckBox*, 6>& boxes, const OsFlags& f) {
    const bool values[] = {f.W95, f.W98, f.WMe, f.WNT, f.W2k, f.WXP};
    for (std::size_t i = 0; i < boxes.size(); ++i)
        boxes[i]->setChecked(values[i]);
}

std::string* FreeTitleField(ReadMeProject& p, int free) {
    std::string* const fields[] = {&p.Other1Title, &p.Other2Title, &p.Other3Title};
    return fields[free];
}

} // namespace

TLongTextPage::TLongTextPage(PageContext& context, QWidget* parent) : QWidget(parent), ctx_(context) {
    // ---- The strip: sections, templates, order ----
    auto* sectionGroup = new TXPGroupBox(QStringLiteral("長文項目"), this);
    sectionGroup->setObjectName(QStringLiteral("LongWordGroupBox"));
    sectionGroup->setFixedWidth(kListGroupWidth);
    LongWordListBox = new QListWidget(sectionGroup);
    LongWordListBox->setObjectName(QStringLiteral("LongWordListBox"));
    LongWordListBox->setItemDelegate(new SectionRowDelegate(LongWordListBox));
    LongWordListBox->setUniformItemSizes(true);
    LongWordListBox->setSelectionMode(QAbstractItemView::SingleSelection);
    LongWordListBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int k = 0; k < kSectionCount; ++k)
        LongWordListBox->addItem(FromCp932(SectionCaption(k)));
    LongWordListBox->setCurrentRow(-1);
    LongWordListBox->clearSelection();
    auto* sectionLayout = new QVBoxLayout(sectionGroup);
    sectionLayout->setContentsMargins(6, 2, 6, 4);
    sectionLayout->addWidget(LongWordListBox);

    auto* templateGroup = new TXPGroupBox(QStringLiteral("テンプレート"), this);
    templateGroup->setObjectName(QStringLiteral("LWTemplateGroupBox"));
    templateGroup->setFixedWidth(kListGroupWidth);
    LWTemplateFLBox = new TTemplateListBox(ctx_.folders.TemplateRoot(), ctx_.dialogs, templateGroup);
    auto* templateLayout = new QVBoxLayout(templateGroup);
    templateLayout->setContentsMargins(6, 2, 6, 4);
    templateLayout->addWidget(LWTemplateFLBox);

    auto* orderGroup = new TXPGroupBox(QStringLiteral("書き込む順番"), this);
    orderGroup->setObjectName(QStringLiteral("St2GroupBox"));
    St2ListBox = new TOrderListBox(ctx_.record.SectionOrder, kSectionRowHeight, orderGroup);
    St2ListBox->setObjectName(QStringLiteral("St2ListBox"));
    St2ListBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Button1 = new QPushButton(QStringLiteral("↑"), orderGroup);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setFixedSize(28, 28);
    Button3 = new QPushButton(QStringLiteral("↓"), orderGroup);
    Button3->setObjectName(QStringLiteral("Button3"));
    Button3->setFixedSize(28, 28);
    auto* orderLayout = new QGridLayout(orderGroup);
    orderLayout->setContentsMargins(6, 2, 6, 4);
    orderLayout->addWidget(St2ListBox, 0, 0, 3, 1);
    orderLayout->addWidget(Button1, 0, 1);
    orderLayout->addWidget(Button3, 1, 1);
    orderLayout->setRowStretch(2, 1);

    for (QListWidget* list :
         {LongWordListBox, static_cast<QListWidget*>(LWTemplateFLBox), static_cast<QListWidget*>(St2ListBox)})
        list->setFixedHeight(kVisibleRows * kSectionRowHeight + 2 * list->frameWidth());

    auto* strip = new QWidget(this);
    strip->setObjectName(QStringLiteral("LongWordStrip"));
    strip->setFixedHeight(kStripHeight);
    auto* stripLayout = new QHBoxLayout(strip);
    stripLayout->setContentsMargins(0, 0, 0, 0);
    stripLayout->setSpacing(4);
    stripLayout->addWidget(sectionGroup);
    stripLayout->addWidget(templateGroup);
    stripLayout->addWidget(orderGroup, 1);

    // ---- The section pages, without tabs; page 0 is the empty area of "none shown" ----
    SectionPages = new QStackedWidget(this);
    SectionPages->setObjectName(QStringLiteral("SectionPages"));
    auto* none = new QWidget(SectionPages);
    none->setObjectName(QStringLiteral("NoSectionSheet"));
    SectionPages->addWidget(none);
    for (int k = 0; k < kSectionCount; ++k)
        SectionPages->addWidget(BuildSectionPage(k));
    SectionPages->setCurrentIndex(0);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addWidget(strip);
    layout->addWidget(SectionPages, 1);

    connect(LongWordListBox, &QListWidget::currentRowChanged, this, &TLongTextPage::ShowSection);
    connect(LWTemplateFLBox, &TTemplateListBox::insertRequested, this, &TLongTextPage::InsertTemplate);
    connect(St2ListBox, &TOrderListBox::orderEdited, this, &TLongTextPage::edited);
    connect(Button1, &QPushButton::clicked, St2ListBox, &TOrderListBox::MoveUp);
    connect(Button3, &QPushButton::clicked, St2ListBox, &TOrderListBox::MoveDown);
}

QWidget* TLongTextPage::BuildSectionPage(int index) {
    auto* page = new QWidget(SectionPages);
    page->setObjectName(QStringLiteral("SectionSheet%1").arg(index));
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);

    if (index == SectionIndex::operate) layout->addWidget(BuildOperateBar());
    if (index == SectionIndex::history) {
        InputHistorySpdBtn = new QToolButton(page);
        InputHistorySpdBtn->setObjectName(QStringLiteral("InputHistorySpdBtn"));
        InputHistorySpdBtn->setText(QStringLiteral("開発履歴入力フォーム表示"));
        InputHistorySpdBtn->setAutoRaise(true);
        InputHistorySpdBtn->setFocusPolicy(Qt::NoFocus);
        InputHistorySpdBtn->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        InputHistorySpdBtn->setFixedHeight(29);
        layout->addWidget(InputHistorySpdBtn);
        connect(InputHistorySpdBtn, &QToolButton::clicked, this, [this] { InputHistorySpdBtnClick(); });
    }
    if (index >= SectionIndex::other1) {
        const int free = index - SectionIndex::other1;
        auto* row = new QHBoxLayout;
        auto* label = new QLabel(QStringLiteral("項目名"), page);
        auto* edit = new QLineEdit(page);
        edit->setObjectName(QStringLiteral("Other%1Edit").arg(free + 1));
        edit->setFixedWidth(157);
        ctx_.guard.attach(edit);
        label->setBuddy(edit);
        row->addWidget(label);
        row->addWidget(edit);
        row->addStretch(1);
        layout->addLayout(row);
        otherEdits_[static_cast<std::size_t>(free)] = edit;
        connect(edit, &QLineEdit::textEdited, this, [this, free](const QString& text) {
            if (const std::optional<std::string> bytes = ToCp932(text)) {
                *FreeTitleField(ctx_.record, free) = *bytes;
                emit edited();
            }
        });
    }

    auto* editor = new TSectionEditor(
        ctx_.record.SectionText[static_cast<std::size_t>(index)],
        index == SectionIndex::introduction ? kIntroductionFontPixels : kEditorFontPixels, page);
    editor->setObjectName(QStringLiteral("SectionMemo%1").arg(index));
    ctx_.guard.attach(editor);
    layout->addWidget(editor, 1);
    editors_[static_cast<std::size_t>(index)] = editor;
    connect(editor, &TSectionEditor::edited, this, &TLongTextPage::edited);
    return page;
}

QWidget* TLongTextPage::BuildOperateBar() {
    auto* bar = new QWidget;
    bar->setObjectName(QStringLiteral("OperatePanel"));
    auto* grid = new QGridLayout(bar);
    grid->setContentsMargins(2, 0, 0, 0);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(0);
    static const char* const names[] = {"W95", "W98", "WMe", "WNT", "W2k", "WXP"};
    static const char* const captions[] = {"win95", "win98", "winMe", "winNT", "win2000", "winXP"};
    grid->addWidget(new QLabel(QStringLiteral(" 動作環境 ："), bar), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral(" 確認済み ："), bar), 1, 0);
    for (int i = 0; i < 6; ++i) {
        auto* runs = new QCheckBox(QLatin1String(captions[i]), bar);
        runs->setObjectName(QStringLiteral("Oprt%1ChkBox").arg(QLatin1String(names[i])));
        auto* confirmed = new QCheckBox(QLatin1String(captions[i]), bar);
        confirmed->setObjectName(QStringLiteral("OprtOK%1ChkBox").arg(QLatin1String(names[i])));
        grid->addWidget(runs, 0, i + 1);
        grid->addWidget(confirmed, 1, i + 1);
        operateBoxes_[static_cast<std::size_t>(i)] = runs;
        operatedBoxes_[static_cast<std::size_t>(i)] = confirmed;
        connect(runs, &QCheckBox::clicked, this, &TLongTextPage::OperateBoxClicked);
        connect(confirmed, &QCheckBox::clicked, this, &TLongTextPage::OperateBoxClicked);
    }
    grid->setColumnStretch(7, 1);
    GetOperateSpdBtn = new QToolButton(bar);
    GetOperateSpdBtn->setObjectName(QStringLiteral("GetOperateSpdBtn"));
    GetOperateSpdBtn->setText(QStringLiteral("Enter"));
    GetOperateSpdBtn->setFocusPolicy(Qt::NoFocus);
    GetOperateSpdBtn->setFixedSize(122, 45);
    grid->addWidget(GetOperateSpdBtn, 0, 8, 2, 1);
    connect(GetOperateSpdBtn, &QToolButton::clicked, this, &TLongTextPage::GetOperateSpdBtnClick);
    return bar;
}

void TLongTextPage::LoadFromRecord() {
    for (TSectionEditor* editor : editors_)
        editor->LoadFromRecord();
    for (int free = 0; free < 3; ++free)
        otherEdits_[static_cast<std::size_t>(free)]->setText(FromCp932(*FreeTitleField(ctx_.record, free)));
    ShowFlags(operateBoxes_, ctx_.record.Operate);
    ShowFlags(operatedBoxes_, ctx_.record.Operated);
    St2ListBox->LoadFromOrder();
}

void TLongTextPage::ShowSection(int index) {
    if (index < 0 || index >= kSectionCount) return;
    SectionPages->setCurrentIndex(index + 1);
    shownSection_ = index;
    LWTemplateFLBox->FollowSection(index);
}

void TLongTextPage::InsertTemplate() {
    const std::optional<std::filesystem::path> file = LWTemplateFLBox->SelectedFile();
    if (!file) return;
    // The whole file is read before anything is replaced, so a failed read changes nothing.
    const std::optional<std::string> text = ExpandTemplateFile(*file, ctx_.record);
    if (!text) {
        ctx_.dialogs.message(
            window(), QStringLiteral("テンプレート %1 を読み込めません。").arg(PathToQString(*file)),
            QStringLiteral("Brindlewocket"), DialogService::Buttons::Ok, DialogService::Icon::Warning);
        return;
    }
    if (shownSection_ < 0) return;
    editor(shownSection_)->ReplaceAllText(*text);
}

void TLongTextPage::OperateBoxClicked() {
    ctx_.record.Operate = FlagsOf(operateBoxes_);
    ctx_.record.Operated = FlagsOf(operatedBoxes_);
    emit edited();
}

void TLongTextPage::GetOperateSpdBtnClick() {
    editor(SectionIndex::operate)
        ->ReplaceAllText(JoinLines(BuildOperatingPhrase(ctx_.record.Operate, ctx_.record.Operated)));
}

TInputHistory* TLongTextPage::InputHistorySpdBtnClick() {
    bool insertFirst = true;
    if (!ctx_.record.IniPath.empty()) {
        const IniLoad load = LoadIniFile(ctx_.record.IniPath);
        insertFirst = HistoryInsertFirst(load.ini.ReadString("InputHis", "Select", "Ins"));
    }
    auto* form =
        new TInputHistory(ctx_.record.LastUpDate, ctx_.record.Version, insertFirst, ctx_.guard, window());
    connect(form, &TInputHistory::entryAccepted, this, &TLongTextPage::InputHistoryAccepted);
    form->show();
    form->raise();
    form->activateWindow();
    return form;
}

void TLongTextPage::InputHistoryAccepted(const std::vector<std::string>& block, bool insertFirst) {
    const std::filesystem::path ini = ctx_.record.IniPath;
    const bool stored =
        ini.empty() || UpdateIniFile(ini, {{"InputHis", "Select", insertFirst ? "Ins" : "Add"}});
    editor(SectionIndex::history)
        ->ReplaceAllText(
            ApplyHistoryBlock(ctx_.record.SectionText[SectionIndex::history], block, insertFirst));
    if (!stored) ShowError(ctx_.dialogs, window(), IniWriteFailedMessage(ini));
}

} // namespace bw::gui
