// The new-project wizard and the project management window (TNewProject), on their own and
// through the main window's File menu, in a temporary program folder.

#include "app/MAINForm.h"
#include "gui_test_support.h"
#include "project/NewProjectForm.h"
#include "text/ini.h"

#include <QAction>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeWidget>

#include <algorithm>
#include <memory>

using namespace bw;
using namespace bw::test;
using bw::gui::DialogService;
using bw::gui::TMAIN;
using bw::gui::TNewProject;
using Answer = DialogService::Answer;
using Buttons = DialogService::Buttons;

Q_DECLARE_METATYPE(DialogService::Answer)

namespace {

template <typename T> T* Child(const QObject* parent, const char* name) {
    T* w = parent->findChild<T*>(QLatin1String(name));
    if (!w) qFatal("no child %s", name);
    return w;
}

struct Fixture {
    ProgramFolder folder;
    ScriptedDialogs dialogs;
    std::unique_ptr<TMAIN> window = std::make_unique<TMAIN>(folder.home(), folder.settingsFile(), dialogs);

    fs::path projectFolder() const { return folder.folders().ProjectFolder(); }
    std::unique_ptr<TNewProject> dialog(TNewProject::Mode mode) {
        auto d = std::make_unique<TNewProject>(mode, window->pageContext(), window.get());
        d->show();
        return d;
    }
    QAction* action(const char* name) const { return Child<QAction>(window.get(), name); }
    /// Shows the main window and makes it active, so that its shortcuts reach it.
    bool activate() {
        window->show();
        window->activateWindow();
        QApplication::setActiveWindow(window.get());
        return QTest::qWaitForWindowActive(window.get());
    }
};

/// The wizard's controls by name.
struct Wizard {
    TNewProject* d;
    QTabWidget* pages() const { return Child<QTabWidget>(d, "PageControl1"); }
    int page() const { return pages()->currentIndex(); }
    QPushButton* back() const { return Child<QPushButton>(d, "BackBtn"); }
    QPushButton* go() const { return Child<QPushButton>(d, "GoBtn"); }
    QLineEdit* edit(const char* name) const { return Child<QLineEdit>(d, name); }
    QLineEdit* name() const { return edit("ProjectNameEdit"); }
    QTreeWidget* tree() const { return Child<QTreeWidget>(d, "FileTreeView"); }

    /// From page 1 to page 2 and the four inputs filled in (Japanese text goes in with
    /// setText: key clicks carry ASCII only).
    void fill(const QString& project, const QString& author, const QString& homePage,
              const QString& contact) {
        if (page() == 0) go()->click();
        name()->setText(project);
        edit("ProducerEdit")->setText(author);
        edit("HomePageEdit")->setText(homePage);
        edit("MailAdrsEdit")->setText(contact);
    }
};

/// The management window's controls by name.
struct Manager {
    TNewProject* d;
    QListWidget* list() const { return Child<QListWidget>(d, "FileListBox"); }
    QPushButton* remove() const { return Child<QPushButton>(d, "DeleteBtn"); }
    QStringList entries() const {
        QStringList out;
        for (int i = 0; i < list()->count(); ++i)
            out << list()->item(i)->text();
        return out;
    }
    void select(const QString& entry) const {
        const QList<QListWidgetItem*> found = list()->findItems(entry, Qt::MatchExactly);
        if (found.size() != 1) qFatal("no single list entry %s", qPrintable(entry));
        found.front()->setSelected(true);
    }
    bool hasSelection() const { return !list()->selectedItems().isEmpty(); }
};

/// The files below folder (relative, "/"-separated, folders marked by a trailing "/"), to
/// see that nothing else changed.
QStringList Tree(const fs::path& folder) {
    QStringList out;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(folder, ec), end; it != end; it.increment(ec)) {
        QString rel = QString::fromStdString(fs::relative(it->path(), folder).generic_string());
        if (it->is_directory()) rel += QLatin1Char('/');
        out << rel;
    }
    out.sort();
    return out;
}

const QString kEnterName = QStringLiteral("プロジェクト名を入力して下さい");
const QString kBadCharacters =
    QStringLiteral("プロジェクト名に　 \\ / : * ? \" < > |  の文字は使用しないで下さい");
