#include "editing/TemplateListBox.h"

#include "app/DialogService.h"
#include "editing/templates.h"
#include "text/files.h"

#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QUrl>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>

namespace bw::gui {

namespace {

const QKeySequence kOpenShortcut(Qt::CTRL | Qt::Key_O);

QString FolderMessage(const std::filesystem::path& folder) {
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec))
        return QStringLiteral("テンプレートのフォルダ %1 が見つかりません。").arg(PathToQString(folder));
    return QStringLiteral("テンプレートのフォルダ %1 を読み込めません。").arg(PathToQString(folder));
}

} // namespace

bool RenameWithoutReplacing(const std::filesystem::path& file, const std::filesystem::path& target) {
    // A plain rename would silently replace another template that already has the name.
    if (::renameat2(AT_FDCWD, file.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
    // A file system without the no-replace rename.
    std::error_code ec;
    if (std::filesystem::symlink_status(target, ec).type() != std::filesystem::file_type::not_found)
        return false;
    std::filesystem::rename(file, target, ec);
    return !ec;
}

TTemplateListBox::TTemplateListBox(const std::filesystem::path& root, DialogService& dialogs, QWidget* parent)
    : QListWidget(parent), root_(root), dialogs_(dialogs) {
    setObjectName(QStringLiteral("LWTemplateFLBox"));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setContextMenuPolicy(Qt::DefaultContextMenu);

    LWTemplatePopup = new QMenu(this);
    LWTemplatePopup->setObjectName(QStringLiteral("LWTemplatePopup"));
    LWpopOpen1 = LWTemplatePopup->addAction(QStringLiteral("開く(&O)..."));
    LWpopOpen1->setObjectName(QStringLiteral("LWpopOpen1"));
    LWpopOpen1->setShortcut(kOpenShortcut);
    // Shown in the menu only; the list itself takes Ctrl+O while it has the focus.
    LWpopOpen1->setShortcutContext(Qt::WidgetShortcut);
    LWTemplatePopup->addSeparator();
    LWpopRename1 = LWTemplatePopup->addAction(QStringLiteral("ファイル名変更(&R)"));
    LWpopRename1->setObjectName(QStringLiteral("LWpopRename1"));
    LWpopEdit1 = LWTemplatePopup->addAction(QStringLiteral("ファイル編集(&E)..."));
    LWpopEdit1->setObjectName(QStringLiteral("LWpopEdit1"));
    LWTemplatePopup->addSeparator();
    LWpopFolder1 = LWTemplatePopup->addAction(QStringLiteral("フォルダ変更(&F)..."));
    LWpopFolder1->setObjectName(QStringLiteral("LWpopFolder1"));
    LWpopLock1 = LWTemplatePopup->addAction(QStringLiteral("フォルダを固定(&L)"));
    LWpopLock1->setObjectName(QStringLiteral("LWpopLock1"));
    LWpopLock1->setCheckable(true);

    connect(LWpopOpen1, &QAction::triggered, this, &TTemplateListBox::insertRequested);
    connect(LWpopRename1, &QAction::triggered, this, &TTemplateListBox::RenameTemplate);
    connect(LWpopEdit1, &QAction::triggered, this, &TTemplateListBox::EditTemplate);
    connect(LWpopFolder1, &QAction::triggered, this, &TTemplateListBox::ChangeTemplateFolder);
    connect(LWpopLock1, &QAction::toggled, this, [this](bool on) { locked_ = on; });
    LWTemplatePopupPopup();
}

std::optional<std::filesystem::path> TTemplateListBox::SelectedFile() const {
    const QList<QListWidgetItem*> selected = selectedItems();
    if (selected.isEmpty() || folder_.empty()) return std::nullopt;
    return folder_ / selected.front()->text().toStdString();
}

void TTemplateListBox::SetFolderLocked(bool locked) {
    LWpopLock1->setChecked(locked);
}

bool TTemplateListBox::Relist() {
    const std::optional<std::vector<std::string>> names = ListOrdinaryFiles(folder_);
    clear();
    if (!names) return false;
    for (const std::string& name : *names)
        addItem(QString::fromStdString(name));
    setCurrentRow(-1);
    clearSelection();
    return true;
}

bool TTemplateListBox::ShowFolder(const std::filesystem::path& folder) {
    if (!ListOrdinaryFiles(folder)) {
        dialogs_.message(window(), FolderMessage(folder), QStringLiteral("Brindlewocket"),
                         DialogService::Buttons::Ok, DialogService::Icon::Warning);
        return false;
    }
    // One spelling per folder, so that a section's own folder picked in the browser counts as
    // the folder already shown.
    folder_ = folder.lexically_normal();
    if (folder_.filename().empty() && folder_.has_parent_path()) folder_ = folder_.parent_path();
    Relist();
    return true;
}

void TTemplateListBox::FollowSection(int index) {
    if (locked_) return;
    const std::filesystem::path folder = (root_ / TemplateSubFolder(index)).lexically_normal();
    if (folder == folder_) return;
    ShowFolder(folder);
}

void TTemplateListBox::LWTemplatePopupPopup() {
    const bool selected = SelectedFile().has_value();
    LWpopOpen1->setEnabled(selected);
    LWpopRename1->setEnabled(selected);
    LWpopEdit1->setEnabled(selected);
    LWpopLock1->setChecked(locked_);
}

void TTemplateListBox::RenameTemplate() {
    const std::optional<std::filesystem::path> file = SelectedFile();
    if (!file) return;
    const std::optional<QString> name = dialogs_.prompt(
        window(), QStringLiteral("名前の変更"),
        QString::fromStdString(TemplateStem(*file)) + QStringLiteral("の名前を変更します"), QString());
    if (!name) return;
    // A name that is empty or holds a folder separator is no file name of this folder: like a
    // name the file system refuses, it renames nothing.
    if (!name->isEmpty() && !name->contains(QLatin1Char('/')) && !name->contains(QLatin1Char('\\')))
        RenameWithoutReplacing(*file, RenamedTemplatePath(*file, name->toStdString()));
    Relist();
}

void TTemplateListBox::EditTemplate() {
    const std::optional<std::filesystem::path> file = SelectedFile();
    if (!file) return;
    // Not waited for, and whatever the desktop answers is not reported.
    QDesktopServices::openUrl(QUrl::fromLocalFile(PathToQString(*file)));
}

void TTemplateListBox::ChangeTemplateFolder() {
    const QString picked = dialogs_.browseFolder(window(), QStringLiteral("フォルダの選択"),
                                                 PathToQString(root_), PathToQString(folder_));
    if (picked.isEmpty()) return;
    ShowFolder(QStringToPath(picked));
}

bool TTemplateListBox::event(QEvent* event) {
    // Ctrl+O is this list's "開く(&O)..." while it has the focus, not the File menu's.
    if (event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(event)->keyCombination() == kOpenShortcut[0]) {
        event->accept();
        return true;
    }
    return QListWidget::event(event);
}

void TTemplateListBox::keyPressEvent(QKeyEvent* event) {
    if (event->keyCombination() == kOpenShortcut[0]) {
        LWTemplatePopupPopup();
        if (LWpopOpen1->isEnabled()) LWpopOpen1->trigger();
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}

void TTemplateListBox::mousePressEvent(QMouseEvent* event) {
    // The right button opens the popup without changing the selected file.
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    QListWidget::mousePressEvent(event);
}

void TTemplateListBox::mouseDoubleClickEvent(QMouseEvent* event) {
    QListWidget::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton) emit insertRequested();
}

void TTemplateListBox::contextMenuEvent(QContextMenuEvent* event) {
    LWTemplatePopupPopup();
    LWTemplatePopup->popup(event->globalPos());
    event->accept();
}

} // namespace bw::gui
