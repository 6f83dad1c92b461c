#pragma once
// TInputHistory: the modeless dialog in which the author writes one entry of the development
// history (a date, a version and change lines). It hands the formatted block to its owner;
// it changes no record by itself.

#include <QDialog>

#include <string>
#include <vector>

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace bw::gui {

class Cp932InputGuard;

class TInputHistory : public QDialog {
    Q_OBJECT
  public:
    /// date and version (CP932) fill the fields; insertFirst chooses "最初に挿入".
    TInputHistory(const std::string& date, const std::string& version, bool insertFirst,
                  Cp932InputGuard& guard, QWidget* parent = nullptr);

    /// The change lines of the grid, top to bottom (CP932), added rows included.
    std::vector<std::string> Rows() const;
    /// The block that "OK(&O)" hands over (BuildHistoryBlock of the fields).
    std::vector<std::string> Block() const;
    bool InsertFirst() const;

    /// Enter in the grid: the next row, a new one after the last.
    void StringGrid1KeyPress();

  signals:
    /// "OK(&O)" was pressed; the dialog closes after the receivers have run.
    void entryAccepted(const std::vector<std::string>& block, bool insertFirst);

  private:
    void OKBtnClick();

    QComboBox* UpDateCmbBox;
    QLineEdit* VerEdit;
    QTableWidget* StringGrid1;
    QRadioButton* InsertRdoBtn;
    QRadioButton* AddRdoBtn;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
};

} // namespace bw::gui
