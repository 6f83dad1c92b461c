// The spin edit: its rules without a window, then the field's keys, arrows and focus.

#include "controls/Beep.h"
#include "controls/WinSpinEdit.h"

#include <QDialog>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include <limits>

using bw::gui::BeepCount;
using bw::gui::SpinRules;
using bw::gui::TWinSpinEdit;

Q_DECLARE_METATYPE(std::optional<qint64>)

class SpinEditTest : public QObject {
    Q_OBJECT

    static void leave(QWidget* w) {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(w, &out);
    }

  private slots:
    void fitKeepsValuesInRange_data() {
        QTest::addColumn<qint64>("min");
        QTest::addColumn<qint64>("max");
        QTest::addColumn<qint64>("value");
        QTest::addColumn<qint64>("fitted");
        QTest::newRow("below") << qint64(0) << qint64(10) << qint64(-1) << qint64(0);
        QTest::newRow("above") << qint64(0) << qint64(10) << qint64(15) << qint64(10);
        QTest::newRow("inside") << qint64(0) << qint64(10) << qint64(7) << qint64(7);
        QTest::newRow("no range: min == max") << qint64(0) << qint64(0) << qint64(-99) << qint64(-99);
        QTest::newRow("no range, large") << qint64(5) << qint64(5) << qint64(123456) << qint64(123456);
    }
    void fitKeepsValuesInRange() {
        QFETCH(qint64, min);
        QFETCH(qint64, max);
        QFETCH(qint64, value);
        QFETCH(qint64, fitted);
        SpinRules rules{min, max, 1, true};
        QCOMPARE(rules.Fit(value), fitted);
    }

    void typedCharacters_data() {
        QTest::addColumn<int>("character");
        QTest::addColumn<bool>("editorEnabled");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("digit") << int('7') << true << true;
        QTest::newRow("letter") << int('a') << true << false;
        QTest::newRow("plus") << int('+') << true << true;
        QTest::newRow("minus") << int('-') << true << true;
        QTest::newRow("decimal separator") << int('.') << true << true;
        QTest::newRow("full-width digit") << int(0xFF17) << true << false;
        QTest::newRow("Enter") << 13 << true << false;
        QTest::newRow("Backspace") << 8 << true << true;
        QTest::newRow("Escape") << 27 << true << true;
        QTest::newRow("digit, editor off") << int('7') << false << false;
        QTest::newRow("Backspace, editor off") << 8 << false << false;
        QTest::newRow("Escape, editor off") << 27 << false << true;
        QTest::newRow("Enter, editor off") << 13 << false << false;
    }
    void typedCharacters() {
        QFETCH(int, character);
        QFETCH(bool, editorEnabled);
        QFETCH(bool, accepted);
        SpinRules rules;
        rules.EditorEnabled = editorEnabled;
        QCOMPARE(rules.AcceptsChar(static_cast<char16_t>(character), u'.'), accepted);
    }

