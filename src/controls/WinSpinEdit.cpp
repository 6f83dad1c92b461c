#include "controls/WinSpinEdit.h"

#include "controls/Beep.h"
#include "text/numbers.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QToolButton>

#include <limits>

namespace bw::gui {

std::int64_t SpinRules::Fit(std::int64_t v) const {
    if (MaxValue == MinValue) return v;
    if (v < MinValue) return MinValue;
    if (v > MaxValue) return MaxValue;
    return v;
}

bool SpinRules::AcceptsChar(char16_t c, char16_t decimalSeparator) const {
    const bool valid =
        (c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == decimalSeparator || (c < 32 && c != 13);
    if (!valid) return false;
    if (!EditorEnabled && (c >= 32 || c == 8 || c == 46)) return false;
    return true;
}

std::optional<std::int64_t> SpinRules::Parse(const QString& text) {
    // A "+" may stand in front of the digits, but not in front of a "-".
    const QString digits = text.startsWith(u'+') ? text.mid(1) : text;
    if (text.startsWith(u'+') && digits.startsWith(u'-')) return std::nullopt;
    return ParseDecimal(digits.toStdString());
}

std::int64_t SpinRules::Add(std::int64_t v, std::int64_t step) {
    std::int64_t r;
    if (__builtin_add_overflow(v, step, &r))
        return step > 0 ? std::numeric_limits<std::int64_t>::max() : std::numeric_limits<std::int64_t>::min();
    return r;
}

bool DigitKeyFilter(QChar c) {
    return (c >= u'0' && c <= u'9') || c == QChar(8);
}

TWinSpinEdit::TWinSpinEdit(QWidget* parent) : QLineEdit(parent) {
    setText(QStringLiteral("0"));
    up_ = new QToolButton(this);
    down_ = new QToolButton(this);
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {up_, down_}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoRepeat(true);
        b->setCursor(Qt::ArrowCursor);
    }
    connect(up_, &QToolButton::clicked, this, &TWinSpinEdit::StepUp);
    connect(down_, &QToolButton::clicked, this, &TWinSpinEdit::StepDown);
    setTextMargins(0, 0, 16, 0);
    placeArrows();
}

void TWinSpinEdit::setRange(std::int64_t minValue, std::int64_t maxValue) {
    rules_.MinValue = minValue;
    rules_.MaxValue = maxValue;
}

std::int64_t TWinSpinEdit::Value() {
    if (const auto v = SpinRules::Parse(text())) return *v;
    setText(QString::number(rules_.MinValue));
    if (!(QApplication::mouseButtons() & Qt::LeftButton)) selectAll();
    return rules_.MinValue;
}

void TWinSpinEdit::setValue(std::int64_t v) {
    setText(QString::number(v));
}

void TWinSpinEdit::Step(std::int64_t delta) {
    if (isReadOnly()) {
        Beep();
        return;
    }
    const std::int64_t before = Value();
    const std::int64_t after = rules_.Fit(SpinRules::Add(before, delta));
    setValue(after);
    if (after != before) emit textEdited(text());
}

void TWinSpinEdit::StepUp() {
    Step(rules_.Increment);
}
void TWinSpinEdit::StepDown() {
    Step(-rules_.Increment);
}

void TWinSpinEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up)
        StepUp();
    else if (event->key() == Qt::Key_Down)
        StepDown();
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Cut)) {
        if (rules_.EditorEnabled && !isReadOnly()) QLineEdit::keyPressEvent(event);
        return;
    }
    // A typed character: Enter, Backspace and the printable keys (not shortcuts, not Delete).
    QChar c;
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        c = QChar(13);
    else if (event->key() == Qt::Key_Backspace)
        c = QChar(8);
    else if (!(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) &&
             event->text().size() == 1 && event->text()[0] != QChar(127))
        c = event->text()[0];
    else if (event->text().size() > 1)
        c = event->text()[0]; // an input method's word: judge its first character
    if (c.isNull()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const QString decimal = QLocale().decimalPoint();
    if (!rules_.AcceptsChar(c.unicode(), decimal.isEmpty() ? u'.' : decimal[0].unicode()) ||
        event->text().size() > 1) {
        Beep();
        event->accept();
        return;
    }
    if (keyFilter_ && !keyFilter_(c)) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TWinSpinEdit::keyReleaseEvent(QKeyEvent* event) {
    QLineEdit::keyReleaseEvent(event);
    Value(); // a text that is no longer a number becomes MinValue at once
}

void TWinSpinEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (!(QApplication::mouseButtons() & Qt::LeftButton)) selectAll();
}

void TWinSpinEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    const std::int64_t v = Value();
    if (rules_.Fit(v) != v) {
        setValue(rules_.Fit(v));
        emit textEdited(text());
    }
}

void TWinSpinEdit::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    placeArrows();
}

void TWinSpinEdit::contextMenuEvent(QContextMenuEvent* event) {
    if (rules_.EditorEnabled)
        QLineEdit::contextMenuEvent(event);
    else
        event->accept();
}

void TWinSpinEdit::placeArrows() {
    const int w = 15, h = height() - 2;
    up_->setGeometry(width() - w - 1, 1, w, h / 2);
    down_->setGeometry(width() - w - 1, 1 + h / 2, w, h - h / 2);
}

} // namespace bw::gui
