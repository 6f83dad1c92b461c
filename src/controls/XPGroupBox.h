#pragma once
// The program's group box. Qt's style engine already paints the frame and caption in the
// desktop's look (the caption breaking the frame, children on the themed background), so the
// class adds nothing; it stays so that every group box of the program is one of these.

#include <QGroupBox>

namespace bw::gui {

class TXPGroupBox : public QGroupBox {
    Q_OBJECT
  public:
    explicit TXPGroupBox(const QString& caption, QWidget* parent = nullptr) : QGroupBox(caption, parent) {}
    explicit TXPGroupBox(QWidget* parent = nullptr) : QGroupBox(parent) {}
};

} // namespace bw::gui
