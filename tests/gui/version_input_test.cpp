// The version dialog: what it composes, what it remembers in the project INI file (and
// nothing without a project), its arrows and key filter.

#include "controls/Cp932InputGuard.h"
#include "editing/VersionInputForm.h"
#include "gui_test_support.h"
#include "text/ini.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

using namespace bw;
namespace fs = std::filesystem;

namespace {

struct DialogFixture {
    test::ProgramFolder folder;
    test::ScriptedDialogs dialogs;
    gui::Cp932InputGuard guard;
    ReadMeProject record = StartupDefaults();

    /// Binds the record to a project INI file holding other sections already.
    fs::path bindProject() {
        record.IniPath = folder.home() / "project" / "Soft" / "Soft.ini";
        test::WriteBytes(record.IniPath, Sjis("[OneLine]\r\nSoftName=ソフト\r\n[Preview]\r\nIndent=6\r\n"));
        return record.IniPath;
    }
};

/// The six controls of a dialog, in the order of the version text.
struct Controls {
    QComboBox* prefix;
    QLineEdit* numbers[4];
    QComboBox* extra;

    explicit Controls(gui::TVersionInput& d) {
        prefix = d.findChild<QComboBox*>(QStringLiteral("VerCmbBox"));
        for (int k = 0; k < 4; ++k)
            numbers[k] = d.findChild<QLineEdit*>(QStringLiteral("VerEdit%1").arg(k + 1));
        extra = d.findChild<QComboBox*>(QStringLiteral("ExtraCmbBox"));
    }
    void set(const QString& p, const QStringList& n, const QString& e) {
        prefix->setEditText(p);
        for (int k = 0; k < 4; ++k)
            numbers[k]->setText(n[k]);
        extra->setEditText(e);
    }
    QStringList texts() const {
        return {prefix->currentText(), numbers[0]->text(), numbers[1]->text(),
                numbers[2]->text(),    numbers[3]->text(), extra->currentText()};
    }
};

void ClickOk(gui::TVersionInput& d) {
    QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("OKBtn")), Qt::LeftButton);
}

void Type(QWidget* w, const QString& text) {
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

QToolButton* Arrow(gui::TVersionInput& d, int field, const char* which) {
    return d.findChild<QWidget*>(QStringLiteral("Ver%1UpDown").arg(field))
        ->findChild<QToolButton*>(QLatin1String(which));
}

} // namespace

