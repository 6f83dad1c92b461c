#pragma once
// TWinSpinEdit: a text field for a whole number with up and down arrows at its right edge.
// The arrows and the Up and Down keys step the number within a range; the field takes only
// characters that can make up a number and beeps at the others, Enter included (so Enter in
// the field never presses the window's default button).

#include <QLineEdit>

#include <cstdint>
#include <functional>
#include <optional>

class QToolButton;

namespace bw::gui {

/// The rules of the field, free of any window.
struct SpinRules {
    std::int64_t MinValue = 0;
    std::int64_t MaxValue = 0;
    std::int64_t Increment = 1;
    bool EditorEnabled = true;

    /// v fitted into MinValue..MaxValue; with MinValue == MaxValue there is no range and v stays.
    std::int64_t Fit(std::int64_t v) const;
    /// Whether a typed character reaches the text: digits, "+", "-", the decimal separator and
    /// control characters other than Enter; with the editor disabled only those control
    /// characters other than Backspace.
    bool AcceptsChar(char16_t c, char16_t decimalSeparator) const;
    /// The text as a decimal integer with an optional sign; nullopt when it is not one or
    /// does not fit in 64 bits.
    static std::optional<std::int64_t> Parse(const QString& text);
    /// v + step, saturated at the 64-bit limits.
    static std::int64_t Add(std::int64_t v, std::int64_t step);
};

class TWinSpinEdit : public QLineEdit {
    Q_OBJECT
  public:
    explicit TWinSpinEdit(QWidget* parent = nullptr);

    SpinRules& rules() { return rules_; }
    const SpinRules& rules() const { return rules_; }
    void setRange(std::int64_t minValue, std::int64_t maxValue);

    /// The text as a number; a text that is not one is first replaced by MinValue (selected).
    std::int64_t Value();
    /// Writes the number as text, without fitting it.
    void setValue(std::int64_t v);

    void StepUp();
    void StepDown();

    /// A filter for typed characters that the field's own rules let through (the program's
    /// OnKeyPress); returning false drops the character silently.
    void setKeyFilter(std::function<bool(QChar)> filter) { keyFilter_ = std::move(filter); }

    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    void Step(std::int64_t delta);
    void placeArrows();

    SpinRules rules_;
    std::function<bool(QChar)> keyFilter_;
    QToolButton* up_;
    QToolButton* down_;
};

/// The digit filter of the price entry, the indent field and the version dialog: only
/// "0" to "9" and Backspace pass.
bool DigitKeyFilter(QChar c);

} // namespace bw::gui
