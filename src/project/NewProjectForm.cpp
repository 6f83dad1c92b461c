#include "project/NewProjectForm.h"

#include "app/DialogService.h"
#include "controls/Cp932InputGuard.h"
#include "editing/EntryEdits.h"
#include "project/project_store.h"
#include "text/cp932.h"

#include <QFile>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace bw::gui {

namespace {

// The project name is at most this many bytes.
constexpr int kNameMaxBytes = 99;

// The text of the first page, line by line.
QString IntroText() {
    return QStringList{
        QStringLiteral("はじめに"),
        QStringLiteral("￣￣￣￣"),
        QStringLiteral("このReadMeプロジェクトではReadMe.txtファイルを意味不明("),
        QStringLiteral("？)な方法で管理します。"),
        QStringLiteral("このプロジェクトファイルはアプリケーションのあるフォルダ直"),
        QStringLiteral("下のprojectフォルダに保存されます。"),
        QString(),
        QStringLiteral("※ 注 意"),
        QStringLiteral("￣￣￣￣"),
        QStringLiteral("不毛な数のテキストファイルを生成します。"),
        QStringLiteral("削除する際はプロジェクトファイル（*.bwk）と、プロジェクト名と"),
        QStringLiteral("同名のフォルダを削除してください。違うファイルを削除した際"),
        QStringLiteral("の動作は保障しません。"),
    }
        .join(QLatin1Char('\n'));
}

// A folder as the tree shows it: its path ending with the separator.
QString FolderText(const QString& path) {
    return path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
}

} // namespace

