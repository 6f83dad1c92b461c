#pragma once
// TMAIN: the program's one main window. It owns the open ReadMeProject and the composer
// state, shows the three pages and runs the menu commands.

#include "app/PageContext.h"
#include "composer/composer.h"
#include "project/project_store.h"
#include "project/readme_project.h"

#include <QKeySequence>
#include <QMainWindow>
#include <QPointer>

#include <filesystem>
#include <functional>
#include <vector>

class QAction;
class QMenu;
class QTabWidget;

namespace bw::gui {

class Cp932InputGuard;
class DialogService;
class TBasicPage;
class TLongTextPage;
class TPreviewPage;

class TMAIN : public QMainWindow {
    Q_OBJECT
  public:
    /// home is the program folder (project/, template/, ReadMe.txt); settingsFile the
    /// program's settings file.
    TMAIN(const std::filesystem::path& home, const std::filesystem::path& settingsFile,
          DialogService& dialogs, QWidget* parent = nullptr);
    ~TMAIN() override;

    ReadMeProject& record() { return record_; }
    ComposerState& composer() { return composer_; }
    const ProgramFolders& folders() const { return folders_; }
    DialogService& dialogs() { return dialogs_; }
    Cp932InputGuard& inputGuard() { return *guard_; }
    PageContext& pageContext() { return context_; }
    TBasicPage* basicPage() const { return TabSheet1; }
    TLongTextPage* longTextPage() const { return TabSheet2; }
    TPreviewPage* previewPage() const { return TabSheet3; }

    /// After the record was bound to a project (opened or created): caption and pages.
    void ProjectBound();

    /// While focusTarget has the keyboard focus, the menu shortcut seq runs action instead of
    /// its menu entry (Ctrl+O of the template list).
    void setShortcutOwner(QWidget* focusTarget, const QKeySequence& seq, QAction* action);

    /// The close question while SavePending is set: true when the caller may go on (saved,
    /// or "いいえ(&N)"); false on "キャンセル" or when the save failed to write.
    bool AskToSavePendingWork();

  public slots:
    void mnFileClick();
    void mnShowClick();
    void mnSettingClick();
    void mnNewProject1Click();
    void mnProjectOpen1Click();
    void mnSave1Click();
    void mnProjectManage1Click();
    void mnOutputReadMe1Click();
    void mnExit1Click();
    void mnBasic1Click();
    void mnLongText1Click();
    void mnPreview1Click();
    void mnBaseOption1Click();
    void mnPreviewSetting1Click();
    void mnReadMe1Click();
    void mnAbout1Click();
    void TabSheet3Show();
    /// A page changed the record: while a project is open there is unsaved work.
    void RecordEdited();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void FormCreate(const std::filesystem::path& settingsFile);
    void BuildMenus();
    QAction* AddEntry(QMenu* menu, const char* name, const QString& text, const QKeySequence& shortcut,
                      void (TMAIN::*handler)(), void (TMAIN::*opening)());
    void RunShortcut(const QKeySequence& seq, QAction* action, void (TMAIN::*opening)());
    /// Shows what a save reported; true unless it failed to write.
    bool ShowSaveOutcome(const SaveOutcome& outcome);
    void UpdateCaption();

    ProgramFolders folders_;
    std::filesystem::path settingsFile_; ///< read at start-up and by the basic settings dialog
    DialogService& dialogs_;
    ReadMeProject record_;
    ComposerState composer_;
    Cp932InputGuard* guard_;
    PageContext context_;

    QTabWidget* PageControl1;
    TBasicPage* TabSheet1;
    TLongTextPage* TabSheet2;
    TPreviewPage* TabSheet3;

    QMenu* mnFile;
    QMenu* mnShow;
    QMenu* mnSetting;
    QMenu* mnHelp;
    QAction* mnSave1;
    QAction* mnBasic1;
    QAction* mnLongText1;
    QAction* mnPreview1;
    QAction* mnPreviewSetting1;

    struct ShortcutOwner {
        QPointer<QWidget> target; // null once the control is gone
        QKeySequence seq;
        QPointer<QAction> action;
    };
    std::vector<ShortcutOwner> shortcutOwners_;
    bool centred_ = false;
};

} // namespace bw::gui
