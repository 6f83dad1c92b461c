#pragma once
// TNewProject: the new-project wizard and, in the same window class, the project management
// window that deletes a project's files. The wizard asks for the project name and three
// author facts on three pages reached only with "<<" and ">>", shows the files it is about to
// create and creates them (CreateProject); the management window lists the files of the
// project folder and deletes the chosen project (DeleteProject).

#include "app/PageContext.h"

#include <QDialog>

#include <optional>
#include <string>

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTreeWidget;

namespace bw::gui {

class TNewProject : public QDialog {
    Q_OBJECT
  public:
    enum class Mode {
        NewProject, ///< the wizard: three pages without tabs, "<<" and ">>"
        Manage,     ///< "プロジェクトファイルの管理": the page "削除" alone
    };

    /// The wizard creates into context.record and context.folders; the management window only
    /// deletes files and never touches the record.
    TNewProject(Mode mode, PageContext& context, QWidget* parent = nullptr);

    /// True once "設定完了" ran CreateProject (whatever it reported): the record is bound to
    /// the new project as far as the creation got.
    bool Created() const { return created_; }

  private slots:
    void BackBtnClick();
    void GoBtnClick();
    void FileListBoxClick();
    void DeleteBtnClick();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    enum Page { IntroPage, InputPage, FinishPage };

    void BuildWizardPages();
    void BuildManagePage();
    /// Shows page and runs what showing it does (Back, Go's caption, the tree, the focus).
    void ShowPage(int page);
    /// The checks of the input page; true when the wizard may go on to the last page.
    bool CheckInputPage();
    void RebuildTree();
    void CreateClick();
    void FillFileList();
    /// The CP932 text of edit; nullopt (after refusing the character) when it has none.
    std::optional<std::string> EditBytes(QLineEdit* edit);

    PageContext& ctx_;
    bool created_ = false;

    QTabWidget* PageControl1;
    // The wizard.
    QPlainTextEdit* IntroMemo = nullptr;
    QLineEdit* ProjectNameEdit = nullptr;
    QLabel* ExtLabel = nullptr;
    QLineEdit* ProducerEdit = nullptr;
    QLineEdit* HomePageEdit = nullptr;
    QLineEdit* MailAdrsEdit = nullptr;
    QTreeWidget* FileTreeView = nullptr;
    QPushButton* BackBtn = nullptr;
    QPushButton* GoBtn = nullptr;
    // The management window.
    QListWidget* FileListBox = nullptr;
    QPushButton* DeleteBtn = nullptr;
    QPushButton* CloseBtn = nullptr;
};

} // namespace bw::gui
