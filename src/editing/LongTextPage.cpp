#include "editing/LongTextPage.h"

namespace bw::gui {

TLongTextPage::TLongTextPage(PageContext& context, QWidget* parent) : QWidget(parent), ctx_(context) {}

void TLongTextPage::LoadFromRecord() {}

} // namespace bw::gui
