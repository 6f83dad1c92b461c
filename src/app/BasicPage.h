#pragma once
// The page "基本項目": the eleven basic items and their write order. Every input edits its
// field of the record in place.

#include "app/PageContext.h"

#include <QStringList>
#include <QWidget>

#include <string>

class QComboBox;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace bw::gui {

class TOrderListBox;

class TBasicPage : public QWidget {
    Q_OBJECT
  public:
    explicit TBasicPage(PageContext& context, QWidget* parent = nullptr);

    /// Start-up: the last-update date entries, the first of them becoming the text.
    void SetLastUpdateEntries(const QStringList& entries);

    /// Enables the price box (window colour) exactly while kind is "シェアウェア"; its text stays.
    void UpdatePriceState(const QString& kind);

  public slots:
    /// Shows the record's fields (after an open or a new project) without counting as an edit.
    void LoadFromRecord();

    void SpeedButton1Click();
    void St1ListUpBtnClick();
    void St1ListDownBtnClick();
    void St1DefaultBtnClick();

  signals:
    /// The user changed a field of the record.
    void edited();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void kindCmbBoxChange(const QString& text);
    /// A field's new text: the record takes its CP932 bytes.
    void FieldEdited(std::string& field, const QString& text);
    void Bind(QLineEdit* edit, std::string& field);
    void Bind(QComboBox* combo, std::string& field);

    PageContext& ctx_;
    bool loading_ = false;

    QLineEdit* SoftTitleEdit;
    QLineEdit* ProducerEdit;
    QLineEdit* VersionEdit;
    QToolButton* SpeedButton1;
    QComboBox* UpDateCmbBox;
    QLineEdit* ArcNameEdit;
    QComboBox* ArcExtCmbBox;
    QComboBox* kindCmbBox;
    QLineEdit* ShareLabelEdit;
    QComboBox* DevLangCmbBox;
    QLineEdit* CopyRightEdit;
    QComboBox* RunTimeCmbBox;
    QLineEdit* HomePageEdit;
    QLineEdit* MailAdrsEdit;
    TOrderListBox* St1ListBox;
    QPushButton* St1ListUpBtn;
    QPushButton* St1ListDownBtn;
    QPushButton* St1DefaultBtn;
};

} // namespace bw::gui