class VersionInputTest : public QObject {
    Q_OBJECT
  private slots:
    void composesTheVersionFromTheControls() {
        struct Case {
            const char16_t* prefix;
            QStringList numbers;
            const char16_t* extra;
            const char16_t* version;
        };
        const Case cases[] = {
            {u"ver",
             {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("0"), QStringLiteral("5")},
             u"β",
             u"ver 1.2.0.5 β"},
            {u"",
             {QStringLiteral("2"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")},
             u"",
             u"2.0.0.0"},
            {u"ver", {QString(), QStringLiteral("3"), QString(), QString()}, u"", u"ver .3"},
            {u"ver", {QString(), QString(), QString(), QString()}, u"", u"ver "},
            {u"バージョン",
             {QStringLiteral("1"), QString(), QString(), QString()},
             u"＋",
             u"バージョン 1 ＋"},
            {u"", {QString(), QString(), QString(), QString()}, u"", u""}, // replaces the old text
        };
        for (const Case& c : cases) {
            DialogFixture f;
            f.record.Version = "old";
            gui::TVersionInput d(f.record, f.dialogs, f.guard);
            Controls(d).set(QString::fromUtf16(c.prefix), c.numbers, QString::fromUtf16(c.extra));
            ClickOk(d);
            QCOMPARE(d.result(), int(QDialog::Accepted));
            QCOMPARE(f.record.Version, Sjis(QString::fromUtf16(c.version).toStdString()));
        }
    }

    void withoutAProjectItStartsEmptyAndWritesNothing() {
        DialogFixture f;
        gui::TVersionInput d(f.record, f.dialogs, f.guard);
        Controls controls(d);
        QCOMPARE(controls.texts(), (QStringList{QString(), QStringLiteral("0"), QStringLiteral("0"),
                                                QStringLiteral("0"), QStringLiteral("0"), QString()}));
        controls.set(QStringLiteral("ver"), {QStringLiteral("3"), QStringLiteral("1"), QString(), QString()},
                     QStringLiteral("α"));
        ClickOk(d);
        QCOMPARE(f.record.Version, Sjis("ver 3.1 α"));
        // Nothing was written anywhere in the program folder.
        for (const auto& entry : fs::recursive_directory_iterator(f.folder.home()))
            QVERIFY2(entry.is_directory(), entry.path().c_str());
        QVERIFY(f.dialogs.shown.empty());
    }

    void remembersTheLastInputInTheProjectIniFile() {
        DialogFixture f;
        const fs::path ini = f.bindProject();
        const std::string before = test::ReadBytes(ini);
        {
            gui::TVersionInput d(f.record, f.dialogs, f.guard);
            QCOMPARE(Controls(d).texts()[1], QStringLiteral("0")); // no key yet
            Controls(d).set(
                QStringLiteral("バージョン"),
                {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("0"), QStringLiteral("5")},
                QStringLiteral("β"));
            ClickOk(d);
        }
        const IniFile stored = LoadIniFile(ini).ini;
        QCOMPARE(stored.ReadString("VerInput", "VerCmb", "?"), Sjis("バージョン"));
        QCOMPARE(stored.ReadString("VerInput", "VerEd1", "?"), std::string("1"));
        QCOMPARE(stored.ReadString("VerInput", "VerEd2", "?"), std::string("2"));
        QCOMPARE(stored.ReadString("VerInput", "VerEd3", "?"), std::string("0"));
        QCOMPARE(stored.ReadString("VerInput", "VerEd4", "?"), std::string("5"));
        QCOMPARE(stored.ReadString("VerInput", "+alpha", "?"), Sjis("β"));
        // The project's own sections stay byte for byte.
        QVERIFY(test::ReadBytes(ini).starts_with(before));

        // "キャンセル" changes nothing; the next opening shows what the last OK stored.
        f.record.Version = "kept";
        const std::string afterOk = test::ReadBytes(ini);
        {
            gui::TVersionInput d(f.record, f.dialogs, f.guard);
            Controls(d).set(
                QStringLiteral("x"),
                {QStringLiteral("9"), QStringLiteral("9"), QStringLiteral("9"), QStringLiteral("9")},
                QStringLiteral("y"));
            QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("CancelBtn")), Qt::LeftButton);
            QCOMPARE(d.result(), int(QDialog::Rejected));
        }
        QCOMPARE(f.record.Version, std::string("kept"));
        QCOMPARE(test::ReadBytes(ini), afterOk);
        gui::TVersionInput again(f.record, f.dialogs, f.guard);
        QCOMPARE(Controls(again).texts(),
                 (QStringList{QStringLiteral("バージョン"), QStringLiteral("1"), QStringLiteral("2"),
                              QStringLiteral("0"), QStringLiteral("5"), QStringLiteral("β")}));
    }

    void aFailedWriteIsReportedAndTheVersionStillSet() {
        DialogFixture f;
        // The project folder is gone: the INI file cannot be written.
        f.record.IniPath = f.folder.home() / "project" / "Gone" / "Gone.ini";
        gui::TVersionInput d(f.record, f.dialogs, f.guard);
        Controls(d).set(QStringLiteral("ver"), {QStringLiteral("1"), QString(), QString(), QString()},
                        QString());
        ClickOk(d);
        QCOMPARE(f.record.Version, std::string("ver 1"));
        QCOMPARE(d.result(), int(QDialog::Accepted));
        const auto messages = f.dialogs.messages();
        QCOMPARE(messages.size(), std::size_t(1));
        QCOMPARE(messages[0].caption, QStringLiteral("Brindlewocket"));
        QCOMPARE(messages[0].text, test::Q(f.record.IniPath) + QStringLiteral(" に書き込めません"));
        QVERIFY(!fs::exists(f.record.IniPath.parent_path()));
    }