const QString kDotName = QStringLiteral("「.」や「..」はプロジェクト名として使用できません");
const QString kExists = QStringLiteral("既に同名のプロジェクトが存在します。上書きして宜しいですか？");
const QString kCreateFailed = QStringLiteral("失敗しました。。。\r\n"
                                             "ここのエラーは予定外なので作者に連絡を取って下さい\r\n"
                                             "　　(予定外ならこんなダイアログ作るなよ...)");

/// The 14 section file names, "はじめに.dat" to "その他３.dat", as UTF-8 names on disk.
std::vector<std::string> SectionFiles() {
    std::vector<std::string> out;
    for (int k = 0; k < kSectionCount; ++k)
        out.push_back(*Cp932ToUtf8(SectionCaption(k) + ".dat"));
    return out;
}

/// The files of a project "Foo" in the project folder, as Tree lists them.
QStringList ProjectFooFiles() {
    QStringList out{QStringLiteral("Foo.bwk"), QStringLiteral("Foo/"), QStringLiteral("Foo/Foo.ini")};
    for (const std::string& s : SectionFiles())
        out << QStringLiteral("Foo/") + QString::fromStdString(s);
    return out;
}

} // namespace

class NewProjectTest : public QObject {
    Q_OBJECT
  private slots:
    // ---- The wizard on its own ------------------------------------------------------------

    void wizardWindowAndFirstPage() {
        Fixture f;
        auto d = f.dialog(TNewProject::Mode::NewProject);
        Wizard w{d.get()};
        QCOMPARE(d->windowTitle(), QStringLiteral("新規プロジェクト"));
        QCOMPARE(d->minimumSize(), d->maximumSize());
        QVERIFY(!(d->windowFlags() & (Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint |
                                      Qt::WindowContextHelpButtonHint)));
        // Three pages without tabs, and no management page.
        QCOMPARE(w.pages()->count(), 3);
        QVERIFY(!w.pages()->tabBar()->isVisible());
        QVERIFY(!d->findChild<QListWidget*>());

        QCOMPARE(w.page(), 0);
        QVERIFY(!w.back()->isEnabled());
        QCOMPARE(w.go()->text(), QStringLiteral(">>"));
        auto* intro = Child<QPlainTextEdit>(d.get(), "IntroMemo");
        QVERIFY(intro->isReadOnly());
        QCOMPARE(intro->toPlainText().split(QLatin1Char('\n')),
                 (QStringList{
                     QStringLiteral("はじめに"),
                     QStringLiteral("￣￣￣￣"),
                     QStringLiteral("このReadMeプロジェクトではReadMe.txtファイルを意味不明("),
                     QStringLiteral("？)な方法で管理します。"),
                     QStringLiteral("このプロジェクトファイルはアプリケーションのあるフォルダ直"),
                     QStringLiteral("下のprojectフォルダに保存されます。"),
                     QString(),
                     QStringLiteral("※ 注 意"),
                     QStringLiteral("￣￣￣￣"),
                     QStringLiteral("不毛な数のテキストファイルを生成します。"),
                     QStringLiteral("削除する際はプロジェクトファイル（*.bwk）と、プロジェクト名と"),
                     QStringLiteral("同名のフォルダを削除してください。違うファイルを削除した際"),
                     QStringLiteral("の動作は保障しません。"),
                 }));
    }

