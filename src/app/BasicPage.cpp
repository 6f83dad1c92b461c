#include "app/BasicPage.h"

#include "app/DialogService.h"
#include "controls/Cp932InputGuard.h"

#include <QComboBox>
#include <QFormLayout>

namespace bw::gui {

TBasicPage::TBasicPage(PageContext& context, QWidget* parent) : QWidget(parent), ctx_(context) {
    auto* form = new QFormLayout(this);
    UpDateCmbBox_ = new QComboBox(this);
    UpDateCmbBox_->setObjectName(QStringLiteral("LastUpDateCmbBox"));
    UpDateCmbBox_->setEditable(true);
    ctx_.guard.attach(UpDateCmbBox_);
    form->addRow(QStringLiteral("　最終更新日"), UpDateCmbBox_);
    connect(UpDateCmbBox_, &QComboBox::editTextChanged, this, [this](const QString& text) {
        if (const auto bytes = ToCp932(text); bytes && *bytes != ctx_.record.LastUpDate) {
            ctx_.record.LastUpDate = *bytes;
            emit edited();
        }
    });
}

void TBasicPage::SetLastUpdateEntries(const QStringList& entries) {
    const QSignalBlocker block(UpDateCmbBox_);
    UpDateCmbBox_->clear();
    UpDateCmbBox_->addItems(entries);
    UpDateCmbBox_->setCurrentIndex(entries.isEmpty() ? -1 : 0);
}

void TBasicPage::LoadFromRecord() {
    const QSignalBlocker block(UpDateCmbBox_);
    UpDateCmbBox_->setEditText(FromCp932(ctx_.record.LastUpDate));
}

} // namespace bw::gui