    void onlyTheMajorNumberFiltersItsKeys() {
        DialogFixture f;
        gui::TVersionInput d(f.record, f.dialogs, f.guard);
        Controls controls(d);
        for (QLineEdit* e : controls.numbers)
            e->clear();
        Type(controls.numbers[0], QStringLiteral("1a-.５2"));
        Type(controls.numbers[1], QStringLiteral("1a"));
        QCOMPARE(controls.numbers[0]->text(), QStringLiteral("12"));
        QCOMPARE(controls.numbers[1]->text(), QStringLiteral("1a"));
        QTest::keyClick(controls.numbers[0], Qt::Key_Backspace);
        QCOMPARE(controls.numbers[0]->text(), QStringLiteral("1"));
        ClickOk(d);
        QCOMPARE(f.record.Version, std::string("1.1a"));
    }

    void typingInTheExtraBoxOpensItsListAndGoesOnInTheBox() {
        DialogFixture f;
        gui::TVersionInput d(f.record, f.dialogs, f.guard);
        d.show();
        d.activateWindow();
        if (!QTest::qWaitForWindowActive(&d)) QSKIP("the platform gives no active window");
        QComboBox* extra = Controls(d).extra;
        extra->setFocus();
        // Keys go where the window system sends them: to the list once it is open.
        auto typeKey = [](Qt::Key key) {
            QWidget* target = QApplication::activePopupWidget() ? QApplication::activePopupWidget()
                                                                : QApplication::activeWindow();
            QTest::keyClick(target->windowHandle(), key);
        };
        typeKey(Qt::Key_A);
        QVERIFY(extra->view()->isVisible());
        typeKey(Qt::Key_B);
        typeKey(Qt::Key_C);
        typeKey(Qt::Key_Backspace);
        QCOMPARE(extra->currentText(), QStringLiteral("ab"));
        typeKey(Qt::Key_Escape);
        QTRY_VERIFY(!extra->view()->isVisible());
        QCOMPARE(extra->currentText(), QStringLiteral("ab"));
        ClickOk(d);
        QCOMPARE(f.record.Version, std::string("0.0.0.0 ab"));
    }

    void theArrowsStepWithinZeroToHundred() {
        DialogFixture f;
        gui::TVersionInput d(f.record, f.dialogs, f.guard);
        Controls controls(d);
        QLineEdit* minor = controls.numbers[1];
        struct Case {
            const char* start;
            const char* arrow; // "UpButton", "DownButton", or a key: "Up", "Down"
            const char* after;
        };
        const Case cases[] = {
            {"5", "UpButton", "6"},      {"5", "DownButton", "4"}, {"100", "UpButton", "100"},
            {"0", "DownButton", "0"},    {"7", "Up", "8"},         {"0", "Down", "0"},
            {"250", "DownButton", "99"},
        };
        for (const Case& c : cases) {
            minor->setText(QLatin1String(c.start));
            if (std::string_view(c.arrow) == "Up")
                QTest::keyClick(minor, Qt::Key_Up);
            else if (std::string_view(c.arrow) == "Down")
                QTest::keyClick(minor, Qt::Key_Down);
            else
                QTest::mouseClick(Arrow(d, 2, c.arrow), Qt::LeftButton);
            QVERIFY2(minor->text() == QLatin1String(c.after), c.start);
        }
        // A field that holds no number steps from the last number it showed.
        minor->setText(QStringLiteral("3"));
        QTest::mouseClick(Arrow(d, 2, "UpButton"), Qt::LeftButton);
        minor->setText(QStringLiteral("beta"));
        QTest::mouseClick(Arrow(d, 2, "UpButton"), Qt::LeftButton);
        QCOMPARE(minor->text(), QStringLiteral("5"));
        // Each field has its own arrows.
        QCOMPARE(controls.numbers[0]->text(), QStringLiteral("0"));
        QTest::mouseClick(Arrow(d, 4, "UpButton"), Qt::LeftButton);
        QCOMPARE(controls.numbers[3]->text(), QStringLiteral("1"));
    }
};

QTEST_MAIN(VersionInputTest)
#include "version_input_test.moc"
