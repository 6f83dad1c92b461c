#pragma once
// TVersionInput: composes the version text from a prefix, four numbers and an extra mark,
// and remembers its last input in the open project's INI file (section "VerInput").

#include "project/readme_project.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace bw::gui {

class Cp932InputGuard;
class DialogService;

/// The up and down arrows beside a number field: they step its number by 1 within 0 to 100.
class TVerUpDown : public QWidget {
    Q_OBJECT
  public:
    TVerUpDown(QLineEdit* buddy, QWidget* parent = nullptr);
    void StepUp() { Step(+1); }
    void StepDown() { Step(-1); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Step(int delta);
    QLineEdit* buddy_;
    int position_ = 0; ///< kept for a field whose text is not a number
};

class TVersionInput : public QDialog {
    Q_OBJECT
  public:
    /// The dialog edits record.Version and remembers its input in record.IniPath.
    TVersionInput(ReadMeProject& record, DialogService& dialogs, Cp932InputGuard& guard,
                  QWidget* parent = nullptr);

    /// The six controls take the remembered values (defaults without a project or key).
    void FormShow();

  public slots:
    /// Sets the version, stores the six values (only with a project) and closes.
    void OKBtnClick();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    ReadMeProject& record_;
    DialogService& dialogs_;

    QComboBox* VerCmbBox;
    QLineEdit* VerEdit1;
    QLineEdit* VerEdit2;
    QLineEdit* VerEdit3;
    QLineEdit* VerEdit4;
    QComboBox* ExtraCmbBox;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
};

} // namespace bw::gui
