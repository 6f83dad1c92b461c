#pragma once
// The page "プレビュー": the bar of preview options above the read-only ReadMe text.

#include "app/PageContext.h"
#include "composer/composer.h"

#include <QWidget>

class QAction;
class QComboBox;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace bw::gui {

class TWinSpinEdit;

class TPreviewPage : public QWidget {
    Q_OBJECT
  public:
    TPreviewPage(PageContext& context, ComposerState& composer, QWidget* parent = nullptr);

    /// The header the style controls choose now.
    HeaderChoice CurrentHeader() const;
    /// The whole refresh; a failure is reported and leaves the preview's text as it was.
    bool Refresh();

    QWidget* optionPanel() const { return PreviewOptionPanel; }
    QPlainTextEdit* previewText() const { return PreviewMemo; }

  public slots:
    /// Shows the record's preview options; the style list is rebuilt for the mode read.
    void LoadFromRecord();
    void RefreshBtnClick();
    void IndentSpinChange();
    void StyleSpdBtnClick();
    void popStyleUser1Click();
    void popStyleOre1Click();
    void FormatCmbChange(int index);
    /// Fills the style list with the user layouts and selects the first.
    void ListUserLayouts();

  signals:
    /// The user changed a preview option of the record.
    void edited();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void FillBuiltinStyles();
    void ShowReadMeLines();
    void StoreStyleSelection();
    void TextOptionEdited(std::string& field, const QString& text);

    PageContext& ctx_;
    ComposerState& composer_;

    QWidget* PreviewOptionPanel;
    QComboBox* LeftBracketCmb;
    QComboBox* RightBracketCmb;
    TWinSpinEdit* IndentSpin;
    QLineEdit* HorizLine1Edit;
    QLineEdit* HorizLine2Edit;
    QComboBox* FormatCmb;
    QToolButton* StyleSpdBtn;
    QMenu* StylePopup;
    QAction* popStyleOre1;
    QAction* popStyleUser1;
    QPushButton* RefreshBtn;
    QPlainTextEdit* PreviewMemo;
    bool loading_ = false;
};

} // namespace bw::gui
