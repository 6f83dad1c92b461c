#include "app/BasicPage.h"

#include "app/DialogService.h"
#include "controls/Cp932InputGuard.h"
#include "controls/XPGroupBox.h"
#include "editing/EntryEdits.h"
#include "editing/OrderListBox.h"
#include "editing/VersionInputForm.h"
#include "editing/phrases.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <optional>
#include <utility>

namespace bw::gui {

namespace {

QLabel* ItemLabel(const QString& text, bool bold, QWidget* parent) {
    auto* label = new QLabel(QStringLiteral("　") + text, parent);
    if (bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    return label;
}

QLineEdit* NamedEdit(const char* name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    return edit;
}


} // namespace

TBasicPage::TBasicPage(PageContext& context, QWidget* parent) : QWidget(parent), ctx_(context) {
    auto* fields = new QWidget(this);
    fields->setObjectName(QStringLiteral("BasicItemPanel"));
    auto* grid = new QGridLayout(fields);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(7);
    int row = 0;
    auto addRow = [&](const QString& caption, bool bold, std::initializer_list<QWidget*> widgets) {
        QLabel* label = ItemLabel(caption, bold, fields);
        auto* line = new QHBoxLayout;
        line->setSpacing(4);
        for (QWidget* w : widgets)
            line->addWidget(w);
        line->addStretch(1);
        label->setBuddy(*widgets.begin());
        grid->addWidget(label, row, 0);
        grid->addLayout(line, row, 1);
        ++row;
    };

    constexpr int kFieldWidth = 310; // the kind box, the yen sign and the price box
    SoftTitleEdit = NamedEdit("SoftTitleEdit", fields);
    SoftTitleEdit->setFixedWidth(kFieldWidth);
    addRow(QStringLiteral("ソフト名"), true, {SoftTitleEdit});

    ProducerEdit = NamedEdit("ProducerEdit", fields);
    ProducerEdit->setFixedWidth(kFieldWidth);
    addRow(QStringLiteral("作者名"), true, {ProducerEdit});

    VersionEdit = NamedEdit("VersionEdit", fields);
    VersionEdit->setFixedWidth(173);
    SpeedButton1 = new QToolButton(fields);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setText(QStringLiteral("疑惑の入力ﾌｫｰﾑ"));
    SpeedButton1->setAutoRaise(true);
    SpeedButton1->setFocusPolicy(Qt::NoFocus); // a flat button is not a tab stop
    addRow(QStringLiteral("バージョン"), true, {VersionEdit, SpeedButton1});

    UpDateCmbBox = OfferBox("UpDateCmbBox", {}, fields);
    UpDateCmbBox->setFixedWidth(173);
    addRow(QStringLiteral("最終更新日"), false, {UpDateCmbBox});

    ArcNameEdit = NamedEdit("ArcNameEdit", fields);
    ArcNameEdit->setFixedWidth(173);
    ArcExtCmbBox = OfferBox(
        "ArcExtCmbBox",
        {u".zip", u".lzh", u".exe", u".cab", u".yz1", u".tar", u".jak", u".bga", u".gca", u".7z"}, fields);
    ArcExtCmbBox->setFixedWidth(72);
    addRow(QStringLiteral("アーカイブ名"), false, {ArcNameEdit, ArcExtCmbBox});

    kindCmbBox =
        OfferBox("kindCmbBox", {u"フリーウェア", u"カンパウェア", u"メールウェア", u"シェアウェア"}, fields);
    kindCmbBox->setFixedWidth(173);
    // The byte 0x5C, which the Japanese Windows fonts draw as the yen sign; the fonts here draw
    // it as a backslash, so the sign itself is shown.
    auto* yen = new QLabel(QStringLiteral("¥"), fields);
    yen->setObjectName(QStringLiteral("ShareLabel"));
    ShareLabelEdit = NamedEdit("ShareLabelEdit", fields);
    ShareLabelEdit->setFixedWidth(121);
    yen->setBuddy(ShareLabelEdit);
    addRow(QStringLiteral("種別"), true, {kindCmbBox, yen, ShareLabelEdit});

    DevLangCmbBox = OfferBox("DevLangCmbBox",
                             {u"Visual C++ .NET", u"Visual C++", u"Visual C#.NET", u"Visual Basic .NET",
                              u"Visual Basic", u"Visual J#.NET", u"Visual J++", u"Borland Delphi",
                              u"Borland C++Builder", u"Borland C#Builder", u"Borland JBuilder",
                              u"Borland Kylix", u"HSP (Hot Soup Prosessor)", u"Sun Microsystems Java",
                              u"Eclipse Java", u"Active Basic", u"Ruby", u"Python", u"WideStudio"},
                             fields);
    DevLangCmbBox->setFixedWidth(kFieldWidth);
    addRow(QStringLiteral("開発言語"), false, {DevLangCmbBox});

    CopyRightEdit = NamedEdit("CopyRightEdit", fields);
    CopyRightEdit->setFixedWidth(kFieldWidth);
    addRow(QStringLiteral("著作権者名"), true, {CopyRightEdit});

    RunTimeCmbBox = OfferBox("RunTimeCmbBox", {u"なし"}, fields);
    RunTimeCmbBox->setFixedWidth(kFieldWidth);
    addRow(QStringLiteral("必要ランタイム"), false, {RunTimeCmbBox});

    HomePageEdit = new THomePageEdit(fields);
    HomePageEdit->setObjectName(QStringLiteral("HomePageEdit"));
    HomePageEdit->setText(QStringLiteral("http://"));
    HomePageEdit->setFixedWidth(kFieldWidth);
    addRow(QStringLiteral("ホームページ"), true, {HomePageEdit});

    MailAdrsEdit = new TContactEdit(fields);
    MailAdrsEdit->setObjectName(QStringLiteral("MailAdrsEdit"));
    MailAdrsEdit->setFixedWidth(kFieldWidth);
    addRow(QStringLiteral("連絡先"), true, {MailAdrsEdit});
    grid->setRowStretch(row, 1);

    // The write order of the basic items.
    auto* orderGroup = new TXPGroupBox(QStringLiteral("順番(ユーザ定義は無効)"), this);
    orderGroup->setObjectName(QStringLiteral("St1GroupBox"));
    St1ListBox = new TOrderListBox(ctx_.record.BasicOrder, 20, orderGroup);
    St1ListBox->setObjectName(QStringLiteral("St1ListBox"));
    St1ListBox->setFixedSize(120, kBasicItemCount * 20 + 2 * St1ListBox->frameWidth());
    St1ListBox->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    St1ListBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* first = new QLabel(QStringLiteral("先↑"), orderGroup);
    first->setObjectName(QStringLiteral("St1FirstLabel"));
    auto* last = new QLabel(QStringLiteral("後↓"), orderGroup);
    last->setObjectName(QStringLiteral("St1LastLabel"));
    St1ListUpBtn = new QPushButton(QStringLiteral("↑"), orderGroup);
    St1ListUpBtn->setObjectName(QStringLiteral("St1ListUpBtn"));
    St1ListDownBtn = new QPushButton(QStringLiteral("↓"), orderGroup);
    St1ListDownBtn->setObjectName(QStringLiteral("St1ListDownBtn"));
    St1DefaultBtn = new QPushButton(QStringLiteral("デフォルトに戻す"), orderGroup);
    St1DefaultBtn->setObjectName(QStringLiteral("St1DefaultBtn"));

    for (QPushButton* b : {St1ListUpBtn, St1ListDownBtn})
        b->setFixedWidth(56);
    auto* orderGrid = new QGridLayout(orderGroup);
    orderGrid->addWidget(first, 0, 0, Qt::AlignTop);
    orderGrid->addWidget(last, 0, 0, Qt::AlignBottom);
    orderGrid->addWidget(St1ListBox, 0, 1, 1, 2);
    orderGrid->addWidget(St1ListUpBtn, 1, 1);
    orderGrid->addWidget(St1ListDownBtn, 1, 2);
    orderGrid->addWidget(St1DefaultBtn, 2, 1, 1, 2);
    orderGrid->setRowStretch(3, 1);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 10, 6, 6);
    layout->setSpacing(8);
    layout->addWidget(fields, 0, Qt::AlignTop);
    layout->addStretch(1);
    layout->addWidget(orderGroup, 0, Qt::AlignTop);

