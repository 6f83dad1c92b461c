#pragma once
// TOutputReadMe: writes the composed ReadMe to a file the user picks, optionally stamping
// the file's modification time with a chosen date and time.

#include "composer/text_lines.h"

#include <QDateTime>
#include <QDialog>

class QDateEdit;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimeEdit;
class QToolButton;

namespace bw::gui {

class DialogService;

class TOutputReadMe : public QDialog {
    Q_OBJECT
  public:
    /// opened: the moment the dialog opens (today's date and the time of day for the pickers).
    TOutputReadMe(const TextLines& lines, DialogService& dialogs, QWidget* parent = nullptr,
                  const QDateTime& opened = QDateTime::currentDateTime());

    /// The stamp the pickers hold, as local date and time to the whole second.
    QDateTime ChosenStamp() const;

  private slots:
    void Button1Click();
    void PathEditChange(const QString& text);
    void RadioClick();
    void OutputBtnClick();

  private:
    const TextLines& lines_;
    DialogService& dialogs_;
    QLineEdit* PathEdit;
    QToolButton* Button1;
    QRadioButton* NoStampRdoBtn;
    QRadioButton* StampRdoBtn;
    QDateEdit* DatePicker;
    QTimeEdit* TimePicker;
    QPushButton* OutputBtn;
    QPushButton* CancelBtn;
};

} // namespace bw::gui
