#pragma once
// The page "長文項目": the section list, the templates, the section order and the fourteen
// section editors.

#include "app/PageContext.h"

#include <QWidget>

namespace bw::gui {

class TLongTextPage : public QWidget {
    Q_OBJECT
  public:
    explicit TLongTextPage(PageContext& context, QWidget* parent = nullptr);

  public slots:
    /// Shows the record's sections, titles, order and flags (after an open or a new project).
    void LoadFromRecord();

  signals:
    /// The user changed a field of the record.
    void edited();

  private:
    PageContext& ctx_;
};

} // namespace bw::gui
