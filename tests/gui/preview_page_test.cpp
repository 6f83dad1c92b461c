// The preview page: the style list and its popup, user layouts, the refresh button and the
// option fields, and how an opened project's style is shown.

#include "app/MAINForm.h"
#include "app/PreviewPage.h"
#include "controls/Beep.h"
#include "controls/WinSpinEdit.h"
#include "gui_test_support.h"
#include "text/ini.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QToolButton>

using namespace bw;
using namespace bw::test;
using bw::gui::TMAIN;

namespace {

struct Fixture {
    ProgramFolder folder;
    ScriptedDialogs dialogs;
    std::unique_ptr<TMAIN> window;

    Fixture() { window = std::make_unique<TMAIN>(folder.home(), folder.settingsFile(), dialogs); }
    template <typename T> T* child(const char* name) const {
        return window->findChild<T*>(QLatin1String(name));
    }
    QAction* action(const char* name) const { return child<QAction>(name); }
    QComboBox* styles() const { return child<QComboBox>("FormatCmb"); }
    QString preview() const { return child<QPlainTextEdit>("PreviewMemo")->toPlainText(); }
    void refresh() const { child<QPushButton>("RefreshBtn")->click(); }
    QStringList styleNames() const {
        QStringList names;
        for (int i = 0; i < styles()->count(); ++i)
            names << styles()->itemText(i);
        return names;
    }
    /// What the composer makes of the window's record with this header, as the preview shows it.
    QString composed(const HeaderChoice& header) const {
        ComposerState state;
        if (!RefreshPreview(state, window->record(), header, folder.home()).ok)
            return QStringLiteral("<failed>");
        std::string text = state.ReadMeLines.Joined("\n");
        if (!text.empty()) text.pop_back();
        return gui::FromCp932(text);
    }
    void open(const fs::path& path) {
        dialogs.files.push_back(Q(path));
        action("mnProjectOpen1")->trigger();
    }
};

const QStringList kBuiltinNames = {QStringLiteral("Tamaraskスタイル"), QStringLiteral("シンプル１"),
                                   QStringLiteral("シンプル２"), QStringLiteral("汎用（？）")};

void FillRecord(ReadMeProject& p) {
    p.SoftName = Sjis("ぶりんどる");
    p.Version = "1.2";
    p.Producer = Sjis("作者");
    p.SectionText[introduction] = Sjis("はじめの文");
}

} // namespace

class PreviewPageTest : public QObject {
    Q_OBJECT
  private slots:
    void eachBuiltinStyleBuildsItsHeader_data() {
        QTest::addColumn<int>("position");
        for (int k = 0; k < kBuiltinStyleCount; ++k)
            QTest::newRow(qPrintable(kBuiltinNames[k])) << k;
    }
    void eachBuiltinStyleBuildsItsHeader() {
        QFETCH(int, position);
        Fixture f;
        FillRecord(f.window->record());
        QCOMPARE(f.styleNames(), kBuiltinNames);
        QCOMPARE(f.styles()->currentIndex(), 0);
        f.styles()->setCurrentIndex(position);
        f.refresh();
        QCOMPARE(f.preview(), f.composed(HeaderChoice::BuiltinStyle(position)));
        QVERIFY(f.preview().contains(QStringLiteral("ぶりんどる")));
        QCOMPARE(f.window->record().Preview.Style, BuiltinStyleName(position));
        QVERIFY(!f.window->record().Preview.PopUserCheck);
    }

    void popupSwitchesBetweenBuiltinStylesAndLayouts() {
        Fixture f;
        FillRecord(f.window->record());
        f.folder.writeLayout("b.txt", "second");
        f.folder.writeLayout("A.txt", "[$HrzLine2]\n[%AppTitle] の説明書\n");
        f.folder.writeLayout(".hidden", "never listed");
        fs::create_directories(f.folder.home() / "template" / "UserLayout" / "folder");
        f.refresh();
        const QString builtin = f.preview();

        f.action("popStyleUser1")->trigger();
        QCOMPARE(f.styleNames(), (QStringList{QStringLiteral("A.txt"), QStringLiteral("b.txt")}));
        QCOMPARE(f.styles()->currentIndex(), 0);
        QVERIFY(f.action("popStyleUser1")->isChecked());
        QVERIFY(!f.action("popStyleOre1")->isChecked());
        QCOMPARE(f.preview(), builtin); // choosing a mode does not refresh
        QVERIFY(f.window->record().Preview.PopUserCheck);
        QCOMPARE(f.window->record().Preview.Style, std::string("A.txt"));

        f.refresh();
        QVERIFY(f.preview().startsWith(QString(80, u'-') + QStringLiteral("\nぶりんどる の説明書\n")));
        QCOMPARE(f.preview(), f.composed(HeaderChoice::Layout("A.txt")));

        f.styles()->setCurrentIndex(1);
        QCOMPARE(f.window->record().Preview.Style, std::string("b.txt"));
        f.action("popStyleOre1")->trigger();
        QCOMPARE(f.styleNames(), kBuiltinNames);
        QCOMPARE(f.styles()->currentIndex(), 0);
        QVERIFY(f.action("popStyleOre1")->isChecked());
        QVERIFY(!f.window->record().Preview.PopUserCheck);
        QCOMPARE(f.window->record().Preview.Style, BuiltinStyleName(0));
    }

