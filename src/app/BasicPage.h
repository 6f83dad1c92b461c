#pragma once
// The page "基本項目": the eleven basic items and their write order.

#include "app/PageContext.h"

#include <QStringList>
#include <QWidget>

class QComboBox;

namespace bw::gui {

class TBasicPage : public QWidget {
    Q_OBJECT
  public:
    explicit TBasicPage(PageContext& context, QWidget* parent = nullptr);

    /// Start-up: the last-update date entries, the first of them becoming the text.
    void SetLastUpdateEntries(const QStringList& entries);

  public slots:
    /// Shows the record's fields (after an open or a new project).
    void LoadFromRecord();

  signals:
    /// The user changed a field of the record.
    void edited();

  private:
    PageContext& ctx_;
    QComboBox* UpDateCmbBox_;
};

} // namespace bw::gui