    void wizardInputPage() {
        Fixture f;
        // The wizard takes nothing from the record or the author's defaults.
        f.window->record().Producer = Sjis("既定の作者");
        f.window->record().HomePage = "http://default.example/";
        auto d = f.dialog(TNewProject::Mode::NewProject);
        Wizard w{d.get()};
        w.go()->click();
        QCOMPARE(w.page(), 1);
        QVERIFY(w.back()->isEnabled());
        QCOMPARE(d->focusWidget(), w.name());

        const struct {
            const char* edit;
            QString label, hint, initial;
        } inputs[] = {
            {"ProjectNameEdit",
             QStringLiteral("プロジェクト（ソフト）名(&P)"),
             QStringLiteral("ソフト名推奨"),
             {}},
            {"ProducerEdit",
             QStringLiteral("作者名(&D)"),
             QStringLiteral("ニックネームでいいんじゃない？"),
             {}},
            {"HomePageEdit", QStringLiteral("ホームページ(&H)"), QStringLiteral("なけりゃ配布サイトでも..."),
             QStringLiteral("http://")},
            {"MailAdrsEdit", QStringLiteral("連絡先(&M)"), QStringLiteral("メールアドレスが妥当かな"), {}},
        };
        for (const auto& in : inputs) {
            QLineEdit* edit = w.edit(in.edit);
            QCOMPARE(edit->text(), in.initial);
            QCOMPARE(edit->toolTip(), in.hint);
            QLabel* label = nullptr;
            for (QLabel* l : d->findChildren<QLabel*>())
                if (l->buddy() == edit) label = l;
            QVERIFY2(label, in.edit);
            QCOMPARE(label->text(), in.label);
        }
        auto* ext = Child<QLabel>(d.get(), "ExtLabel");
        QCOMPARE(ext->text(), QStringLiteral(".bwk"));
        QCOMPARE(ext->toolTip(), QStringLiteral("勝手な拡張子：Brindlewocketでbwk"));
        QCOMPARE(ext->cursor().shape(), Qt::WhatsThisCursor);

        // Entering the home page puts the caret behind "http://" with nothing selected.
        QLineEdit* home = w.edit("HomePageEdit");
        QFocusEvent tabbedInto(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(home, &tabbedInto);
        QVERIFY(!home->hasSelectedText());
        QCOMPARE(home->cursorPosition(), 7);

        // The name holds at most 99 bytes.
        QTest::sendKeyEvent(QTest::Click, w.name(), Qt::Key_unknown, QString(49, QChar(u'ソ')),
                            Qt::NoModifier);
        QTest::keyClicks(w.name(), QStringLiteral("ab"));
        QCOMPARE(w.name()->text(), QString(49, QChar(u'ソ')) + QStringLiteral("a"));
    }

    void wizardNavigationAndTree() {
        Fixture f;
        auto d = f.dialog(TNewProject::Mode::NewProject);
        Wizard w{d.get()};
        w.fill(QStringLiteral("ソフト"), QStringLiteral("作者"), QStringLiteral("http://"), QString());
        w.go()->click();
        QCOMPARE(w.page(), 2);
        QCOMPARE(w.go()->text(), QStringLiteral("設定完了"));
        QVERIFY(w.back()->isEnabled());

        // The tree of what will be created, fully expanded, rooted at the project folder.
        QCOMPARE(w.tree()->topLevelItemCount(), 1);
        QTreeWidgetItem* root = w.tree()->topLevelItem(0);
        QCOMPARE(root->text(0), Q(f.projectFolder()) + QStringLiteral("/"));
        QCOMPARE(root->childCount(), 2);
        QCOMPARE(root->child(0)->text(0), QStringLiteral("ソフト.bwk"));
        QTreeWidgetItem* folder = root->child(1);
        QCOMPARE(folder->text(0), QStringLiteral("ソフト/"));
        QStringList files;
        for (int i = 0; i < folder->childCount(); ++i)
            files << folder->child(i)->text(0);
        QStringList expected{QStringLiteral("ソフト.ini")};
        for (const std::string& s : SectionFiles())
            expected << QString::fromStdString(s);
        QCOMPARE(files, expected);
        QCOMPARE(expected.size(), 15);
        QCOMPARE(expected.back(), QStringLiteral("その他３.dat"));
        QVERIFY(root->isExpanded() && folder->isExpanded());

        // Back turns Go's caption back; the tree follows a changed name.
        w.back()->click();
        QCOMPARE(w.page(), 1);
        QCOMPARE(w.go()->text(), QStringLiteral(">>"));
        w.name()->setText(QStringLiteral("Other"));
        w.go()->click();
        QCOMPARE(w.tree()->topLevelItem(0)->child(0)->text(0), QStringLiteral("Other.bwk"));
        QCOMPARE(w.tree()->topLevelItem(0)->childCount(), 2);
        w.back()->click();
        w.back()->click();
        QCOMPARE(w.page(), 0);
        QVERIFY(!w.back()->isEnabled());

        // Looking creates nothing.
        QVERIFY(Tree(f.projectFolder()).isEmpty());
        QVERIFY(f.dialogs.messages().empty());
    }

    void nameChecks_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("existing"); // "folder", "file" (project file only) or ""
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("nameAfter");
        QTest::addColumn<QString>("selected");
        const QString err = QStringLiteral("えら～");
        const QString info = QStringLiteral("じょーほー");
        const QString none;
        QTest::newRow("blank") << QStringLiteral(" \t  ") << none << Answer::Ok << 1 << kEnterName << err
                               << none << none;
        QTest::newRow("a?b:c? selects the colon")
            << QStringLiteral("a?b:c?") << none << Answer::Ok << 1 << kBadCharacters << err
            << QStringLiteral("a?b:c?") << QStringLiteral(":");
        QTest::newRow("trimmed first, then checked")
            << QStringLiteral("  ソフト<ウェア>  ") << none << Answer::Ok << 1 << kBadCharacters << err
            << QStringLiteral("ソフト<ウェア>") << QStringLiteral(">");
        QTest::newRow("ソ's second byte is no backslash")
            << QStringLiteral("ソフト") << none << Answer::Ok << 2 << none << none << QStringLiteral("ソフト")
            << none;
        QTest::newRow("trim put back") << QStringLiteral("  Foo \t") << none << Answer::Ok << 2 << none
                                       << none << QStringLiteral("Foo") << none;
        QTest::newRow("full-width space kept") << QStringLiteral("　Foo") << none << Answer::Ok << 2 << none
                                               << none << QStringLiteral("　Foo") << none;
        QTest::newRow("dot") << QStringLiteral(".") << none << Answer::Ok << 1 << kDotName << err
                             << QStringLiteral(".") << none;
        QTest::newRow("dot dot") << QStringLiteral(" .. ") << none << Answer::Ok << 1 << kDotName << err
                                 << QStringLiteral("..") << none;
        QTest::newRow("existing folder, Cancel stays")
            << QStringLiteral("Foo") << QStringLiteral("folder") << Answer::Cancel << 1 << kExists << info
            << QStringLiteral("Foo") << none;
        QTest::newRow("existing folder, OK goes on")
            << QStringLiteral("Foo") << QStringLiteral("folder") << Answer::Ok << 2 << kExists << info
            << QStringLiteral("Foo") << none;
        QTest::newRow("project file without its folder asks nothing")
            << QStringLiteral("Foo") << QStringLiteral("file") << Answer::Ok << 2 << none << none
            << QStringLiteral("Foo") << none;
    }

