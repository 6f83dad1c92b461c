#pragma once
// Small input aids shared by the basic-items page and the dialogs: the home page field, the
// contact field, the digit filter of typed characters, the offer boxes and the place where
// dialogs open.

#include <QComboBox>
#include <QLineEdit>

#include <initializer_list>
#include <QObject>

namespace bw::gui {

/// A home page field: no input-method input, and on entry the caret goes behind the text
/// with nothing selected, so that typing continues after "http://".
class THomePageEdit : public QLineEdit {
    Q_OBJECT
  public:
    explicit THomePageEdit(QWidget* parent = nullptr);

  protected:
    void focusInEvent(QFocusEvent* event) override;
};

/// A contact field: the input method is closed (set back to direct input) on entry; the
/// user may open it again.
class TContactEdit : public QLineEdit {
    Q_OBJECT
  public:
    explicit TContactEdit(QWidget* parent = nullptr);

  protected:
    void focusInEvent(QFocusEvent* event) override;
};

/// Lets only the typed characters that DigitKeyFilter passes into edit (also words an input
/// method commits); shortcuts, navigation keys and pasted text are not filtered.
void InstallDigitKeyFilter(QLineEdit* edit);

/// An editable drop-down that offers values but takes any text (inserts nothing by itself).
QComboBox* OfferBox(const char* name, std::initializer_list<const char16_t*> offers, QWidget* parent);

/// Puts a window in the middle of its screen (the program's dialogs open there).
void CentreOnScreen(QWidget* window);

} // namespace bw::gui
