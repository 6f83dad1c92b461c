#pragma once
// The page "長文項目": the section list, the templates, the section order and the fourteen
// section editors.

#include "app/PageContext.h"
#include "project/readme_project.h"

#include <QWidget>

#include <array>
#include <string>
#include <vector>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStackedWidget;
class QToolButton;

namespace bw::gui {

class TInputHistory;
class TOrderListBox;
class TSectionEditor;
class TTemplateListBox;

class TLongTextPage : public QWidget {
    Q_OBJECT
  public:
    explicit TLongTextPage(PageContext& context, QWidget* parent = nullptr);

    /// The section whose page is shown, or -1 (none since start-up).
    int ShownSection() const { return shownSection_; }
    TSectionEditor* editor(int section) const { return editors_[static_cast<std::size_t>(section)]; }
    TTemplateListBox* templateList() const { return LWTemplateFLBox; }
    QListWidget* sectionList() const { return LongWordListBox; }

  public slots:
    /// Shows the record's sections, titles, order and flags (after an open or a new project).
    void LoadFromRecord();

    /// Shows the page of section index (0-13) and lets the template list follow it; any
    /// other index does nothing.
    void ShowSection(int index);
    /// Replaces the shown section's text by the selected template, expanded.
    void InsertTemplate();
    /// "Enter": the operating-environment section becomes the phrase of the ticked boxes.
    void GetOperateSpdBtnClick();
    /// "開発履歴入力フォーム表示": a new, modeless history dialog.
    TInputHistory* InputHistorySpdBtnClick();
    /// A history dialog's "OK(&O)": remembers the position and puts the block in place.
    void InputHistoryAccepted(const std::vector<std::string>& block, bool insertFirst);

  signals:
    /// The user changed a field of the record.
    void edited();

  private:
    QWidget* BuildSectionPage(int index);
    QWidget* BuildOperateBar();
    void OperateBoxClicked();

    PageContext& ctx_;
    int shownSection_ = -1;

    QListWidget* LongWordListBox;
    TTemplateListBox* LWTemplateFLBox;
    TOrderListBox* St2ListBox;
    QPushButton* Button1;
    QPushButton* Button3;
    QStackedWidget* SectionPages;
    std::array<TSectionEditor*, kSectionCount> editors_{};
    std::array<QLineEdit*, 3> otherEdits_{};    // Other1Edit .. Other3Edit
    std::array<QCheckBox*, 6> operateBoxes_{};  // OprtW95ChkBox .. OprtWXPChkBox
    std::array<QCheckBox*, 6> operatedBoxes_{}; // OprtOKW95ChkBox .. OprtOKWXPChkBox
    QToolButton* GetOperateSpdBtn = nullptr;
    QToolButton* InputHistorySpdBtn = nullptr;
};

} // namespace bw::gui