    void nameChecks() {
        QFETCH(QString, typed);
        QFETCH(QString, existing);
        QFETCH(Answer, answer);
        QFETCH(int, page);
        QFETCH(QString, message);
        QFETCH(QString, caption);
        QFETCH(QString, nameAfter);
        QFETCH(QString, selected);
        Fixture f;
        if (existing == QStringLiteral("folder")) fs::create_directories(f.projectFolder() / "Foo");
        if (existing == QStringLiteral("file"))
            WriteBytes(f.projectFolder() / "Foo.bwk", ProjectFileText("Foo"));
        f.dialogs.answers.push_back(answer);
        auto d = f.dialog(TNewProject::Mode::NewProject);
        Wizard w{d.get()};
        w.fill(typed, QString(), QStringLiteral("http://"), QString());
        w.go()->click();

        QCOMPARE(w.page(), page);
        QCOMPARE(w.name()->text(), nameAfter);
        const auto shown = f.dialogs.messages();
        if (message.isEmpty()) {
            QVERIFY(shown.empty());
        } else {
            QCOMPARE(shown.size(), size_t(1));
            QCOMPARE(shown[0].text, message);
            QCOMPARE(shown[0].caption, caption);
            QCOMPARE(shown[0].buttons, message == kExists ? Buttons::OkCancel : Buttons::Ok);
        }
        if (page == 1) QCOMPARE(d->focusWidget(), w.name());
        QCOMPARE(w.name()->selectedText(), selected);
        if (!selected.isEmpty()) QCOMPARE(w.name()->selectionStart(), nameAfter.indexOf(selected));
        // Checking creates nothing.
        const QStringList before = existing == QStringLiteral("folder") ? QStringList{QStringLiteral("Foo/")}
                                   : existing == QStringLiteral("file")
                                       ? QStringList{QStringLiteral("Foo.bwk")}
                                       : QStringList{};
        QCOMPARE(Tree(f.projectFolder()), before);
    }

    // ---- Creation, through the File menu ----------------------------------------------------