    void anEmptyLayoutFolderBuildsNoHeader() {
        Fixture f;
        FillRecord(f.window->record());
        f.action("popStyleUser1")->trigger();
        QCOMPARE(f.styles()->count(), 0);
        QCOMPARE(f.styles()->currentIndex(), -1);
        QCOMPARE(f.window->record().Preview.Style, std::string()); // saved as an empty name
        f.refresh();
        QVERIFY(f.preview().startsWith(QStringLiteral("【　はじめに　】\n")));
        QCOMPARE(f.dialogs.messages().size(), std::size_t(0));
    }

    void aMissingLayoutFolderIsReported() {
        Fixture f;
        fs::remove_all(f.folder.home() / "template" / "UserLayout");
        f.action("popStyleUser1")->trigger();
        QCOMPARE(f.dialogs.messages().size(), std::size_t(1));
        QCOMPARE(f.dialogs.messages()[0].caption, QStringLiteral("Brindlewocket"));
        QVERIFY(f.dialogs.messages()[0].text.contains(QStringLiteral("UserLayout")));
        QCOMPARE(f.styles()->count(), 0);
        QVERIFY(f.action("popStyleUser1")->isChecked());
    }

    void aLayoutGoneSinceListingKeepsThePreview() {
        Fixture f;
        FillRecord(f.window->record());
        f.folder.writeLayout("mine.txt", "[%AppTitle]");
        f.action("popStyleUser1")->trigger();
        f.refresh();
        const QString before = f.preview();
        QVERIFY(before.startsWith(QStringLiteral("ぶりんどる\n")));

        fs::remove(f.folder.home() / "template" / "UserLayout" / "mine.txt");
        f.window->record().SectionText[introduction] = Sjis("新しい文");
        f.refresh();
        QCOMPARE(f.dialogs.messages().size(), std::size_t(1));
        QCOMPARE(f.dialogs.messages()[0].text, QStringLiteral("File not found"));
        QCOMPARE(f.dialogs.messages()[0].caption, QStringLiteral("Brindlewocket"));
        QCOMPARE(f.preview(), before);
        QCOMPARE(f.styles()->currentText(), QStringLiteral("mine.txt")); // mode and selection stay
    }

