#include "app/PreviewPage.h"

#include "editing/EntryEdits.h"

#include "app/DialogService.h"
#include "controls/Cp932InputGuard.h"
#include "controls/Fonts.h"
#include "controls/WinSpinEdit.h"
#include "controls/XPGroupBox.h"
#include "shell/user_layouts.h"
#include "text/cp932.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>

namespace bw::gui {

namespace {

QComboBox* BracketPicker(const char* name, std::initializer_list<const char16_t*> offers, QWidget* parent) {
    QComboBox* combo = OfferBox(name, offers, parent);
    combo->setFixedWidth(54);
    return combo;
}

} // namespace

TPreviewPage::TPreviewPage(PageContext& context, ComposerState& composer, QWidget* parent)
    : QWidget(parent), ctx_(context), composer_(composer) {
    PreviewOptionPanel = new QWidget(this);
    PreviewOptionPanel->setObjectName(QStringLiteral("PreviewOptionPanel"));

    auto* bracketGroup = new TXPGroupBox(QStringLiteral("カッコ（括弧）"), PreviewOptionPanel);
    LeftBracketCmb = BracketPicker("LeftBracketCmb", {u"【", u"［", u"〔", u"≪"}, bracketGroup);
    RightBracketCmb = BracketPicker("RightBracketCmb", {u"】", u"］", u"〕", u"≫"}, bracketGroup);
    auto* bracketLayout = new QHBoxLayout(bracketGroup);
    bracketLayout->addWidget(LeftBracketCmb);
    bracketLayout->addWidget(RightBracketCmb);

    auto* indentGroup = new TXPGroupBox(QStringLiteral("文の左側インデント(&I)"), PreviewOptionPanel);
    IndentSpin = new TWinSpinEdit(indentGroup);
    IndentSpin->setObjectName(QStringLiteral("IndentSpin"));
    IndentSpin->setRange(0, 10);
    IndentSpin->setMaxLength(2);
    IndentSpin->setKeyFilter(DigitKeyFilter);
    IndentSpin->setAttribute(Qt::WA_InputMethodEnabled, false);
    IndentSpin->setValue(6);
    IndentSpin->setFixedWidth(48);
    auto* indentLayout = new QHBoxLayout(indentGroup);
    indentLayout->addWidget(IndentSpin);

    auto* lineGroup = new TXPGroupBox(QStringLiteral("横線"), PreviewOptionPanel);
    HorizLine1Edit = new QLineEdit(lineGroup);
    HorizLine1Edit->setObjectName(QStringLiteral("HorizLine1Edit"));
    HorizLine2Edit = new QLineEdit(lineGroup);
    HorizLine2Edit->setObjectName(QStringLiteral("HorizLine2Edit"));
    auto* lineLayout = new QHBoxLayout(lineGroup);
    for (QLineEdit* e : {HorizLine1Edit, HorizLine2Edit}) {
        e->setFixedWidth(44);
        lineLayout->addWidget(e);
    }

    auto* styleGroup = new TXPGroupBox(QStringLiteral("上部形式"), PreviewOptionPanel);
    FormatCmb = new QComboBox(styleGroup);
    FormatCmb->setObjectName(QStringLiteral("FormatCmb"));
    FormatCmb->setFixedWidth(118);
    StyleSpdBtn = new QToolButton(styleGroup);
    StyleSpdBtn->setObjectName(QStringLiteral("StyleSpdBtn"));
    StyleSpdBtn->setArrowType(Qt::DownArrow);
    StyleSpdBtn->setFixedSize(18, 22);
    StyleSpdBtn->setContextMenuPolicy(Qt::NoContextMenu);
    StylePopup = new QMenu(this);
    StylePopup->setObjectName(QStringLiteral("StylePopup"));
    popStyleOre1 = StylePopup->addAction(QStringLiteral("Tamarask定義(&I)"));
    popStyleOre1->setObjectName(QStringLiteral("popStyleOre1"));
    popStyleUser1 = StylePopup->addAction(QStringLiteral("ユーザ定義(&U)"));
    popStyleUser1->setObjectName(QStringLiteral("popStyleUser1"));
    auto* modes = new QActionGroup(this);
    for (QAction* a : {popStyleOre1, popStyleUser1}) {
        a->setCheckable(true);
        modes->addAction(a);
    }
    popStyleOre1->setChecked(true);
    auto* styleLayout = new QHBoxLayout(styleGroup);
    styleLayout->addWidget(FormatCmb);
    styleLayout->addWidget(StyleSpdBtn);

    RefreshBtn = new QPushButton(QStringLiteral("更新"), PreviewOptionPanel);
    RefreshBtn->setObjectName(QStringLiteral("RefreshBtn"));
    RefreshBtn->setDefault(true);
    RefreshBtn->setFixedWidth(56);

    // The groups sit tight so that the bar fits the window's fixed width.
    for (QBoxLayout* l : {bracketLayout, indentLayout, lineLayout, styleLayout}) {
        l->setContentsMargins(6, 2, 6, 4);
        l->setSpacing(4);
    }
    auto* panelLayout = new QHBoxLayout(PreviewOptionPanel);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->setSpacing(4);
    panelLayout->addWidget(bracketGroup);
    panelLayout->addWidget(indentGroup);
    panelLayout->addWidget(lineGroup);
    panelLayout->addWidget(styleGroup);
    panelLayout->addStretch(1);
    panelLayout->addWidget(RefreshBtn, 0, Qt::AlignBottom);

    PreviewMemo = new QPlainTextEdit(this);
    PreviewMemo->setObjectName(QStringLiteral("PreviewMemo"));
    PreviewMemo->setReadOnly(true);
    PreviewMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    PreviewMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    PreviewMemo->setFont(FixedPitchFont(14));
    QPalette palette = PreviewMemo->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    PreviewMemo->setPalette(palette);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(PreviewOptionPanel);
    layout->addWidget(PreviewMemo, 1);

    ctx_.guard.attach(LeftBracketCmb, 3);
    ctx_.guard.attach(RightBracketCmb, 3);
    ctx_.guard.attach(HorizLine1Edit);
    ctx_.guard.attach(HorizLine2Edit);
    // "更新" is the window's default button: Enter in these fields runs it.
    for (QWidget* w : std::initializer_list<QWidget*>{LeftBracketCmb, LeftBracketCmb->lineEdit(),
                                                      RightBracketCmb, RightBracketCmb->lineEdit(),
                                                      HorizLine1Edit, HorizLine2Edit, FormatCmb})
        w->installEventFilter(this);

    connect(LeftBracketCmb, &QComboBox::editTextChanged, this,
            [this](const QString& t) { TextOptionEdited(ctx_.record.Preview.LeftBracket, t); });
    connect(RightBracketCmb, &QComboBox::editTextChanged, this,
            [this](const QString& t) { TextOptionEdited(ctx_.record.Preview.RightBracket, t); });
    connect(HorizLine1Edit, &QLineEdit::textChanged, this,
            [this](const QString& t) { TextOptionEdited(ctx_.record.Preview.HorizLine1, t); });
    connect(HorizLine2Edit, &QLineEdit::textChanged, this,
            [this](const QString& t) { TextOptionEdited(ctx_.record.Preview.HorizLine2, t); });
    connect(IndentSpin, &QLineEdit::textChanged, this, &TPreviewPage::IndentSpinChange);
    connect(FormatCmb, &QComboBox::currentIndexChanged, this, &TPreviewPage::FormatCmbChange);
    connect(StyleSpdBtn, &QToolButton::clicked, this, &TPreviewPage::StyleSpdBtnClick);
    connect(popStyleUser1, &QAction::triggered, this, &TPreviewPage::popStyleUser1Click);
    connect(popStyleOre1, &QAction::triggered, this, &TPreviewPage::popStyleOre1Click);
    connect(RefreshBtn, &QPushButton::clicked, this, &TPreviewPage::RefreshBtnClick);

    FillBuiltinStyles();
    LoadFromRecord();
}

void TPreviewPage::TextOptionEdited(std::string& field, const QString& text) {
    if (loading_) return;
    const std::optional<std::string> bytes = ToCp932(text);
    if (!bytes || *bytes == field) return;
    field = *bytes;
    emit edited();
}

void TPreviewPage::IndentSpinChange() {
    if (IndentSpin->text().isEmpty())
        IndentSpin->setText(QStringLiteral("0"));
    else if (const auto v = SpinRules::Parse(IndentSpin->text()); v && *v > 10)
        IndentSpin->setText(QStringLiteral("10"));
    if (loading_) return;
    const auto v = SpinRules::Parse(IndentSpin->text());
    if (!v) return; // a lone sign while typing; the key release puts the minimum in
    const int indent = static_cast<int>(std::clamp<std::int64_t>(*v, 0, 10));
    if (indent == ctx_.record.Preview.Indent) return;
    ctx_.record.Preview.Indent = indent;
    emit edited();
}

void TPreviewPage::FillBuiltinStyles() {
    const QSignalBlocker block(FormatCmb);
    FormatCmb->clear();
    for (int k = 0; k < kBuiltinStyleCount; ++k)
        FormatCmb->addItem(FromCp932(BuiltinStyleName(k)));
}

void TPreviewPage::LoadFromRecord() {
    loading_ = true;
    const PreviewOptions& o = ctx_.record.Preview;
    LeftBracketCmb->setEditText(FromCp932(o.LeftBracket));
    RightBracketCmb->setEditText(FromCp932(o.RightBracket));
    IndentSpin->setValue(std::clamp(o.Indent, 0, 10));
    HorizLine1Edit->setText(FromCp932(o.HorizLine1));
    HorizLine2Edit->setText(FromCp932(o.HorizLine2));
    {
        const QSignalBlocker block(FormatCmb);
        if (o.PopUserCheck) {
            FormatCmb->clear();
            for (std::string& name : ListUserLayoutFiles(ctx_.folders.home).names)
                FormatCmb->addItem(FromCp932(name), QByteArray::fromStdString(name));
            FormatCmb->setCurrentIndex(FormatCmb->findData(QByteArray::fromStdString(o.Style)));
            popStyleUser1->setChecked(true);
        } else {
            FillBuiltinStyles();
            FormatCmb->setCurrentIndex(FindBuiltinStyle(o.Style));
            popStyleOre1->setChecked(true);
        }
    }
    loading_ = false;
}

HeaderChoice TPreviewPage::CurrentHeader() const {
    const int index = FormatCmb->currentIndex();
    if (index < 0) return {};
    if (popStyleUser1->isChecked())
        return HeaderChoice::Layout(FormatCmb->itemData(index).toByteArray().toStdString());
    return HeaderChoice::BuiltinStyle(index);
}

void TPreviewPage::StoreStyleSelection() {
    const HeaderChoice choice = CurrentHeader();
    PreviewOptions& o = ctx_.record.Preview;
    o.PopUserCheck = popStyleUser1->isChecked();
    switch (choice.kind) {
    case HeaderChoice::Builtin:
        o.Style = BuiltinStyleName(choice.builtin);
        break;
    case HeaderChoice::UserLayout:
        o.Style = choice.layoutName;
        break;
    case HeaderChoice::None:
        o.Style.clear();
        break;
    }
}

void TPreviewPage::FormatCmbChange(int) {
    if (loading_) return;
    StoreStyleSelection();
    emit edited();
}

void TPreviewPage::StyleSpdBtnClick() {
    StylePopup->popup(StyleSpdBtn->mapToGlobal(QPoint(0, -32)));
}

void TPreviewPage::ListUserLayouts() {
    LayoutListing listing = ListUserLayoutFiles(ctx_.folders.home);
    {
        const QSignalBlocker block(FormatCmb);
        FormatCmb->clear();
        for (std::string& name : listing.names)
            FormatCmb->addItem(FromCp932(name), QByteArray::fromStdString(name));
        FormatCmb->setCurrentIndex(FormatCmb->count() > 0 ? 0 : -1);
    }
    popStyleUser1->setChecked(true);
    StoreStyleSelection();
    emit edited();
    if (!listing.folderFound)
        ShowError(ctx_.dialogs, this,
                  Sjis("フォルダ ") + Utf8ToCp932Lenient(UserLayoutFolder(ctx_.folders.home).string()) +
                      Sjis(" がありません"));
}

void TPreviewPage::popStyleUser1Click() {
    ListUserLayouts();
}

void TPreviewPage::popStyleOre1Click() {
    FillBuiltinStyles();
    {
        const QSignalBlocker block(FormatCmb);
        FormatCmb->setCurrentIndex(0);
    }
    popStyleOre1->setChecked(true);
    StoreStyleSelection();
    emit edited();
}

bool TPreviewPage::Refresh() {
    const RefreshOutcome outcome = RefreshPreview(composer_, ctx_.record, CurrentHeader(), ctx_.folders.home);
    if (!outcome.ok) {
        ShowError(ctx_.dialogs, this, outcome.message);
        return false;
    }
    ShowReadMeLines();
    return true;
}

void TPreviewPage::RefreshBtnClick() {
    Refresh();
}

void TPreviewPage::ShowReadMeLines() {
    std::string text = composer_.ReadMeLines.Joined("\n");
    if (!text.empty()) text.pop_back();
    // The text goes into a fresh document before the view sees it: filling a document that no
    // view watches, and dropping the old one whole, is far cheaper than replacing the text of
    // the shown document piece by piece.
    auto* document = new QTextDocument(PreviewMemo);
    document->setDocumentLayout(new QPlainTextDocumentLayout(document));
    document->setUndoRedoEnabled(false);
    document->setDefaultFont(PreviewMemo->font());
    document->setPlainText(FromCp932(text));
    QTextDocument* old = PreviewMemo->document();
    const bool ours = old->parent() == PreviewMemo; // the editor deletes its first document itself
    PreviewMemo->setDocument(document);
    if (ours) delete old;
}

bool TPreviewPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            RefreshBtn->click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace bw::gui