    void createdWithCtrlN() {
        Fixture f;
        ReadMeProject& r = f.window->record();
        r.Version = "1.0";
        r.SectionText[howuse] = Sjis("使い方\r\n");
        QVERIFY(f.activate());
        bool seen = false;
        WhenModal<TNewProject>([&](TNewProject* d) {
            seen = true;
            Wizard w{d};
            w.fill(QStringLiteral("ソフト"), QStringLiteral("山田"), QStringLiteral("http://x.example/"),
                   QStringLiteral("a@b.example"));
            w.go()->click();
            w.go()->click();
        });
        QTest::keyClick(f.window.get(), Qt::Key_N, Qt::ControlModifier);
        QVERIFY(seen);
        QVERIFY(f.dialogs.messages().empty());

        // On disk: the folder (the name's ソ is one character, not a separator), 14 empty
        // section files, the project file and the INI file with the four keys.
        const fs::path folder = f.projectFolder() / "ソフト";
        QStringList expected{QStringLiteral("ソフト.bwk"), QStringLiteral("ソフト/"),
                             QStringLiteral("ソフト/ソフト.ini")};
        for (const std::string& s : SectionFiles()) {
            expected << QStringLiteral("ソフト/") + QString::fromStdString(s);
            QCOMPARE(fs::file_size(folder / s), std::uintmax_t(0));
        }
        expected.sort();
        QCOMPARE(Tree(f.projectFolder()), expected);

        const std::string name = Sjis("ソフト");
        std::string bwk = "ProjectFile : Brindlewocket;\r\n\r\n" + name + "\\" + name + ".ini\r\n\r\n";
        for (int k = 0; k < kSectionCount; ++k)
            bwk += name + "\\" + SectionCaption(k) + ".dat\r\n";
        QCOMPARE(ReadBytes(f.projectFolder() / "ソフト.bwk"), bwk);
        QCOMPARE(int(std::count(bwk.begin(), bwk.end(), '\n')), 18);

        const IniFile ini(ReadBytes(folder / "ソフト.ini"));
        QCOMPARE(ini.Value("OneLine", "SoftName"), std::optional(name));
        QCOMPARE(ini.Value("OneLine", "Producer"), std::optional(Sjis("山田")));
        QCOMPARE(ini.Value("OneLine", "HomePage"), std::optional(std::string("http://x.example/")));
        QCOMPARE(ini.Value("OneLine", "Mailadrs"), std::optional(std::string("a@b.example")));
        QVERIFY(!ini.Value("OneLine", "Version"));

        // The window names the project and shows the new facts; the record keeps the rest.
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Brindlewocket - [ソフト]"));
        QCOMPARE(Child<QLineEdit>(f.window.get(), "SoftTitleEdit")->text(), QStringLiteral("ソフト"));
        QCOMPARE(Child<QLineEdit>(f.window.get(), "ProducerEdit")->text(), QStringLiteral("山田"));
        QCOMPARE(Child<QLineEdit>(f.window.get(), "HomePageEdit")->text(),
                 QStringLiteral("http://x.example/"));
        QCOMPARE(Child<QLineEdit>(f.window.get(), "MailAdrsEdit")->text(), QStringLiteral("a@b.example"));
        QVERIFY(r.SavePending);
        QCOMPARE(r.Version, std::string("1.0"));
        QCOMPARE(r.SectionText[howuse], Sjis("使い方\r\n"));
        QCOMPARE(r.IniPath, folder / "ソフト.ini");
        QCOMPARE(r.SectionPath[other3], folder / "その他３.dat");

        // A save now writes the open project where the wizard put it.
        f.action("mnSave1")->trigger();
        QCOMPARE(ReadBytes(folder / SectionFiles()[howuse]), Sjis("使い方\r\n"));
    }

