#pragma once
// TBaseOption: the basic settings dialog. It edits the author's defaults in the program's
// settings file and nothing else; the main window takes them at its next start.

#include <QDialog>

#include <filesystem>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace bw::gui {

class Cp932InputGuard;
class DialogService;

class TBaseOption : public QDialog {
    Q_OBJECT
  public:
    /// settingsFile is read now (home page default "http://") and written on OK.
    TBaseOption(const std::filesystem::path& settingsFile, DialogService& dialogs, Cp932InputGuard& guard,
                QWidget* parent = nullptr);

  public slots:
    /// Writes the five texts as they stand and the switch; a failed write is reported, and
    /// the dialog closes either way.
    void OKBtnClick();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    std::filesystem::path settingsFile_;
    DialogService& dialogs_;

    QLineEdit* ProducerEdit;
    QLineEdit* CopyRighterEdit;
    QLineEdit* DevelopLangEdit;
    QLineEdit* HomePageEdit;
    QLineEdit* MainAddressEdit;
    QCheckBox* CreateReadChkBox;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
};

} // namespace bw::gui
