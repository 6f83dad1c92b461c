#pragma once
// Keeps characters that CP932 cannot encode out of the program's fields: whatever is typed,
// pasted, dropped or committed by an input method is refused whole when it holds such a
// character, and the field keeps its text. Private code points U+F700 + byte (how an
// undecodable byte of a loaded file is shown) pass, so those bytes survive editing.

#include <QObject>
#include <QString>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;

namespace bw::gui {

class Cp932InputGuard : public QObject {
    Q_OBJECT
  public:
    explicit Cp932InputGuard(QObject* parent = nullptr);

    /// Guards a line edit; with maxBytes >= 0 its CP932 text is also kept to that many bytes.
    void attach(QLineEdit* edit, int maxBytes = -1);
    /// Guards the edit field of an editable combo box (call after setEditable(true)).
    void attach(QComboBox* combo, int maxBytes = -1);
    /// Guards a multi-line editor: typed keys, paste (keys and context menu), drops and
    /// input-method commits.
    void attach(QPlainTextEdit* edit);

    /// The first character of text that CP932 cannot encode; empty when there is none.
    static QString FirstUnencodable(const QString& text);

    /// The status-bar text shown for a refused character.
    static QString RefusalMessage(const QString& character);

  signals:
    /// A character was refused (the guard has already beeped).
    void refused(const QString& character);

  public:
    void report(const QString& character);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool refuseIfBad(const QString& text);
    void showGuardedContextMenu(QPlainTextEdit* edit, const QPoint& globalPos, const QPoint& pos);
};

} // namespace bw::gui