    void createdOverAnExistingProject() {
        Fixture f;
        f.folder.makeProject("Foo", [](ReadMeProject& p) {
            p.Version = "2.0";
            p.SectionText[introduction] = "old intro\r\n";
        });
        const fs::path ini = f.projectFolder() / "Foo" / "Foo.ini";
        WriteBytes(ini, ReadBytes(ini) + "[Mine]\r\nKey=kept\r\n");
        WriteBytes(f.projectFolder() / "Foo.bwk", "ProjectFile : Brindlewocket;\r\nstale\r\n");
        f.window->record().SectionText[introduction] = "shown\r\n";

        f.dialogs.answers.push_back(Answer::Ok);
        WhenModal<TNewProject>([](TNewProject* d) {
            Wizard w{d};
            w.fill(QStringLiteral("Foo"), QStringLiteral("new"), QStringLiteral("http://n.example/"),
                   QStringLiteral("n@n"));
            w.go()->click();
            w.go()->click();
        });
        f.action("mnNewProject1")->trigger();
        QCOMPARE(f.dialogs.messages().size(), size_t(1));
        QCOMPARE(f.dialogs.messages()[0].text, kExists);

        QCOMPARE(fs::file_size(f.projectFolder() / "Foo" / SectionFiles()[introduction]), std::uintmax_t(0));
        QCOMPARE(ReadBytes(f.projectFolder() / "Foo.bwk"), ProjectFileText("Foo"));
        const IniFile after(ReadBytes(ini));
        QCOMPARE(after.Value("OneLine", "SoftName"), std::optional(std::string("Foo")));
        QCOMPARE(after.Value("OneLine", "Producer"), std::optional(std::string("new")));
        QCOMPARE(after.Value("OneLine", "HomePage"), std::optional(std::string("http://n.example/")));
        QCOMPARE(after.Value("OneLine", "Mailadrs"), std::optional(std::string("n@n")));
        QCOMPARE(after.Value("OneLine", "Version"), std::optional(std::string("2.0")));
        QCOMPARE(after.Value("OneLine", "WriteOrder11"), std::optional(BasicItemCaption(10)));
        QCOMPARE(after.Value("Preview", "Indent"), std::optional(std::string("6")));
        QCOMPARE(after.Value("Mine", "Key"), std::optional(std::string("kept")));
        // The window keeps its section texts until they are saved over the emptied files.
        QCOMPARE(f.window->record().SectionText[introduction], std::string("shown\r\n"));
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Brindlewocket - [Foo]"));
    }

    void failureWhenTheProjectFolderIsMissing() {
        Fixture f;
        WhenModal<TNewProject>([&](TNewProject* d) {
            Wizard w{d};
            w.fill(QStringLiteral("Foo"), QStringLiteral("me"), QStringLiteral("http://"), QString());
            w.go()->click();
            fs::remove_all(f.projectFolder());
            w.go()->click();
        });
        f.action("mnNewProject1")->trigger();

        const auto shown = f.dialogs.messages();
        QCOMPARE(shown.size(), size_t(1));
        QCOMPARE(shown[0].text, kCreateFailed);
        QCOMPARE(shown[0].caption, QStringLiteral("原因不明のエラ～"));
        QCOMPARE(shown[0].buttons, Buttons::Ok);
        QVERIFY(!fs::exists(f.projectFolder()));
        QVERIFY(!QApplication::activeModalWidget());
        // Nothing was bound; the wizard still leaves unsaved work behind as it always does.
        const ReadMeProject& r = f.window->record();
        QVERIFY(r.ProjectName.empty() && r.IniPath.empty() && r.SectionPath[introduction].empty());
        QVERIFY(r.SavePending);
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Brindlewocket"));
    }

    void unsavedWorkIsAskedAboutFirst_data() {
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<bool>("wizardOpens");
        QTest::newRow("キャンセル keeps the project") << Answer::Cancel << false;
        QTest::newRow("いいえ goes on") << Answer::No << true;
    }

    void unsavedWorkIsAskedAboutFirst() {
        QFETCH(Answer, answer);
        QFETCH(bool, wizardOpens);
        Fixture f;
        const fs::path bwk = f.folder.makeProject("Open");
        f.dialogs.files.push_back(Q(bwk));
        f.action("mnProjectOpen1")->trigger();
        QVERIFY(f.window->record().SavePending);
        const ReadMeProject before = f.window->record();
        const std::size_t shownBefore = f.dialogs.messages().size();

        f.dialogs.answers.push_back(answer);
        bool opened = false;
        // The wizard is closed with its close box: nothing is created, nothing changes.
        const QPointer<QTimer> wait = WhenModal<TNewProject>([&](TNewProject* d) {
            opened = true;
            d->reject();
        });
        f.action("mnNewProject1")->trigger();
        if (wait && wait->isActive()) delete wait; // still waiting: no wizard came

        const auto shown = f.dialogs.messages();
        QCOMPARE(shown.size(), shownBefore + 1);
        QCOMPARE(shown.back().caption, QStringLiteral("確認"));
        QCOMPARE(opened, wizardOpens);
        QVERIFY(f.window->record() == before);
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Brindlewocket - [Open]"));
        QCOMPARE(Tree(f.projectFolder()).size(), 17);
    }

