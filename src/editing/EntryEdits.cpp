#include "editing/EntryEdits.h"

#include "editing/phrases.h"

#include <QFocusEvent>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QScreen>

namespace bw::gui {

namespace {

class DigitKeyEventFilter : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
            return !Passes(key->text());
        }
        if (event->type() == QEvent::InputMethod) {
            auto* im = static_cast<QInputMethodEvent*>(event);
            return !im->commitString().isEmpty() && !Passes(im->commitString());
        }
        return false;
    }

  private:
    /// Control characters (Enter, Tab, Esc) keep their usual meaning; Backspace is one of the
    /// filter's own characters.
    static bool Passes(const QString& text) {
        for (const QChar c : text)
            if (c.unicode() >= 0x20 && c.unicode() != 0x7F && !bw::DigitKeyFilter(char32_t{c.unicode()}))
                return false;
        return true;
    }
};

} // namespace

THomePageEdit::THomePageEdit(QWidget* parent) : QLineEdit(parent) {
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

void THomePageEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event); // selects everything when tabbed into
    if (event->reason() != Qt::PopupFocusReason) {
        deselect();
        end(false);
    }
}

TContactEdit::TContactEdit(QWidget* parent) : QLineEdit(parent) {
    setInputMethodHints(Qt::ImhPreferLatin);
}

void TContactEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // Qt has no "close the input method" call; dropping any composition and asking for Latin
    // input is what the platform input methods honour.
    QGuiApplication::inputMethod()->reset();
    QGuiApplication::inputMethod()->update(Qt::ImHints);
}

void InstallDigitKeyFilter(QLineEdit* edit) {
    edit->setAttribute(Qt::WA_InputMethodEnabled, false);
    edit->installEventFilter(new DigitKeyEventFilter(edit));
}

void CentreOnScreen(QWidget* window) {
    if (const QScreen* screen = window->screen()) {
        QRect frame = window->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window->move(frame.topLeft());
    }
}

QComboBox* OfferBox(const char* name, std::initializer_list<const char16_t*> offers, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QLatin1String(name));
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    for (const char16_t* offer : offers)
        combo->addItem(QString::fromUtf16(offer));
    return combo;
}

} // namespace bw::gui
