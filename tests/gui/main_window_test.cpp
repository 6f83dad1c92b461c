// The main window: start-up, menus and their enabling, page switching, opening and saving
// projects, and the question about unsaved work.

#include "app/MAINForm.h"
#include "app/PreviewPage.h"
#include "gui_test_support.h"
#include "shell/app_settings.h"
#include "text/ini.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTabWidget>

using namespace bw;
using namespace bw::test;
using bw::gui::DialogService;
using bw::gui::TMAIN;
using Answer = DialogService::Answer;

Q_DECLARE_METATYPE(DialogService::Answer)

namespace {

struct Fixture {
    ProgramFolder folder;
    ScriptedDialogs dialogs;
    std::unique_ptr<TMAIN> window;

    Fixture() { start(); }
    void start() { window = std::make_unique<TMAIN>(folder.home(), folder.settingsFile(), dialogs); }
    QAction* action(const char* name) const { return window->findChild<QAction*>(QLatin1String(name)); }
    QMenu* menu(const char* name) const { return window->findChild<QMenu*>(QLatin1String(name)); }
    template <typename T> T* child(const char* name) const {
        return window->findChild<T*>(QLatin1String(name));
    }
    QTabWidget* pages() const { return child<QTabWidget>("PageControl1"); }
    QString preview() const { return child<QPlainTextEdit>("PreviewMemo")->toPlainText(); }

    /// Shows the window and makes it active, so that window shortcuts reach it.
    bool activate() {
        window->show();
        window->activateWindow();
        QApplication::setActiveWindow(window.get());
        return QTest::qWaitForWindowActive(window.get());
    }
    /// Opens the project file at path through the File menu.
    void open(const fs::path& path) {
        dialogs.files.push_back(Q(path));
        action("mnProjectOpen1")->trigger();
    }
};

const QString kCloseQuestion = QStringLiteral("プロジェクトが開かれています。保存しますか？\n");

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void startUpState() {
        Fixture f;
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Brindlewocket"));
        QVERIFY(!f.action("mnSave1")->isEnabled());
        QCOMPARE(f.pages()->currentIndex(), 0);
        QCOMPARE(f.pages()->currentWidget()->objectName(), QStringLiteral("TabSheet1"));
        QStringList tabs;
        for (int i = 0; i < f.pages()->count(); ++i)
            tabs << f.pages()->tabText(i);
        QCOMPARE(tabs, (QStringList{QStringLiteral("基本項目"), QStringLiteral("長文項目"),
                                    QStringLiteral("プレビュー")}));

        auto* date = f.child<QComboBox>("UpDateCmbBox");
        QVERIFY(date);
        QCOMPARE(date->count(), 2);
        QCOMPARE(date->itemText(0), gui::FromCp932(TodaySlashed()));
        QCOMPARE(date->itemText(1), gui::FromCp932(TodayKanji()));
        QCOMPARE(date->currentText(), gui::FromCp932(TodaySlashed()));
        QVERIFY(QRegularExpression(QStringLiteral("^\\d{4}年\\d{2}月\\d{2}日$"))
                    .match(date->itemText(1))
                    .hasMatch());

        QVERIFY(!f.window->record().SavePending);
        QVERIFY(f.window->close()); // nothing to save: no question
        QCOMPARE(f.dialogs.shown.size(), std::size_t(0));
    }

    void authorDefaultsApplyOnlyWithTheSwitchOn_data() {
        QTest::addColumn<QString>("read");
        QTest::addColumn<QString>("producer");
        QTest::addColumn<QString>("homePage");
        QTest::newRow("switch on, home page missing")
            << QStringLiteral("1") << QStringLiteral("山田") << QString();
        QTest::newRow("switch off") << QStringLiteral("0") << QString() << QStringLiteral("http://");
    }
    void authorDefaultsApplyOnlyWithTheSwitchOn() {
        QFETCH(QString, read);
        QFETCH(QString, producer);
        QFETCH(QString, homePage);
        Fixture f;
        WriteBytes(f.folder.settingsFile(), Sjis("[BaseSetting]\r\nProducer=山田\r\n[CreateRead]\r\nRead=" +
                                                 read.toStdString() + "\r\n"));
        f.start();
        QCOMPARE(gui::FromCp932(f.window->record().Producer), producer);
        QCOMPARE(gui::FromCp932(f.window->record().HomePage), homePage);
    }