    // ---- The management window ------------------------------------------------------------

    void managementWindow() {
        Fixture f;
        f.folder.makeProject("Foo");
        WriteBytes(f.projectFolder() / "memo.txt", "memo");
        fs::create_directories(f.projectFolder() / "Folder.bwk");
        WhenModal<TNewProject>([](TNewProject* d) {
            Manager m{d};
            QCOMPARE(d->windowTitle(), QStringLiteral("プロジェクトファイルの管理"));
            QCOMPARE(d->minimumSize(), d->maximumSize());
            QVERIFY(!d->findChild<QPushButton*>(QStringLiteral("BackBtn")));
            QVERIFY(!d->findChild<QPushButton*>(QStringLiteral("GoBtn")));
            auto* pages = Child<QTabWidget>(d, "PageControl1");
            QCOMPARE(pages->count(), 1);
            QCOMPARE(pages->tabText(0), QStringLiteral("削除"));
            QVERIFY(!pages->tabBar()->isVisible());
            // Plain files of the project folder only, sorted by name.
            QCOMPARE(m.entries(), (QStringList{QStringLiteral("Foo.bwk"), QStringLiteral("memo.txt")}));
            QVERIFY(!m.remove()->isEnabled());
            m.select(QStringLiteral("memo.txt"));
            QVERIFY(m.remove()->isEnabled());
            Child<QPushButton>(d, "CloseBtn")->click();
        });
        f.action("mnProjectManage1")->trigger();
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(f.dialogs.shown.empty());
    }