    void parsing_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<std::optional<qint64>>("value");
        using V = std::optional<qint64>;
        QTest::newRow("plain") << QStringLiteral("12") << V(12);
        QTest::newRow("negative") << QStringLiteral("-3") << V(-3);
        QTest::newRow("plus sign") << QStringLiteral("+04") << V(4);
        QTest::newRow("empty") << QString() << V();
        QTest::newRow("lone sign") << QStringLiteral("-") << V();
        QTest::newRow("decimal") << QStringLiteral("1.5") << V();
        QTest::newRow("blank inside") << QStringLiteral(" 1") << V();
        QTest::newRow("largest") << QStringLiteral("9223372036854775807")
                                 << V(std::numeric_limits<qint64>::max());
        QTest::newRow("smallest") << QStringLiteral("-9223372036854775808")
                                  << V(std::numeric_limits<qint64>::min());
        QTest::newRow("too large") << QStringLiteral("9223372036854775808") << V();
    }
    void parsing() {
        QFETCH(QString, text);
        QFETCH(std::optional<qint64>, value);
        QCOMPARE(SpinRules::Parse(text), value);
    }

    void newFieldStepsWithoutLimit() {
        TWinSpinEdit spin;
        QCOMPARE(spin.text(), QStringLiteral("0"));
        spin.upButton()->click();
        spin.upButton()->click();
        QCOMPARE(spin.text(), QStringLiteral("2"));
        for (int i = 0; i < 3; ++i)
            spin.downButton()->click();
        QCOMPARE(spin.text(), QStringLiteral("-1"));
        QTest::keyClick(&spin, Qt::Key_Up);
        QCOMPARE(spin.text(), QStringLiteral("0"));
    }

    void arrowsStopAtTheLimits() {
        TWinSpinEdit spin;
        spin.setRange(0, 10);
        spin.setValue(10);
        spin.upButton()->click();
        QTest::keyClick(&spin, Qt::Key_Up);
        QCOMPARE(spin.text(), QStringLiteral("10"));
        spin.setValue(0);
        spin.downButton()->click();
        QTest::keyClick(&spin, Qt::Key_Down);
        QCOMPARE(spin.text(), QStringLiteral("0"));
    }

    void refusedKeysBeepAndChangeNothing() {
        TWinSpinEdit spin;
        spin.setRange(0, 10);
        spin.setValue(5);
        spin.setCursorPosition(1);
        const int before = BeepCount();
        QTest::keyClick(&spin, Qt::Key_A);
        QTest::sendKeyEvent(QTest::Click, &spin, Qt::Key_unknown, QStringLiteral("５"), Qt::NoModifier);
        QCOMPARE(spin.text(), QStringLiteral("5"));
        QCOMPARE(BeepCount(), before + 2);
        QTest::keyClick(&spin, Qt::Key_3);
        QCOMPARE(spin.text(), QStringLiteral("53"));
        QCOMPARE(BeepCount(), before + 2);
    }

    void enterBeepsAndNeverPressesTheDefaultButton() {
        QDialog dialog;
        auto* spin = new TWinSpinEdit(&dialog);
        auto* other = new QLineEdit(&dialog);
        auto* ok = new QPushButton(QStringLiteral("OK"), &dialog);
        ok->setDefault(true);
        auto* layout = new QVBoxLayout(&dialog);
        layout->addWidget(spin);
        layout->addWidget(other);
        layout->addWidget(ok);
        dialog.show(); // a dialog presses its default button only while it is shown
        QSignalSpy clicked(ok, &QPushButton::clicked);
        const int before = BeepCount();
        QTest::keyClick(spin, Qt::Key_Return);
        QTest::keyClick(spin, Qt::Key_Enter);
        QCOMPARE(clicked.count(), 0);
        QCOMPARE(BeepCount(), before + 2);
        QTest::keyClick(other, Qt::Key_Return); // an ordinary field lets Enter reach the button
        QCOMPARE(clicked.count(), 1);
    }

    void aLoneSignOrAnEmptyFieldBecomesTheMinimum_data() {
        QTest::addColumn<qint64>("min");
        QTest::newRow("minimum 0") << qint64(0);
        QTest::newRow("minimum 3") << qint64(3);
    }
    void aLoneSignOrAnEmptyFieldBecomesTheMinimum() {
        QFETCH(qint64, min);
        TWinSpinEdit spin;
        spin.setRange(min, 10);
        spin.setValue(7);
        spin.selectAll();
        QTest::keyClick(&spin, Qt::Key_Minus);
        QCOMPARE(spin.text(), QString::number(min));
        QCOMPARE(spin.selectedText(), QString::number(min));
        QTest::keyClick(&spin, Qt::Key_4); // replaces the selected minimum
        QCOMPARE(spin.text(), QStringLiteral("4"));
        spin.end(false);
        QTest::keyClick(&spin, Qt::Key_Backspace);
        QCOMPARE(spin.text(), QString::number(min));
        QCOMPARE(spin.selectedText(), QString::number(min));
    }

    void minusBeforeDigitsKeepsANegativeNumber() {
        TWinSpinEdit spin;
        spin.setValue(12);
        spin.home(false);
        QTest::keyClick(&spin, Qt::Key_Minus);
        QCOMPARE(spin.text(), QStringLiteral("-12"));
    }

    void leavingFitsTheValue() {
        TWinSpinEdit spin;
        spin.setRange(0, 10);
        spin.clear();
        QTest::keyClicks(&spin, QStringLiteral("15"));
        QCOMPARE(spin.text(), QStringLiteral("15")); // fitting waits for the field to be left
        leave(&spin);
        QCOMPARE(spin.text(), QStringLiteral("10"));
        QCOMPARE(spin.Value(), 10);
    }

    void readOnlyArrowsBeep() {
        TWinSpinEdit spin;
        spin.setRange(0, 10);
        spin.setValue(4);
        spin.setReadOnly(true);
        const int before = BeepCount();
        spin.upButton()->click();
        QTest::keyClick(&spin, Qt::Key_Down);
        QCOMPARE(spin.text(), QStringLiteral("4"));
        QCOMPARE(BeepCount(), before + 2);
    }

    void disabledEditorRefusesTypingButNotArrows() {
        TWinSpinEdit spin;
        spin.setRange(0, 10);
        spin.setValue(4);
        spin.rules().EditorEnabled = false;
        spin.end(false);
        const int before = BeepCount();
        QTest::keyClick(&spin, Qt::Key_2);
        QTest::keyClick(&spin, Qt::Key_Backspace);
        QCOMPARE(spin.text(), QStringLiteral("4"));
        QCOMPARE(BeepCount(), before + 2);
        spin.upButton()->click();
        QCOMPARE(spin.text(), QStringLiteral("5"));
    }

    void digitFilterDropsSilently() {
        // The indent field's configuration: a digit filter on top of the field's own rules.
        TWinSpinEdit spin;
        spin.setRange(0, 10);
        spin.setMaxLength(2);
        spin.setKeyFilter(bw::gui::DigitKeyFilter);
        spin.setValue(6);
        spin.end(false);
        const int before = BeepCount();
        QTest::keyClick(&spin, Qt::Key_Minus);
        QTest::keyClick(&spin, Qt::Key_Plus);
        QCOMPARE(spin.text(), QStringLiteral("6"));
        QCOMPARE(BeepCount(), before); // dropped by the filter, not refused by the field
        QTest::keyClick(&spin, Qt::Key_1);
        QTest::keyClick(&spin, Qt::Key_1); // a third digit does not fit
        QCOMPARE(spin.text(), QStringLiteral("61"));
    }
};

QTEST_MAIN(SpinEditTest)
#include "spin_edit_test.moc"