TNewProject::TNewProject(Mode mode, PageContext& context, QWidget* parent) : QDialog(parent), ctx_(context) {
    setObjectName(QStringLiteral("NewProject"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    // The pages are reached only with the buttons (or there is only one).
    PageControl1->tabBar()->hide();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    if (mode == Mode::NewProject) {
        setWindowTitle(QStringLiteral("新規プロジェクト"));
        BuildWizardPages();
        auto* buttons = new QHBoxLayout;
        buttons->addWidget(BackBtn);
        buttons->addStretch(1);
        buttons->addWidget(GoBtn);
        layout->addLayout(buttons);
        ShowPage(IntroPage);
    } else {
        setWindowTitle(QStringLiteral("プロジェクトファイルの管理"));
        BuildManagePage();
        FillFileList();
    }
}

void TNewProject::BuildWizardPages() {
    // Page 1: what a project is.
    auto* intro = new QWidget;
    intro->setObjectName(QStringLiteral("TabSheet1"));
    IntroMemo = new QPlainTextEdit(intro);
    IntroMemo->setObjectName(QStringLiteral("IntroMemo"));
    IntroMemo->setReadOnly(true);
    IntroMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    IntroMemo->setPlainText(IntroText());
    {
        // Wide and tall enough for all thirteen lines without scrolling; it fills the page.
        const QFontMetrics fm(IntroMemo->font());
        int width = 0;
        const QStringList lines = IntroMemo->toPlainText().split(QLatin1Char('\n'));
        for (const QString& line : lines)
            width = std::max(width, fm.horizontalAdvance(line));
        const int margin =
            2 * (IntroMemo->frameWidth() + 4 + static_cast<int>(IntroMemo->document()->documentMargin()));
        IntroMemo->setMinimumSize(width + margin + 4,
                                  static_cast<int>(lines.size()) * fm.lineSpacing() + margin);
    }
    IntroMemo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    IntroMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* introLayout = new QVBoxLayout(intro);
    introLayout->addWidget(IntroMemo);
    PageControl1->addTab(intro, QStringLiteral("はじめに"));

    // Page 2: the four inputs.
    auto* input = new QWidget;
    input->setObjectName(QStringLiteral("TabSheet2"));
    auto* grid = new QGridLayout(input);
    grid->setVerticalSpacing(2);
    int row = 0;
    auto addInput = [&](QLineEdit* edit, const char* name, const QString& label, const QString& hint,
                        QWidget* beside) {
        edit->setObjectName(QLatin1String(name));
        edit->setToolTip(hint);
        edit->setFixedWidth(240);
        auto* caption = new QLabel(label, input);
        caption->setObjectName(QLatin1String(name) + QStringLiteral("Label"));
        caption->setBuddy(edit);
        grid->addWidget(caption, row++, 0, 1, 2);
        grid->addWidget(edit, row, 0);
        if (beside) grid->addWidget(beside, row, 1);
        ++row;
        grid->setRowMinimumHeight(row++, 8);
        return edit;
    };
    ExtLabel = new QLabel(QStringLiteral(".bwk"), input);
    ExtLabel->setObjectName(QStringLiteral("ExtLabel"));
    ExtLabel->setToolTip(QStringLiteral("勝手な拡張子：Brindlewocketでbwk"));
    ExtLabel->setCursor(Qt::WhatsThisCursor);
    ProjectNameEdit =
        addInput(new QLineEdit(input), "ProjectNameEdit", QStringLiteral("プロジェクト（ソフト）名(&P)"),
                 QStringLiteral("ソフト名推奨"), ExtLabel);
    ProducerEdit = addInput(new QLineEdit(input), "ProducerEdit", QStringLiteral("作者名(&D)"),
                            QStringLiteral("ニックネームでいいんじゃない？"), nullptr);
    HomePageEdit = addInput(new THomePageEdit(input), "HomePageEdit", QStringLiteral("ホームページ(&H)"),
                            QStringLiteral("なけりゃ配布サイトでも..."), nullptr);
    HomePageEdit->setText(QStringLiteral("http://"));
    MailAdrsEdit = addInput(new TContactEdit(input), "MailAdrsEdit", QStringLiteral("連絡先(&M)"),
                            QStringLiteral("メールアドレスが妥当かな"), nullptr);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(row, 1);
    ctx_.guard.attach(ProjectNameEdit, kNameMaxBytes);
    for (QLineEdit* edit : {ProducerEdit, HomePageEdit, MailAdrsEdit})
        ctx_.guard.attach(edit);
    PageControl1->addTab(input, QStringLiteral("入力フォーム"));

    // Page 3: what will be created.
    auto* finish = new QWidget;
    finish->setObjectName(QStringLiteral("TabSheet3"));
    auto* note =
        new QLabel(QStringLiteral("設定完了を押すと以下のファイル構成でファイルを作成します"), finish);
    note->setObjectName(QStringLiteral("FinishLabel"));
    FileTreeView = new QTreeWidget(finish);
    FileTreeView->setObjectName(QStringLiteral("FileTreeView"));
    FileTreeView->setHeaderHidden(true);
    FileTreeView->setColumnCount(1);
    FileTreeView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tall enough for every row of the tree (the project folder, the project file, the
    // sub-folder and its 15 files) without scrolling.
    RebuildTree();
    FileTreeView->setMinimumHeight(18 * FileTreeView->sizeHintForRow(0) + 2 * FileTreeView->frameWidth() + 2);
    auto* finishLayout = new QVBoxLayout(finish);
    finishLayout->addWidget(note);
    finishLayout->addWidget(FileTreeView, 1);
    PageControl1->addTab(finish, QStringLiteral("設定完了"));

    BackBtn = new QPushButton(QStringLiteral("<<"), this);
    BackBtn->setObjectName(QStringLiteral("BackBtn"));
    GoBtn = new QPushButton(QStringLiteral(">>"), this);
    GoBtn->setObjectName(QStringLiteral("GoBtn"));
    // Enter in an input does not press a button behind the user's back.
    for (QPushButton* b : {BackBtn, GoBtn}) {
        b->setAutoDefault(false);
        b->setMinimumWidth(90);
    }
    connect(BackBtn, &QPushButton::clicked, this, &TNewProject::BackBtnClick);
    connect(GoBtn, &QPushButton::clicked, this, &TNewProject::GoBtnClick);
}

void TNewProject::BuildManagePage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet4"));
    FileListBox = new QListWidget(page);
    FileListBox->setObjectName(QStringLiteral("FileListBox"));
    FileListBox->setSelectionMode(QAbstractItemView::SingleSelection);
    FileListBox->setFixedSize(260, 220);
    DeleteBtn = new QPushButton(QStringLiteral("削除(&D)"), page);
    DeleteBtn->setObjectName(QStringLiteral("DeleteBtn"));
    DeleteBtn->setEnabled(false);
    CloseBtn = new QPushButton(QStringLiteral("閉じる(&C)"), page);
    CloseBtn->setObjectName(QStringLiteral("CloseBtn"));
    for (QPushButton* b : {DeleteBtn, CloseBtn}) {
        b->setAutoDefault(false);
        b->setMinimumWidth(90);
    }
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(DeleteBtn);
    buttons->addStretch(1);
    buttons->addWidget(CloseBtn);
    auto* pageLayout = new QHBoxLayout(page);
    pageLayout->addWidget(FileListBox);
    pageLayout->addLayout(buttons);
    PageControl1->addTab(page, QStringLiteral("削除"));

    connect(FileListBox, &QListWidget::itemSelectionChanged, this, &TNewProject::FileListBoxClick);
    connect(DeleteBtn, &QPushButton::clicked, this, &TNewProject::DeleteBtnClick);
    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TNewProject::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CentreOnScreen(this);
}

// ---- The wizard ------------------------------------------------------------------------------

void TNewProject::ShowPage(int page) {
    PageControl1->setCurrentIndex(page);
    switch (page) {
    case IntroPage:
        BackBtn->setEnabled(false);
        GoBtn->setText(QStringLiteral(">>"));
        break;
    case InputPage:
        BackBtn->setEnabled(true);
        GoBtn->setText(QStringLiteral(">>"));
        ProjectNameEdit->setFocus();
        break;
    case FinishPage:
        BackBtn->setEnabled(true);
        GoBtn->setText(QStringLiteral("設定完了"));
        RebuildTree();
        break;
    }
}

void TNewProject::BackBtnClick() {
    const int page = PageControl1->currentIndex();
    if (page > IntroPage) ShowPage(page - 1);
}

void TNewProject::GoBtnClick() {
    const int page = PageControl1->currentIndex();
    if (page == FinishPage) {
        CreateClick();
        return;
    }
    if (page == InputPage && !CheckInputPage()) return;
    ShowPage(page + 1);
}

std::optional<std::string> TNewProject::EditBytes(QLineEdit* edit) {
    std::optional<std::string> bytes = ToCp932(edit->text());
    if (!bytes) {
        // The guard keeps such characters out of typing and pasting; text set any other way is
        // refused here rather than written with a replacement character.
        ctx_.guard.report(Cp932InputGuard::FirstUnencodable(edit->text()));
        edit->setFocus();
    }
    return bytes;
}

bool TNewProject::CheckInputPage() {
    const std::optional<std::string> name = EditBytes(ProjectNameEdit);
    if (!name) return false;
    const NameCheck check = CheckProjectName(*name, ctx_.folders);
    ProjectNameEdit->setText(FromCp932(check.trimmed));
    switch (check.result) {
    case NameCheck::Ok:
        return true;
    case NameCheck::Exists:
        if (ctx_.dialogs.message(this, FromCp932(check.message), FromCp932(check.caption),
                                 DialogService::Buttons::OkCancel,
                                 DialogService::Icon::Question) == DialogService::Answer::Ok)
            return true;
        ProjectNameEdit->setFocus();
        return false;
    case NameCheck::Empty:
    case NameCheck::BadCharacter:
    case NameCheck::DotName:
        ctx_.dialogs.message(this, FromCp932(check.message), FromCp932(check.caption),
                             DialogService::Buttons::Ok, DialogService::Icon::Warning);
        ProjectNameEdit->setFocus();
        if (check.result == NameCheck::BadCharacter) {
            // The offending character is one byte, one QChar; what stands before it converts
            // character for character.
            const qsizetype at = FromCp932(check.trimmed.substr(0, check.selectStart)).size();
            ProjectNameEdit->setSelection(static_cast<int>(at), 1);
        }
        return false;
    }
    return false;
}

void TNewProject::RebuildTree() {
    FileTreeView->clear();
    const QString name = ProjectNameEdit->text();
    auto* root = new QTreeWidgetItem(FileTreeView, {FolderText(PathToQString(ctx_.folders.ProjectFolder()))});
    new QTreeWidgetItem(root, {name + QStringLiteral(".bwk")});
    auto* folder = new QTreeWidgetItem(root, {FolderText(name)});
    new QTreeWidgetItem(folder, {name + QStringLiteral(".ini")});
    for (int k = 0; k < kSectionCount; ++k)
        new QTreeWidgetItem(folder, {FromCp932(SectionFileName(k))});
    FileTreeView->expandAll();
}

void TNewProject::CreateClick() {
    const std::optional<std::string> name = EditBytes(ProjectNameEdit);
    const std::optional<std::string> author = name ? EditBytes(ProducerEdit) : std::nullopt;
    const std::optional<std::string> homePage = author ? EditBytes(HomePageEdit) : std::nullopt;
    const std::optional<std::string> contact = homePage ? EditBytes(MailAdrsEdit) : std::nullopt;
    if (!contact) {
        // Back to the inputs, where the refused character can be mended.
        ShowPage(InputPage);
        return;
    }
    const CreateOutcome outcome =
        CreateProject(ctx_.record, ctx_.folders, *name, *author, *homePage, *contact);
    created_ = true;
    if (!outcome.ok)
        ctx_.dialogs.message(this, FromCp932(outcome.message), QStringLiteral("原因不明のエラ～"),
                             DialogService::Buttons::Ok, DialogService::Icon::Critical);
    accept();
}

// ---- The management window ---------------------------------------------------------------------

void TNewProject::FillFileList() {
    FileListBox->clear();
    for (const std::string& name : ListProjectFolder(ctx_.folders)) {
        // The name goes back to DeleteProject byte for byte, whatever the list shows.
        const QByteArray bytes = QByteArray::fromStdString(name);
        auto* item = new QListWidgetItem(QFile::decodeName(bytes), FileListBox);
        item->setData(Qt::UserRole, bytes);
    }
}

void TNewProject::FileListBoxClick() {
    DeleteBtn->setEnabled(!FileListBox->selectedItems().isEmpty());
}

void TNewProject::DeleteBtnClick() {
    const QList<QListWidgetItem*> selected = FileListBox->selectedItems();
    if (selected.isEmpty()) return;
    const std::string fileName = selected.front()->data(Qt::UserRole).toByteArray().toStdString();
    if (ctx_.dialogs.message(this, FromCp932(DeleteConfirmationText(fileName)), QStringLiteral("確認"),
                             DialogService::Buttons::YesNo,
                             DialogService::Icon::Question) != DialogService::Answer::Yes)
        return;
    const DeleteOutcome outcome = DeleteProject(ctx_.folders, fileName);
    switch (outcome.status) {
    case DeleteOutcome::ReadFailed:
        ShowError(ctx_.dialogs, this, outcome.message);
        return;
    case DeleteOutcome::Deleted:
        FillFileList();
        break;
    case DeleteOutcome::KeptFolder:
    case DeleteOutcome::NotAProject:
        break;
    }
    FileListBox->clearSelection();
    DeleteBtn->setEnabled(false);
}

} // namespace bw::gui