    // The price box: digits only, and the button-face colour while it is disabled.
    QPalette palette = ShareLabelEdit->palette();
    palette.setColor(QPalette::Disabled, QPalette::Base, palette.color(QPalette::Active, QPalette::Button));
    ShareLabelEdit->setPalette(palette);
    InstallDigitKeyFilter(ShareLabelEdit);
    ShareLabelEdit->setEnabled(false);

    for (QLineEdit* edit : {SoftTitleEdit, ProducerEdit, VersionEdit, ArcNameEdit, ShareLabelEdit,
                            CopyRightEdit, HomePageEdit, MailAdrsEdit})
        ctx_.guard.attach(edit);
    for (QComboBox* combo : {UpDateCmbBox, ArcExtCmbBox, kindCmbBox, DevLangCmbBox, RunTimeCmbBox})
        ctx_.guard.attach(combo);

    Bind(SoftTitleEdit, ctx_.record.SoftName);
    Bind(ProducerEdit, ctx_.record.Producer);
    Bind(VersionEdit, ctx_.record.Version);
    Bind(UpDateCmbBox, ctx_.record.LastUpDate);
    Bind(ArcNameEdit, ctx_.record.ArcName);
    Bind(ArcExtCmbBox, ctx_.record.ArcExt);
    Bind(ShareLabelEdit, ctx_.record.Value);
    Bind(DevLangCmbBox, ctx_.record.DevLang);
    Bind(CopyRightEdit, ctx_.record.CopyRight);
    Bind(RunTimeCmbBox, ctx_.record.RunTime);
    Bind(HomePageEdit, ctx_.record.HomePage);
    Bind(MailAdrsEdit, ctx_.record.Mailadrs);
    connect(kindCmbBox, &QComboBox::editTextChanged, this, &TBasicPage::kindCmbBoxChange);
    kindCmbBox->installEventFilter(this);
    kindCmbBox->lineEdit()->installEventFilter(this);