    void deletion_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("setup");
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<QStringList>("left");   // what stays in the project folder
        QTest::addColumn<QStringList>("listed"); // the list afterwards
        QTest::addColumn<bool>("selectionStays");
        const QStringList project = ProjectFooFiles();
        QTest::newRow("はい deletes the project")
            << QStringLiteral("Foo.bwk") << QString() << Answer::Yes
            << QStringList{QStringLiteral("memo.txt")} << QStringList{QStringLiteral("memo.txt")} << false;
        QTest::newRow("いいえ deletes nothing")
            << QStringLiteral("Foo.bwk") << QString() << Answer::No
            << (project + QStringList{QStringLiteral("memo.txt")})
            << QStringList{QStringLiteral("Foo.bwk"), QStringLiteral("memo.txt")} << true;
        QTest::newRow("a user file keeps the folder and the project file")
            << QStringLiteral("Foo.bwk") << QStringLiteral("userfile") << Answer::Yes
            << QStringList{QStringLiteral("Foo.bwk"), QStringLiteral("Foo/"), QStringLiteral("Foo/mine.txt"),
                           QStringLiteral("memo.txt")}
            << QStringList{QStringLiteral("Foo.bwk"), QStringLiteral("memo.txt")} << false;
        QTest::newRow("a file that is no project deletes nothing")
            << QStringLiteral("memo.txt") << QString() << Answer::Yes
            << (project + QStringList{QStringLiteral("memo.txt")})
            << QStringList{QStringLiteral("Foo.bwk"), QStringLiteral("memo.txt")} << false;
    }

    void deletion() {
        QFETCH(QString, entry);
        QFETCH(QString, setup);
        QFETCH(Answer, answer);
        QFETCH(QStringList, left);
        QFETCH(QStringList, listed);
        QFETCH(bool, selectionStays);
        Fixture f;
        f.folder.makeProject("Foo");
        WriteBytes(f.projectFolder() / "memo.txt", "ProjectFile : Brindlewocket\r\n\r\nFoo\\Foo.ini\r\n");
        if (setup == QStringLiteral("userfile")) WriteBytes(f.projectFolder() / "Foo" / "mine.txt", "mine");
        left.sort();

        auto d = f.dialog(TNewProject::Mode::Manage);
        Manager m{d.get()};
        m.select(entry);
        f.dialogs.answers.push_back(answer);
        m.remove()->click();

        const auto shown = f.dialogs.messages();
        QCOMPARE(shown.size(), size_t(1));
        QCOMPARE(shown[0].caption, QStringLiteral("確認"));
        QCOMPARE(shown[0].buttons, Buttons::YesNo);
        QCOMPARE(Tree(f.projectFolder()), left);
        QCOMPARE(m.entries(), listed);
        QCOMPARE(m.hasSelection(), selectionStays);
        QCOMPARE(m.remove()->isEnabled(), selectionStays);

        if (setup == QStringLiteral("userfile")) {
            // Deleting it again changes nothing more.
            m.select(entry);
            f.dialogs.answers.push_back(Answer::Yes);
            m.remove()->click();
            QCOMPARE(Tree(f.projectFolder()), left);
            QVERIFY(!m.hasSelection());
        }
    }

    void deletionConfirmationNamesTheProject() {
        Fixture f;
        f.folder.makeProject("Foo");
        auto d = f.dialog(TNewProject::Mode::Manage);
        Manager m{d.get()};
        m.select(QStringLiteral("Foo.bwk"));
        f.dialogs.answers.push_back(Answer::No);
        m.remove()->click();
        QCOMPARE(f.dialogs.messages().at(0).text,
                 QStringLiteral("プロジェクト：Foo を削除します。\r\n一旦削除すると元には戻せません。\r\n\r\n"
                                "　よろしいですか？\r\n"));
    }

    void craftedPathLinesDeleteNothing() {
        Fixture f;
        f.folder.makeProject("Foo");
        // Right first line, but path lines reaching out of the project folder.
        WriteBytes(f.folder.home() / "victim.txt", "precious");
        WriteBytes(f.projectFolder() / "Evil.bwk",
                   "ProjectFile : Brindlewocket;\r\n\r\n..\\victim.txt\r\n\r\nFoo\\Foo.ini\r\n");
        const QStringList before = Tree(f.folder.home());
        auto d = f.dialog(TNewProject::Mode::Manage);
        Manager m{d.get()};
        m.select(QStringLiteral("Evil.bwk"));
        f.dialogs.answers.push_back(Answer::Yes);
        m.remove()->click();
        QCOMPARE(Tree(f.folder.home()), before);
        QCOMPARE(f.dialogs.messages().size(), size_t(1));
        QVERIFY(!m.hasSelection());
    }

    void fileGoneSinceListedIsReported() {
        Fixture f;
        f.folder.makeProject("Foo");
        auto d = f.dialog(TNewProject::Mode::Manage);
        Manager m{d.get()};
        m.select(QStringLiteral("Foo.bwk"));
        fs::remove(f.projectFolder() / "Foo.bwk");
        f.dialogs.answers.push_back(Answer::Yes);
        m.remove()->click();
        const auto shown = f.dialogs.messages();
        QCOMPARE(shown.size(), size_t(2));
        QCOMPARE(shown[1].caption, QStringLiteral("Brindlewocket"));
        QCOMPARE(shown[1].text, QStringLiteral("ファイル ") + Q(f.projectFolder() / "Foo.bwk") +
                                    QStringLiteral(" は開けません"));
        // The project's other files are untouched.
        QCOMPARE(Tree(f.projectFolder() / "Foo").size(), 15);
    }

    void deletingTheOpenProjectKeepsTheRecord() {
        Fixture f;
        const fs::path bwk = f.folder.makeProject("Foo");
        f.dialogs.files.push_back(Q(bwk));
        f.action("mnProjectOpen1")->trigger();
        const ReadMeProject before = f.window->record();
        f.dialogs.answers.push_back(Answer::Yes);
        WhenModal<TNewProject>([](TNewProject* d) {
            Manager m{d};
            m.select(QStringLiteral("Foo.bwk"));
            m.remove()->click();
            QVERIFY(m.entries().isEmpty());
            d->reject();
        });
        QVERIFY(f.activate());
        QTest::keyClick(f.window.get(), Qt::Key_M, Qt::ControlModifier);
        QVERIFY(Tree(f.projectFolder()).isEmpty());
        QVERIFY(f.window->record() == before);
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Brindlewocket - [Foo]"));
    }
};

QTEST_MAIN(NewProjectTest)
#include "test_new_project.moc"
