// Characters CP932 cannot hold are refused wherever they arrive; bytes of a loaded file that
// do not decode survive showing and editing.

#include "app/MAINForm.h"
#include "app/PreviewPage.h"
#include "controls/Beep.h"
#include "controls/Cp932InputGuard.h"
#include "gui_test_support.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QStatusBar>

using namespace bw;
using namespace bw::test;
using bw::gui::Cp932InputGuard;

namespace {

void Type(QWidget* w, const QString& text) {
    QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, text, Qt::NoModifier);
}

void Commit(QWidget* w, const QString& text) {
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(w, &event);
}

const QString kEmoji = QStringLiteral("\U0001F600");

} // namespace

class InputGuardTest : public QObject {
    Q_OBJECT
  private slots:
    void firstUnencodable_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("bad");
        QTest::newRow("kana and kanji") << QStringLiteral("ｱあ漢①～") << QString();
        QTest::newRow("undecodable byte shown as private code point")
            << QStringLiteral("a\uF780b") << QString();
        QTest::newRow("emoji") << (QStringLiteral("ok") + kEmoji) << kEmoji;
        QTest::newRow("euro sign") << QStringLiteral("5€") << QStringLiteral("€");
        QTest::newRow("hangul") << QStringLiteral("あ한") << QStringLiteral("한");
    }
    void firstUnencodable() {
        QFETCH(QString, text);
        QFETCH(QString, bad);
        QCOMPARE(Cp932InputGuard::FirstUnencodable(text), bad);
    }

    void lineEditsAndComboBoxesRefuseTypingAndPasting() {
        Cp932InputGuard guard;
        QSignalSpy refused(&guard, &Cp932InputGuard::refused);
        QLineEdit edit;
        QComboBox combo;
        combo.setEditable(true);
        guard.attach(&edit);
        guard.attach(&combo);
        for (QLineEdit* field : {&edit, combo.lineEdit()}) {
            refused.clear();
            const int beeps = gui::BeepCount();
            Type(field, QStringLiteral("あ"));
            Type(field, kEmoji);
            Commit(field, QStringLiteral("한국"));
            QApplication::clipboard()->setText(QStringLiteral("x€y"));
            field->paste();
            QCOMPARE(field->text(), QStringLiteral("あ"));
            QCOMPARE(refused.count(), 3);
            QCOMPARE(refused.at(0).at(0).toString(), kEmoji);
            QCOMPARE(gui::BeepCount(), beeps + 3);
            QApplication::clipboard()->setText(QStringLiteral("漢字"));
            field->paste();
            QCOMPARE(field->text(), QStringLiteral("あ漢字"));
        }
    }

    void aByteLimitCountsCp932Bytes() {
        Cp932InputGuard guard;
        QLineEdit edit;
        guard.attach(&edit, 3);
        Type(&edit, QStringLiteral("【"));
        Type(&edit, QStringLiteral("【"));
        QTest::keyClicks(&edit, QStringLiteral("ab"));
        QCOMPARE(edit.text(), QStringLiteral("【a"));
    }

    void plainTextEditorsRefuseEveryWayIn() {
        Cp932InputGuard guard;
        QSignalSpy refused(&guard, &Cp932InputGuard::refused);
        QPlainTextEdit edit;
        guard.attach(&edit);
        Type(&edit, QStringLiteral("あ"));
        Type(&edit, kEmoji);
        Commit(&edit, QStringLiteral("€"));
        QApplication::clipboard()->setText(QStringLiteral("한"));
        QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(edit.toPlainText(), QStringLiteral("あ"));
        QCOMPARE(refused.count(), 3);

        // The context menu's paste is guarded as well.
        edit.show();
        QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(5, 5),
                                    edit.viewport()->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(edit.viewport(), &menuEvent);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QAction* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste"));
        QVERIFY(paste);
        paste->trigger();
        menu->close();
        QCOMPARE(edit.toPlainText(), QStringLiteral("あ"));
        QCOMPARE(refused.count(), 4);

        QApplication::clipboard()->setText(QStringLiteral("い"));
        QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
        Commit(&edit, QStringLiteral("う"));
        QCOMPARE(edit.toPlainText(), QStringLiteral("あいう"));
    }

    void theMainWindowReportsRefusalsInItsStatusBar() {
        ProgramFolder folder;
        ScriptedDialogs dialogs;
        gui::TMAIN window(folder.home(), folder.settingsFile(), dialogs);
        auto* line = window.findChild<QLineEdit*>(QStringLiteral("HorizLine1Edit"));
        Type(line, kEmoji);
        QCOMPARE(window.record().Preview.HorizLine1, std::string("*"));
        QVERIFY(window.statusBar()->currentMessage().contains(kEmoji));
        QCOMPARE(window.statusBar()->currentMessage(), Cp932InputGuard::RefusalMessage(kEmoji));
    }

    void displayDecodingAgreesWithTheCore() {
        // Every single byte, every two-byte sequence (alone and followed by a letter) and a
        // lead byte cut off at the end decode exactly as the core's lossless display decoding.
        auto core = [](const std::string& bytes) {
            return QString::fromStdString(Cp932ToDisplayUtf8(bytes));
        };
        std::string all;
        for (int b = 0; b < 256; ++b) {
            const std::string one(1, static_cast<char>(b));
            QCOMPARE(gui::FromCp932(one), core(one));
            for (int c = 0; c < 256; ++c)
                all += one + static_cast<char>(c) + "A";
        }
        QCOMPARE(gui::FromCp932(all), core(all));
        const std::string cut = "ok\x82";
        QCOMPARE(gui::FromCp932(cut), core(cut));
    }

    void undecodableBytesSurviveShowingAndEditing() {
        ProgramFolder folder;
        ScriptedDialogs dialogs;
        gui::TMAIN window(folder.home(), folder.settingsFile(), dialogs);
        // 0x80 and 0xFD decode to nothing in CP932; 0x82 0xA0 is a lead byte with no character.
        const std::string raw = "\x80-\xFD-\x82\xA0";
        window.record().Preview.HorizLine1 = raw;
        window.record().SectionText[introduction] = raw;
        window.previewPage()->LoadFromRecord();
        auto* line = window.findChild<QLineEdit*>(QStringLiteral("HorizLine1Edit"));
        line->end(false);
        QTest::keyClicks(line, QStringLiteral("x"));
        QCOMPARE(window.record().Preview.HorizLine1, raw + "x");

        window.previewPage()->Refresh();
        const QString shown = window.findChild<QPlainTextEdit*>(QStringLiteral("PreviewMemo"))->toPlainText();
        QVERIFY(shown.contains(gui::FromCp932(raw)));
        QCOMPARE(gui::ToCp932(shown.section(u'\n', 0, 0)),
                 std::optional<std::string>(window.composer().ReadMeLines[0]));
    }
};

QTEST_MAIN(InputGuardTest)
#include "input_guard_test.moc"