    void styleAtOpen_data() {
        QTest::addColumn<QString>("style");
        QTest::addColumn<bool>("popUser");
        QTest::addColumn<bool>("userMode");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("selected");
        const QStringList layouts = {QStringLiteral("a.txt"), QStringLiteral("Mine.txt")};
        QTest::newRow("built-in name") << QStringLiteral("シンプル２") << false << false << kBuiltinNames
                                       << QStringLiteral("シンプル２");
        QTest::newRow("unknown built-in name selects nothing")
            << QStringLiteral("Fancy") << false << false << kBuiltinNames << QString();
        QTest::newRow("existing layout")
            << QStringLiteral("Mine.txt") << true << true << layouts << QStringLiteral("Mine.txt");
        QTest::newRow("missing layout falls back to built-in, nothing selected")
            << QStringLiteral("Gone.txt") << true << false << kBuiltinNames << QString();
        QTest::newRow("layout name in built-in mode selects nothing")
            << QStringLiteral("Mine.txt") << false << false << kBuiltinNames << QString();
    }
    void styleAtOpen() {
        QFETCH(QString, style);
        QFETCH(bool, popUser);
        QFETCH(bool, userMode);
        QFETCH(QStringList, names);
        QFETCH(QString, selected);
        Fixture f;
        f.folder.writeLayout("Mine.txt", "MINE");
        f.folder.writeLayout("a.txt", "A");
        const std::string stored = Sjis(style.toStdString());
        const fs::path bwk = f.folder.makeProject("Foo", [&](ReadMeProject& p) {
            FillRecord(p);
            p.Preview.Style = stored;
            p.Preview.PopUserCheck = popUser;
        });
        // Leave the window in the other mode first, so the list must be rebuilt.
        f.action(userMode ? "popStyleOre1" : "popStyleUser1")->trigger();
        f.open(bwk);

        QCOMPARE(f.action("popStyleUser1")->isChecked(), userMode);
        QCOMPARE(f.styleNames(), names);
        QCOMPARE(f.styles()->currentText(), selected);
        QCOMPARE(f.styles()->currentIndex() < 0, selected.isEmpty());
        if (selected.isEmpty())
            QVERIFY(f.preview().startsWith(QStringLiteral("【　はじめに　】")));
        else if (userMode)
            QVERIFY(f.preview().startsWith(QStringLiteral("MINE\n")));
        else
            QCOMPARE(f.preview(), f.composed(HeaderChoice::BuiltinStyle(FindBuiltinStyle(stored))));

        // A save writes the stored name back unchanged, whatever the list could show.
        f.action("mnSave1")->trigger();
        const IniLoad ini = LoadIniFile(f.folder.home() / "project" / "Foo" / "Foo.ini");
        QCOMPARE(ini.ini.ReadString("Preview", "Style", "?"), stored);
    }

    void enterInTheOptionFieldsRefreshes() {
        Fixture f;
        f.window->record().SectionText[introduction] = "x";
        auto* left = f.child<QComboBox>("LeftBracketCmb");
        left->lineEdit()->selectAll();
        QTest::keyClicks(left->lineEdit(), QStringLiteral("<"));
        QTest::keyClick(left->lineEdit(), Qt::Key_Return);
        QVERIFY(f.preview().contains(QStringLiteral("<　はじめに　】")));
        QCOMPARE(left->count(), 4); // Enter adds nothing to the offered brackets

        auto* line = f.child<QLineEdit>("HorizLine2Edit");
        line->selectAll();
        QTest::keyClicks(line, QStringLiteral("ab"));
        QTest::keyClick(line, Qt::Key_Enter);
        QVERIFY(f.preview().contains(QString(QStringLiteral("ab")).repeated(40)));

        // The indent field keeps Enter to itself.
        auto* indent = f.child<gui::TWinSpinEdit>("IndentSpin");
        indent->setText(QStringLiteral("2"));
        const int beeps = gui::BeepCount();
        QTest::keyClick(indent, Qt::Key_Return);
        QCOMPARE(gui::BeepCount(), beeps + 1);
        QVERIFY(f.preview().contains(QStringLiteral("\n      x\n")));
    }

    void indentFieldStaysWithinRange() {
        Fixture f;
        auto* indent = f.child<gui::TWinSpinEdit>("IndentSpin");
        QCOMPARE(indent->text(), QStringLiteral("6"));
        indent->selectAll();
        QTest::keyClicks(indent, QStringLiteral("15"));
        QCOMPARE(indent->text(), QStringLiteral("10"));
        QCOMPARE(f.window->record().Preview.Indent, 10);
        const int beeps = gui::BeepCount();
        QTest::keyClick(indent, Qt::Key_X);
        QCOMPARE(gui::BeepCount(), beeps + 1);
        indent->end(false);
        QTest::keyClick(indent, Qt::Key_Backspace);
        QTest::keyClick(indent, Qt::Key_Backspace);
        QCOMPARE(indent->text(), QStringLiteral("0"));
        QCOMPARE(f.window->record().Preview.Indent, 0);
        indent->upButton()->click();
        QCOMPARE(f.window->record().Preview.Indent, 1);
    }

    void bracketsTakeAtMostThreeBytes() {
        Fixture f;
        auto* right = f.child<QComboBox>("RightBracketCmb");
        right->lineEdit()->clear();
        QTest::sendKeyEvent(QTest::Click, right->lineEdit(), Qt::Key_unknown, QStringLiteral("》"),
                            Qt::NoModifier);
        QTest::keyClicks(right->lineEdit(), QStringLiteral(">>"));
        QCOMPARE(right->currentText(), QStringLiteral("》>"));
        QCOMPARE(f.window->record().Preview.RightBracket, Sjis("》>"));
    }
};

QTEST_MAIN(PreviewPageTest)
#include "preview_page_test.moc"