    connect(SpeedButton1, &QToolButton::clicked, this, &TBasicPage::SpeedButton1Click);
    connect(St1ListUpBtn, &QPushButton::clicked, this, &TBasicPage::St1ListUpBtnClick);
    connect(St1ListDownBtn, &QPushButton::clicked, this, &TBasicPage::St1ListDownBtnClick);
    connect(St1DefaultBtn, &QPushButton::clicked, this, &TBasicPage::St1DefaultBtnClick);
    connect(St1ListBox, &TOrderListBox::orderEdited, this, &TBasicPage::edited);

    LoadFromRecord();
}

void TBasicPage::Bind(QLineEdit* edit, std::string& field) {
    connect(edit, &QLineEdit::textChanged, this,
            [this, &field](const QString& text) { FieldEdited(field, text); });
}

void TBasicPage::Bind(QComboBox* combo, std::string& field) {
    connect(combo, &QComboBox::editTextChanged, this,
            [this, &field](const QString& text) { FieldEdited(field, text); });
}

void TBasicPage::FieldEdited(std::string& field, const QString& text) {
    if (loading_) return;
    // The guard keeps characters without a CP932 code out of the fields.
    const std::optional<std::string> bytes = ToCp932(text);
    if (!bytes || *bytes == field) return;
    field = *bytes;
    emit edited();
}

void TBasicPage::SetLastUpdateEntries(const QStringList& entries) {
    const bool wasLoading = std::exchange(loading_, true);
    UpDateCmbBox->clear();
    UpDateCmbBox->addItems(entries);
    UpDateCmbBox->setCurrentIndex(entries.isEmpty() ? -1 : 0);
    loading_ = wasLoading;
    // The start-up value of the record, not an edit.
    if (const auto bytes = ToCp932(UpDateCmbBox->currentText())) ctx_.record.LastUpDate = *bytes;
}

void TBasicPage::LoadFromRecord() {
    const bool wasLoading = std::exchange(loading_, true);
    const ReadMeProject& r = ctx_.record;
    SoftTitleEdit->setText(FromCp932(r.SoftName));
    ProducerEdit->setText(FromCp932(r.Producer));
    VersionEdit->setText(FromCp932(r.Version));
    UpDateCmbBox->setEditText(FromCp932(r.LastUpDate));
    ArcNameEdit->setText(FromCp932(r.ArcName));
    ArcExtCmbBox->setEditText(FromCp932(r.ArcExt));
    kindCmbBox->setEditText(FromCp932(r.Kind));
    ShareLabelEdit->setText(FromCp932(r.Value));
    DevLangCmbBox->setEditText(FromCp932(r.DevLang));
    CopyRightEdit->setText(FromCp932(r.CopyRight));
    RunTimeCmbBox->setEditText(FromCp932(r.RunTime));
    HomePageEdit->setText(FromCp932(r.HomePage));
    MailAdrsEdit->setText(FromCp932(r.Mailadrs));
    St1ListBox->LoadFromOrder();
    // The price box follows the kind shown, whether typed or loaded.
    UpdatePriceState(kindCmbBox->currentText());
    loading_ = wasLoading;
}

void TBasicPage::UpdatePriceState(const QString& kind) {
    const std::optional<std::string> bytes = ToCp932(kind);
    ShareLabelEdit->setEnabled(bytes && PriceEnabled(*bytes));
}

void TBasicPage::kindCmbBoxChange(const QString& text) {
    UpdatePriceState(text);
    FieldEdited(ctx_.record.Kind, text);
}

bool TBasicPage::eventFilter(QObject* watched, QEvent* event) {
    // kindCmbBoxExit: leaving the kind box while it says shareware goes on to the price box,
    // wherever the focus was headed. Opening the box's own list is not leaving it.
    if ((watched == kindCmbBox || watched == kindCmbBox->lineEdit()) && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        const std::optional<std::string> kind = ToCp932(kindCmbBox->currentText());
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason && kind &&
            PriceEnabled(*kind))
            ShareLabelEdit->setFocus(Qt::OtherFocusReason);
    }
    return QWidget::eventFilter(watched, event);
}

void TBasicPage::SpeedButton1Click() {
    TVersionInput dialog(ctx_.record, ctx_.dialogs, ctx_.guard, this);
    if (dialog.exec() != QDialog::Accepted) return;
    const bool wasLoading = std::exchange(loading_, true);
    VersionEdit->setText(FromCp932(ctx_.record.Version));
    loading_ = wasLoading;
    emit edited();
}

void TBasicPage::St1ListUpBtnClick() {
    St1ListBox->MoveUp();
}
void TBasicPage::St1ListDownBtnClick() {
    St1ListBox->MoveDown();
}
void TBasicPage::St1DefaultBtnClick() {
    St1ListBox->ResetOrder(DefaultBasicOrder());
}

} // namespace bw::gui