    void ctrlSFollowsTheFileMenuRule() {
        Fixture f;
        QVERIFY(f.activate());
        fs::remove_all(f.folder.home() / "project");

        QTest::keyClick(f.window.get(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(f.dialogs.shown.size(), std::size_t(0));       // the entry is disabled: nothing runs
        QVERIFY(fs::is_directory(f.folder.home() / "project")); // the opening rule ran first

        // One binding is enough to enable the entry; the save then reports it has no project.
        f.window->record().ProjectName = "Foo";
        QTest::keyClick(f.window.get(), Qt::Key_S, Qt::ControlModifier);
        QVERIFY(f.action("mnSave1")->isEnabled());
        QCOMPARE(f.dialogs.messages().size(), std::size_t(1));
        QCOMPARE(f.dialogs.messages()[0].text, QStringLiteral("プロジェクトを開いていません"));
        QCOMPARE(f.dialogs.messages()[0].caption, QStringLiteral("えらー"));

        // Unbinding disables it again at the next shortcut.
        f.window->record().ProjectName.clear();
        QTest::keyClick(f.window.get(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(f.dialogs.messages().size(), std::size_t(1));
        QVERIFY(!f.action("mnSave1")->isEnabled());
    }

    void aFocusedControlCanOwnAMenuShortcut() {
        // The template list of the long-text page keeps Ctrl+O for its own "開く(&O)...".
        Fixture f;
        QVERIFY(f.activate());
        auto* owner = new QLineEdit(f.pages()->widget(1));
        QAction own(QStringLiteral("開く(&O)..."));
        int ownRuns = 0;
        QObject::connect(&own, &QAction::triggered, [&] { ++ownRuns; });
        f.window->setShortcutOwner(owner, QKeySequence(Qt::CTRL | Qt::Key_O), &own);
        f.pages()->setCurrentIndex(1);
        owner->setFocus();
        QTRY_VERIFY(owner->hasFocus());
        QTest::keyClick(f.window.get(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(ownRuns, 1);
        QCOMPARE(f.dialogs.shown.size(), std::size_t(0));

        f.pages()->setCurrentIndex(0); // elsewhere Ctrl+O opens a project
        f.dialogs.files.push_back(QString());
        QTest::keyClick(f.window.get(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(ownRuns, 1);
        QCOMPARE(f.dialogs.shown.at(0).kind, QStringLiteral("open"));
    }

    void viewMenuMarksThePageShown() {
        Fixture f;
        const char* entries[] = {"mnBasic1", "mnLongText1", "mnPreview1"};
        for (int page : {2, 1, 0, 2}) {
            f.pages()->setCurrentIndex(page); // by the tab, not the menu
            emit f.menu("mnShow")->aboutToShow();
            for (int k = 0; k < 3; ++k)
                QCOMPARE(f.action(entries[k])->isChecked(), k == page);
        }
        // The shortcuts show their pages and mark them.
        QVERIFY(f.activate());
        const Qt::Key keys[] = {Qt::Key_B, Qt::Key_L, Qt::Key_P};
        for (int k : {1, 2, 0}) {
            QTest::keyClick(f.window.get(), keys[k], Qt::ControlModifier);
            QCOMPARE(f.pages()->currentIndex(), k);
            QVERIFY(f.action(entries[k])->isChecked());
        }
    }

    void showingThePreviewRefreshes() {
        Fixture f;
        QVERIFY(f.preview().isEmpty());
        f.window->record().SoftName = Sjis("ソフトＡ");
        f.action("mnPreview1")->trigger();
        QVERIFY(f.preview().startsWith(QString(80, u'*')));
        QVERIFY(f.preview().contains(QStringLiteral("ソフトＡ")));
        // Leaving and coming back by the tab refreshes again.
        f.window->record().SoftName = Sjis("ソフトＢ");
        f.pages()->setCurrentIndex(0);
        QVERIFY(f.preview().contains(QStringLiteral("ソフトＡ")));
        f.pages()->setCurrentIndex(2);
        QVERIFY(f.preview().contains(QStringLiteral("ソフトＢ")));
    }

    void previewSettingTogglesTheOptionBar() {
        Fixture f;
        emit f.menu("mnSetting")->aboutToShow();
        QVERIFY(f.action("mnPreviewSetting1")->isChecked());
        f.action("mnPreviewSetting1")->trigger();
        emit f.menu("mnSetting")->aboutToShow();
        QVERIFY(!f.action("mnPreviewSetting1")->isChecked());
        QVERIFY(!f.child<QWidget>("PreviewOptionPanel")->isVisibleTo(f.window->previewPage()));
        f.action("mnPreviewSetting1")->trigger();
        emit f.menu("mnSetting")->aboutToShow();
        QVERIFY(f.action("mnPreviewSetting1")->isChecked());
    }

    void openCancelledStillRefreshes() {
        Fixture f;
        f.dialogs.files.push_back(QString());
        f.action("mnProjectOpen1")->trigger();
        const auto& shown = f.dialogs.shown.at(0);
        QCOMPARE(shown.kind, QStringLiteral("open"));
        QCOMPARE(shown.text, Q(f.folder.home() / "project") +
                                 QStringLiteral("|Brindlewocketプロジェクトファイル (*.bwk)"));
        QVERIFY(f.preview().startsWith(QString(80, u'*')));
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Brindlewocket"));
        QVERIFY(!f.window->record().SavePending);
    }

    void openRejectsAWrongFirstLine() {
        Fixture f;
        const fs::path bad = f.folder.home() / "project" / "Bad.bwk";
        WriteBytes(bad, "ProjectFile : Brindlewocket; \r\n" + std::string(17 * 2, '\n'));
        const ReadMeProject before = f.window->record();
        f.open(bad);
        QCOMPARE(f.dialogs.messages().size(), std::size_t(1));
        QCOMPARE(f.dialogs.messages()[0].text, QStringLiteral("不正ファイルの為、読み込みを中断しました。"));
        QCOMPARE(f.dialogs.messages()[0].caption, QStringLiteral("いぢるな～"));
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Brindlewocket"));
        ReadMeProject after = f.window->record();
        QVERIFY(after.SavePending); // set as soon as a file was picked
        after.SavePending = false;
        QVERIFY(after == before);
        QVERIFY(f.preview().startsWith(QString(80, u'*'))); // refreshed all the same
    }

    void openReportsMissingSections() {
        Fixture f;
        const fs::path bwk = f.folder.makeProject(
            "Foo", [](ReadMeProject& p) { p.SectionText[introduction] = Sjis("はじめの文"); });
        fs::remove(f.folder.home() / "project" / "Foo" / "インストール.dat");
        fs::remove(f.folder.home() / "project" / "Foo" / "免責.dat");
        f.open(bwk);
        QCOMPARE(f.dialogs.messages().size(), std::size_t(1));
        QCOMPARE(f.dialogs.messages()[0].text,
                 QStringLiteral(
                     "インストール\r\n免責\r\nのファイルが存在しません。このファイルは読み込みませんでした"));
        QCOMPARE(f.dialogs.messages()[0].caption, QStringLiteral("読み込みエラー"));
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Brindlewocket - [Foo]"));
        QVERIFY(f.preview().contains(QStringLiteral("はじめの文")));
    }

    void openLoadsAndRefreshes() {
        Fixture f;
        const fs::path bwk = f.folder.makeProject("Foo", [](ReadMeProject& p) {
            p.SoftName = Sjis("ぶりんどる");
            p.SectionText[howuse] = Sjis("使い方の文");
            p.Preview.HorizLine1 = "=";
        });
        f.open(bwk);
        QCOMPARE(f.dialogs.messages().size(), std::size_t(0));
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Brindlewocket - [Foo]"));
        QVERIFY(f.action("mnSave1")->isEnabled());
        QVERIFY(f.preview().startsWith(QString(80, u'=')));
        QVERIFY(f.preview().contains(QStringLiteral("ぶりんどる")));
        QVERIFY(f.preview().contains(QStringLiteral("使い方の文")));
        QCOMPARE(f.child<QLineEdit>("HorizLine1Edit")->text(), QStringLiteral("="));
        QVERIFY(f.window->record().SavePending);
    }

    void saveReportsAndClearsPendingWork() {
        Fixture f;
        f.open(f.folder.makeProject("Foo"));
        f.window->record().Version = "2.0";
        f.action("mnSave1")->trigger();
        QCOMPARE(f.dialogs.messages().back().text, QStringLiteral("　　保存しました　　  "));
        QCOMPARE(f.dialogs.messages().back().caption, QStringLiteral("情報"));
        QVERIFY(!f.window->record().SavePending);
        const IniLoad ini = LoadIniFile(f.folder.home() / "project" / "Foo" / "Foo.ini");
        QCOMPARE(ini.ini.ReadString("OneLine", "Version", ""), std::string("2.0"));
    }

    void closeQuestion_data() {
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<bool>("saveFails");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<bool>("written");
        QTest::newRow("yes saves and closes") << Answer::Yes << false << true << true;
        QTest::newRow("no closes without writing") << Answer::No << false << true << false;
        QTest::newRow("cancel stays") << Answer::Cancel << false << false << false;
        QTest::newRow("yes with a failing save stays") << Answer::Yes << true << false << false;
    }
    void closeQuestion() {
        QFETCH(Answer, answer);
        QFETCH(bool, saveFails);
        QFETCH(bool, closes);
        QFETCH(bool, written);
        Fixture f;
        f.open(f.folder.makeProject("Foo"));
        auto* line = f.child<QLineEdit>("HorizLine1Edit");
        line->selectAll();
        QTest::keyClicks(line, QStringLiteral("#+"));
        QCOMPARE(f.window->record().Preview.HorizLine1, std::string("#+"));
        const fs::path sub = f.folder.home() / "project" / "Foo";
        if (saveFails) fs::remove_all(sub); // nowhere to write the INI file
        const auto before = saveFails ? std::string() : ReadBytes(sub / "Foo.ini");

        f.dialogs.answers.push_back(answer);
        QCOMPARE(f.window->close(), closes);
        const auto question = f.dialogs.messages().at(0);
        QCOMPARE(question.text, kCloseQuestion);
        QCOMPARE(question.caption, QStringLiteral("確認"));
        QCOMPARE(question.buttons, DialogService::Buttons::YesNoCancel);
        QCOMPARE(question.icon, DialogService::Icon::Question);
        if (!saveFails) QCOMPARE(ReadBytes(sub / "Foo.ini") != before, written);
        if (saveFails) {
            QCOMPARE(f.dialogs.messages().back().caption, QStringLiteral("Brindlewocket"));
            QVERIFY(f.dialogs.messages().back().text.endsWith(QStringLiteral(" に書き込めません")));
        }
        if (!closes) {
            QVERIFY(f.window->record().SavePending);
            QCOMPARE(line->text(), QStringLiteral("#+")); // the edit is still there
        }
    }

    void anEditAfterASaveIsNotLost() {
        Fixture f;
        f.open(f.folder.makeProject("Foo"));
        f.action("mnSave1")->trigger();
        QVERIFY(!f.window->record().SavePending);
        QTest::keyClicks(f.child<QLineEdit>("HorizLine2Edit"), QStringLiteral("~"));
        QVERIFY(f.window->record().SavePending);
        f.dialogs.answers.push_back(Answer::Cancel);
        QVERIFY(!f.window->close());
        QCOMPARE(f.dialogs.messages().back().text, kCloseQuestion);
    }

    void editsWithoutAProjectAskNothing() {
        Fixture f;
        QTest::keyClicks(f.child<QLineEdit>("HorizLine2Edit"), QStringLiteral("~"));
        QVERIFY(!f.window->record().SavePending);
        QVERIFY(f.window->close());
        QCOMPARE(f.dialogs.messages().size(), std::size_t(0));
    }

    void openingAnotherProjectAsksFirst_data() {
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<bool>("saveFails");
        QTest::addColumn<bool>("opens");
        QTest::addColumn<bool>("saved");
        QTest::newRow("yes saves, then opens") << Answer::Yes << false << true << true;
        QTest::newRow("no opens without saving") << Answer::No << false << true << false;
        QTest::newRow("cancel keeps the project") << Answer::Cancel << false << false << false;
        QTest::newRow("yes with a failing save keeps the project") << Answer::Yes << true << false << false;
    }
    void openingAnotherProjectAsksFirst() {
        QFETCH(Answer, answer);
        QFETCH(bool, saveFails);
        QFETCH(bool, opens);
        QFETCH(bool, saved);
        Fixture f;
        const fs::path other = f.folder.makeProject("Bar", [](ReadMeProject& p) { p.SoftName = "Bar"; });
        f.open(f.folder.makeProject("Foo"));
        f.window->record().SoftName = "Edited";
        f.window->RecordEdited();
        if (saveFails) fs::remove_all(f.folder.home() / "project" / "Foo");

        f.dialogs.answers.push_back(answer);
        f.dialogs.files.push_back(Q(other));
        f.action("mnProjectOpen1")->trigger();
        QCOMPARE(f.dialogs.messages().at(0).text, kCloseQuestion);
        QCOMPARE(f.dialogs.files.empty(), opens); // the open dialog ran only when going on
        QCOMPARE(f.window->windowTitle(),
                 opens ? QStringLiteral("Brindlewocket - [Bar]") : QStringLiteral("Brindlewocket - [Foo]"));
        QCOMPARE(f.window->record().SoftName, std::string(opens ? "Bar" : "Edited"));
        if (!saveFails) {
            const IniLoad ini = LoadIniFile(f.folder.home() / "project" / "Foo" / "Foo.ini");
            QCOMPARE(ini.ini.ReadString("OneLine", "SoftName", "") == "Edited", saved);
        }
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
