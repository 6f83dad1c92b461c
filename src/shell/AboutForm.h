#pragma once
// TAboutBox: the version information dialog with the program's icon, version and a link to
// the support page.

#include <QDialog>
#include <QLabel>

class QPushButton;

namespace bw::gui {

/// The support page's address, shown as the link and opened on a click.
QString SupportPageAddress();
/// "Ver " followed by the program's version from the build.
QString VersionLabelText();

/// A label that shows an address as a link: blue, red and underlined under the mouse; a
/// click asks the desktop to open its text.
class TLinkLabel : public QLabel {
    Q_OBJECT
  public:
    explicit TLinkLabel(const QString& address, QWidget* parent = nullptr);

  protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void SetHot(bool hot);
};

class TAboutBox : public QDialog {
    Q_OBJECT
  public:
    explicit TAboutBox(QWidget* parent = nullptr);

  protected:
    void showEvent(QShowEvent* event) override;
    /// Esc does not close the box: it has no cancel button.
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QLabel* ProgramIcon;
    QLabel* ProductName;
    QLabel* Version;
    QLabel* Copyright;
    TLinkLabel* SupportURLLabel;
    QLabel* SupportNoteLabel;
    QPushButton* OKButton;
};

} // namespace bw::gui
