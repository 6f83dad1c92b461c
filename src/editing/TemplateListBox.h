#pragma once
// The template list (LWTemplateFLBox): the files of one template folder, following the
// section shown unless its folder is locked, with the popup LWTemplatePopup.

#include <QListWidget>

#include <filesystem>
#include <optional>

class QAction;
class QMenu;

namespace bw::gui {

class DialogService;

class TTemplateListBox : public QListWidget {
    Q_OBJECT
  public:
    /// root is the template root; dialogs shows the list's messages, prompt and folder browser.
    TTemplateListBox(const std::filesystem::path& root, DialogService& dialogs, QWidget* parent = nullptr);

    /// The folder shown (empty before the first section or folder change).
    const std::filesystem::path& TemplateFolder() const { return folder_; }
    /// The selected file's full path, or nullopt.
    std::optional<std::filesystem::path> SelectedFile() const;

    bool FolderLocked() const { return locked_; }
    void SetFolderLocked(bool locked);

    /// Unless the folder is locked, shows the template folder of section index. A folder that
    /// cannot be listed is reported and the list stays as it was.
    void FollowSection(int index);
    /// Shows folder and lists it; false (after a message) when it cannot be listed.
    bool ShowFolder(const std::filesystem::path& folder);

    /// Popup entries (LWpopOpen1 ... LWpopLock1) and their enabling (LWTemplatePopupPopup).
    QMenu* popup() const { return LWTemplatePopup; }
    QAction* openAction() const { return LWpopOpen1; }
    void LWTemplatePopupPopup();

    void RenameTemplate();
    void EditTemplate();
    void ChangeTemplateFolder();

  signals:
    /// "開く(&O)...", a double-click or Ctrl+O asks for the selected template to be inserted.
    void insertRequested();

  protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    /// Lists folder_ again, with no file selected; false when it cannot be listed.
    bool Relist();

    std::filesystem::path root_;
    DialogService& dialogs_;
    std::filesystem::path folder_;
    bool locked_ = false;

    QMenu* LWTemplatePopup;
    QAction* LWpopOpen1;
    QAction* LWpopRename1;
    QAction* LWpopEdit1;
    QAction* LWpopFolder1;
    QAction* LWpopLock1;
};

/// Renames file to target unless something already has that name; false when nothing was
/// renamed.
bool RenameWithoutReplacing(const std::filesystem::path& file, const std::filesystem::path& target);

} // namespace bw::gui
