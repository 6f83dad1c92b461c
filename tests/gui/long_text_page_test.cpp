// The long-text page inside the main window: the section list and pages, the editors and
// their link to the record, the template list with its popup, the operating-environment
// phrase and the history dialog.

#include "app/MAINForm.h"
#include "controls/Fonts.h"
#include "editing/InputHistoryForm.h"
#include "editing/LongTextPage.h"
#include "editing/SectionEditor.h"
#include "editing/TemplateListBox.h"
#include "editing/templates.h"
#include "gui_test_support.h"
#include "text/ini.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDesktopServices>
#include <QFontInfo>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QToolButton>
#include <QUrl>

using namespace bw;
using namespace bw::test;
using bw::gui::TInputHistory;
using bw::gui::TLongTextPage;
using bw::gui::TMAIN;
using bw::gui::TSectionEditor;
using bw::gui::TTemplateListBox;

namespace {

/// Japanese (or any) text typed key by key into whatever has the focus, else into w.
void Type(QWidget* w, const QString& text) {
    for (const QChar c : text) {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : w;
        QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

void PressEnter(QWidget* w) {
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : w;
    QTest::keyClick(target, Qt::Key_Return);
}

struct Fixture {
    ProgramFolder folder;
    ScriptedDialogs dialogs;
    std::unique_ptr<TMAIN> window;

    Fixture() {
        // Two templates for every section folder, one more in other/.
        for (const char* sub : {"introduction", "install", "uninstall", "files", "operate", "development",
                                "howuse", "copyright", "reproduce", "ESCclause", "history", "other"}) {
            writeTemplate(sub, "a.txt", "A of " + std::string(sub));
            writeTemplate(sub, "b.txt", "B of " + std::string(sub));
        }
        window = std::make_unique<TMAIN>(folder.home(), folder.settingsFile(), dialogs);
        window->findChild<QTabWidget*>(QStringLiteral("PageControl1"))->setCurrentIndex(1);
    }

    fs::path templates() const { return folder.home() / "template"; }
    void writeTemplate(const std::string& sub, const std::string& name, const std::string& utf8) const {
        WriteBytes(templates() / sub / name, Sjis(utf8));
    }

    TLongTextPage* page() const { return window->longTextPage(); }
    ReadMeProject& record() const { return window->record(); }
    TTemplateListBox* list() const { return page()->templateList(); }
    QListWidget* sections() const { return page()->sectionList(); }
    TSectionEditor* editor(int k) const { return page()->editor(k); }
    template <typename T> T* child(const char* name) const {
        return window->findChild<T*>(QLatin1String(name));
    }
    QAction* popupEntry(const char* name) const { return list()->findChild<QAction*>(QLatin1String(name)); }
    /// Chooses a popup entry the way the menu does: its enabling is worked out first.
    void popupRun(const char* name) const {
        list()->LWTemplatePopupPopup();
        popupEntry(name)->trigger();
    }

    void select(int section) const { sections()->setCurrentRow(section); }
    QString shownPage() const { return child<QStackedWidget>("SectionPages")->currentWidget()->objectName(); }
    QStringList listed() const {
        QStringList names;
        for (int i = 0; i < list()->count(); ++i)
            names << list()->item(i)->text();
        return names;
    }
    void pickTemplate(const QString& name) const {
        const auto found = list()->findItems(name, Qt::MatchExactly);
        QVERIFY2(!found.isEmpty(), qPrintable(name));
        list()->setCurrentItem(found.front());
    }
    QString section(int k) const { return gui::FromCp932(record().SectionText[static_cast<std::size_t>(k)]); }

    bool activate() {
        window->show();
        window->activateWindow();
        QApplication::setActiveWindow(window.get());
        return QTest::qWaitForWindowActive(window.get());
    }
    /// Creates, saves and opens a project, so that IniPath is set.
    void openProject(const std::function<void(ReadMeProject&)>& edit = {}) {
        dialogs.files.push_back(Q(folder.makeProject("Foo", edit)));
        child<QAction>("mnProjectOpen1")->trigger();
        dialogs.shown.clear();
    }
};

/// What the editor's field would be if the whole document were encoded afresh.
std::string FullEncoding(const QPlainTextEdit* e) {
    QString joined;
    for (QTextBlock b = e->document()->begin(); b.isValid(); b = b.next()) {
        if (b != e->document()->begin()) joined += QStringLiteral("\r\n");
        joined += b.text();
    }
    return gui::ToCp932(joined).value();
}

int LayoutLines(const QPlainTextEdit* e) {
    const QTextBlock b = e->document()->begin();
    return b.layout() ? b.layout()->lineCount() : -1;
}

class UrlRecorder : public QObject {
    Q_OBJECT
  public:
    QList<QUrl> opened;
  public slots:
    void open(const QUrl& url) { opened << url; }
};

} // namespace

class LongTextPageTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { gui::InstallFontSubstitutions(); }

    void startsWithNothingShown() {
        Fixture f;
        QCOMPARE(f.sections()->count(), kSectionCount);
        QCOMPARE(f.sections()->item(13)->text(), QStringLiteral("その他３"));
        QVERIFY(f.sections()->selectedItems().isEmpty());
        QCOMPARE(f.shownPage(), QStringLiteral("NoSectionSheet"));
        QCOMPARE(f.page()->ShownSection(), -1);
        QCOMPARE(f.list()->count(), 0);
        QVERIFY(f.list()->TemplateFolder().empty());
        QVERIFY(!f.list()->FolderLocked());
        // Fixed-pitch editors: 20 px on the introduction, 12 px elsewhere.
        QCOMPARE(f.editor(0)->font().pixelSize(), 20);
        for (int k = 1; k < kSectionCount; ++k)
            QCOMPARE(f.editor(k)->font().pixelSize(), 12);
    }

    void arrowKeysStepThroughThePages() {
        Fixture f;
        f.select(0);
        for (int k = 0; k < kSectionCount; ++k) {
            QCOMPARE(f.page()->ShownSection(), k);
            QCOMPARE(f.shownPage(), QStringLiteral("SectionSheet%1").arg(k));
            QCOMPARE(f.list()->TemplateFolder(), f.templates() / TemplateSubFolder(k));
            QTest::keyClick(f.sections(), Qt::Key_Down);
        }
        QCOMPARE(f.page()->ShownSection(), 13); // the last row stays
        // Each free page carries its own title field.
        f.select(12);
        QVERIFY(f.child<QLineEdit>("Other2Edit")->isVisible() ||
                f.child<QLineEdit>("Other2Edit")->isVisibleTo(f.child<QWidget>("SectionSheet12")));
        QCOMPARE(f.child<QLineEdit>("Other2Edit")->parentWidget()->objectName(),
                 QStringLiteral("SectionSheet12"));
    }

    void selectedRowKeepsItsColoursWithoutFocus() {
        Fixture f;
        QVERIFY(f.activate());
        f.select(3);
        f.editor(3)->setFocus();
        QTRY_VERIFY(f.editor(3)->hasFocus());
        const QRect row = f.sections()->visualItemRect(f.sections()->item(3));
        QCOMPARE(row.height(), 14);
        const QImage image = f.sections()->viewport()->grab().toImage();
        QCOMPARE(QColor(image.pixel(row.left() + 1, row.top() + 1)), QColor(100, 139, 203));
        // The name is drawn in white on that row, and no row without selection is blue.
        bool white = false;
        const QRect inside = row.intersected(image.rect());
        for (int x = inside.left(); x <= inside.right(); ++x)
            for (int y = inside.top(); y <= inside.bottom(); ++y) {
                const QColor c(image.pixel(x, y));
                white = white || (c.red() > 230 && c.green() > 230 && c.blue() > 230);
            }
        QVERIFY(white);
        const QRect other = f.sections()->visualItemRect(f.sections()->item(1));
        QVERIFY(QColor(image.pixel(other.left() + 1, other.top() + 1)) != QColor(100, 139, 203));
    }

    void freeSectionsShareOneListAndItsSelection() {
        Fixture f;
        f.writeTemplate("other", "c.txt", "C");
        f.select(11);
        f.pickTemplate(QStringLiteral("b.txt"));
        const QStringList before = f.listed();
        QCOMPARE(before,
                 (QStringList{QStringLiteral("a.txt"), QStringLiteral("b.txt"), QStringLiteral("c.txt")}));
        // A file that appears meanwhile shows only at the next re-list.
        f.writeTemplate("other", "d.txt", "D");
        for (int k : {12, 13, 11}) {
            f.select(k);
            QCOMPARE(f.shownPage(), QStringLiteral("SectionSheet%1").arg(k));
            QCOMPARE(f.listed(), before);
            QCOMPARE(f.list()->SelectedFile(), f.templates() / "other" / "b.txt");
        }
        f.select(0);
        QVERIFY(!f.list()->SelectedFile());

        // The same folder picked in the browser, spelt differently, is still the folder shown.
        f.dialogs.folders.push_back(Q(f.templates() / "introduction" / ".." / "other") + QStringLiteral("/"));
        f.popupRun("LWpopFolder1");
        f.pickTemplate(QStringLiteral("a.txt"));
        f.select(12);
        QCOMPARE(f.list()->SelectedFile(), f.templates() / "other" / "a.txt");
    }

    void aLockedFolderKeepsTheListWhilePagesChange() {
        Fixture f;
        f.select(7); // copyright
        f.pickTemplate(QStringLiteral("a.txt"));
        f.popupRun("LWpopLock1");
        QVERIFY(f.list()->FolderLocked());
        for (int k : {0, 4, 12}) {
            f.select(k);
            QCOMPARE(f.page()->ShownSection(), k);
            QCOMPARE(f.list()->TemplateFolder(), f.templates() / "copyright");
            QCOMPARE(f.list()->SelectedFile(), f.templates() / "copyright" / "a.txt");
        }
        // Opening fills the section shown, whatever folder the file lies in.
        f.popupRun("LWpopOpen1");
        QCOMPARE(f.section(12), QStringLiteral("A of copyright"));
        // The popup shows the lock; unlocking lets the list follow again.
        f.list()->LWTemplatePopupPopup();
        QVERIFY(f.popupEntry("LWpopLock1")->isChecked());
        f.popupRun("LWpopLock1");
        f.select(1);
        QCOMPARE(f.list()->TemplateFolder(), f.templates() / "install");
    }

    void insertingATemplateExpandsAndReplacesTheShownSection() {
        Fixture f;
        f.writeTemplate("install", "full.txt",
                        "[%AppTitle] を [%ArchName] から\n[%Producer]/[%xVersion]/[%WareKind]/[%apptitle]\n"
                        "[%AppTitle] [%AppTitle]\n");
        f.writeTemplate("install", "empty.txt", "");
        ReadMeProject& r = f.record();
        r.SoftName = Sjis("ソフト");
        r.Producer = Sjis("作者");
        r.Version = "1.0";
        r.ArcName = "tool";
        r.ArcExt = ".lzh";
        r.Kind = Sjis("シェアウェア");
        r.Value = "500";
        f.select(1);
        QSignalSpy edited(f.page(), &TLongTextPage::edited);
        f.pickTemplate(QStringLiteral("full.txt"));
        QTest::mouseDClick(f.list()->viewport(), Qt::LeftButton, {},
                           f.list()->visualItemRect(f.list()->currentItem()).center());
        QCOMPARE(r.SectionText[SectionIndex::install],
                 Sjis("ソフト を tool.lzh から\r\n作者/1.0/シェアウェア/[%apptitle]\r\nソフト ソフト"));
        QVERIFY(edited.count() > 0);
        QCOMPARE(f.editor(1)->toPlainText(),
                 f.section(1).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));

        // An empty template empties the section; nothing else is touched.
        f.pickTemplate(QStringLiteral("empty.txt"));
        f.page()->InsertTemplate();
        QCOMPARE(r.SectionText[SectionIndex::install], std::string());
        QCOMPARE(r.SectionText[SectionIndex::introduction], std::string());
        QCOMPARE(f.dialogs.shown.size(), std::size_t(0));
    }

    void everyShippedTemplateFillsItsSection() {
        Fixture f;
        fs::remove_all(f.templates());
        fs::copy(fs::path(BW_DATA_DIR) / "template", f.templates(), fs::copy_options::recursive);
        ReadMeProject& r = f.record();
        r.SoftName = "Tool";
        r.Producer = Sjis("作者");
        r.ArcName = "tool";
        r.ArcExt = ".zip";
        const char* const placeholders[] = {"[%AppTitle]", "[%Producer]", "[%xVersion]", "[%LstUpDat]",
                                            "[%ArchName]", "[%WareKind]", "[%DvlpLang]", "[%Cpyright]",
                                            "[%nRuntime]", "[%HomePage]", "[%MailAdrs]"};
        for (int k = 0; k < kSectionCount; ++k) {
            f.select(k);
            QVERIFY2(f.list()->count() >= 2, qPrintable(f.sections()->item(k)->text()));
            for (const QString& name : f.listed()) {
                f.pickTemplate(name);
                f.page()->InsertTemplate();
                const std::string& text = r.SectionText[static_cast<std::size_t>(k)];
                QVERIFY2(!text.empty(), qPrintable(name));
                for (const char* placeholder : placeholders)
                    QVERIFY2(FindText(text, placeholder) == std::string::npos, qPrintable(name));
            }
        }
        QCOMPARE(f.dialogs.shown.size(), std::size_t(0));
    }

    void undoTakesBackAReplacementInOneStep() {
        Fixture f;
        f.select(6);
        QVERIFY(f.activate());
        f.editor(6)->setFocus();
        Type(f.editor(6), QStringLiteral("手で書いた"));
        PressEnter(f.editor(6));
        Type(f.editor(6), QStringLiteral("二行"));
        const std::string typed = Sjis("手で書いた\r\n二行");
        QCOMPARE(f.record().SectionText[SectionIndex::howuse], typed);

        f.pickTemplate(QStringLiteral("a.txt"));
        f.page()->InsertTemplate();
        QCOMPARE(f.section(6), QStringLiteral("A of howuse"));
        QTest::keyClick(f.editor(6), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f.record().SectionText[SectionIndex::howuse], typed);
        QTest::keyClick(f.editor(6), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(f.section(6), QStringLiteral("A of howuse"));
    }

    void noSectionShownMeansATemplateChangesNothing() {
        Fixture f;
        // A folder change before any section was selected fills the list ...
        f.dialogs.folders.push_back(Q(f.templates() / "history"));
        f.popupRun("LWpopFolder1");
        QCOMPARE(f.dialogs.shown.at(0).caption, QStringLiteral("フォルダの選択"));
        QCOMPARE(f.dialogs.shown.at(0).text, Q(f.templates())); // rooted at the template root
        QCOMPARE(f.list()->TemplateFolder(), f.templates() / "history");
        f.pickTemplate(QStringLiteral("a.txt"));
        // ... but opening a template has no section to fill.
        const ReadMeProject before = f.record();
        QSignalSpy edited(f.page(), &TLongTextPage::edited);
        f.popupRun("LWpopOpen1");
        QVERIFY(f.record() == before);
        QCOMPARE(edited.count(), 0);
        // A cancelled folder browser leaves the list.
        f.dialogs.folders.push_back(QString());
        f.popupRun("LWpopFolder1");
        QCOMPARE(f.list()->TemplateFolder(), f.templates() / "history");
    }

    void aMissingTemplateFolderIsReportedAndTheListStays() {
        Fixture f;
        fs::remove_all(f.templates() / "install");
        f.select(0);
        f.pickTemplate(QStringLiteral("b.txt"));
        f.select(1);
        QCOMPARE(f.shownPage(), QStringLiteral("SectionSheet1")); // the page changed all the same
        QCOMPARE(f.dialogs.messages().size(), std::size_t(1));
        QVERIFY(f.dialogs.messages()[0].text.contains(Q(f.templates() / "install")));
        QCOMPARE(f.list()->TemplateFolder(), f.templates() / "introduction");
        QCOMPARE(f.listed(), (QStringList{QStringLiteral("a.txt"), QStringLiteral("b.txt")}));
        // The list still serves the section now shown.
        f.pickTemplate(QStringLiteral("b.txt"));
        f.page()->InsertTemplate();
        QCOMPARE(f.section(1), QStringLiteral("B of introduction"));

        // A picked folder that cannot be listed is reported the same way.
        f.dialogs.folders.push_back(Q(f.templates() / "gone"));
        f.popupRun("LWpopFolder1");
        QCOMPARE(f.dialogs.messages().size(), std::size_t(2));
        QCOMPARE(f.list()->TemplateFolder(), f.templates() / "introduction");
    }

    void anUnreadableTemplateIsReportedAndChangesNothing() {
        Fixture f;
        f.select(2);
        f.editor(2)->ReplaceAllText(Sjis("元の文"));
        f.pickTemplate(QStringLiteral("a.txt"));
        // The file became a folder after the listing.
        fs::remove(f.templates() / "uninstall" / "a.txt");
        fs::create_directory(f.templates() / "uninstall" / "a.txt");
        f.page()->InsertTemplate();
        QCOMPARE(f.dialogs.messages().size(), std::size_t(1));
        QVERIFY(f.dialogs.messages()[0].text.contains(QStringLiteral("a.txt")));
        QCOMPARE(f.section(2), QStringLiteral("元の文"));
    }

    void renameKeepsTheExtension_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("entered");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("label");
        QTest::newRow("name only") << "intro.txt"
                                   << "start"
                                   << "start.txt"
                                   << "introの名前を変更します";
        QTest::newRow("extension typed") << "intro.txt"
                                         << "start.txt"
                                         << "start.txt.txt"
                                         << "introの名前を変更します";
        QTest::newRow("no extension") << "readme"
                                      << "x"
                                      << "x"
                                      << "readmeの名前を変更します";
        QTest::newRow("last dot counts") << "a.b.txt"
                                         << "はじめ"
                                         << "はじめ.txt"
                                         << "a.bの名前を変更します";
    }
    void renameKeepsTheExtension() {
        QFETCH(QString, file);
        QFETCH(QString, entered);
        QFETCH(QString, result);
        QFETCH(QString, label);
        Fixture f;
        f.writeTemplate("other", file.toStdString(), "text");
        f.select(11);
        f.pickTemplate(file);
        f.dialogs.prompts.push_back(entered);
        f.popupRun("LWpopRename1");
        QCOMPARE(f.dialogs.shown.at(0).kind, QStringLiteral("prompt"));
        QCOMPARE(f.dialogs.shown.at(0).caption, QStringLiteral("名前の変更"));
        QCOMPARE(f.dialogs.shown.at(0).text, label + QStringLiteral("|"));
        QVERIFY(f.listed().contains(result));
        QVERIFY(!f.listed().contains(file));
        QCOMPARE(ReadBytes(f.templates() / "other" / result.toStdString()), std::string("text"));
        QVERIFY(!f.list()->SelectedFile()); // re-listed
    }

    void renameNeverReplacesAnotherTemplate() {
        Fixture f;
        f.select(11);
        // Cancel, a taken name, an empty name and a path all leave the files as they were.
        for (const std::optional<QString>& entry :
             {std::optional<QString>(), std::optional<QString>(QStringLiteral("b")),
              std::optional<QString>(QString()), std::optional<QString>(QStringLiteral("../a"))}) {
            f.pickTemplate(QStringLiteral("a.txt"));
            f.dialogs.prompts.push_back(entry);
            f.popupRun("LWpopRename1");
            QCOMPARE(f.listed(), (QStringList{QStringLiteral("a.txt"), QStringLiteral("b.txt")}));
            QCOMPARE(ReadBytes(f.templates() / "other" / "a.txt"), std::string("A of other"));
            QCOMPARE(ReadBytes(f.templates() / "other" / "b.txt"), std::string("B of other"));
        }
        QVERIFY(!fs::exists(f.templates() / "a.txt"));
        QCOMPARE(f.dialogs.messages().size(), std::size_t(0)); // a failed rename is not reported
    }

    void popupEnablingAndTheRightButton() {
        Fixture f;
        const char* fileEntries[] = {"LWpopOpen1", "LWpopRename1", "LWpopEdit1"};
        f.list()->LWTemplatePopupPopup();
        for (const char* e : fileEntries)
            QVERIFY(!f.popupEntry(e)->isEnabled());
        QVERIFY(f.popupEntry("LWpopFolder1")->isEnabled());
        QVERIFY(f.popupEntry("LWpopLock1")->isEnabled());

        f.select(5);
        f.pickTemplate(QStringLiteral("a.txt"));
        // The right button leaves the selected file alone.
        QTest::mouseClick(f.list()->viewport(), Qt::RightButton, {},
                          f.list()->visualItemRect(f.list()->item(1)).center());
        QCOMPARE(f.list()->SelectedFile(), f.templates() / "development" / "a.txt");
        f.list()->LWTemplatePopupPopup();
        for (const char* e : fileEntries)
            QVERIFY(f.popupEntry(e)->isEnabled());

        QStringList texts;
        for (QAction* a : f.list()->popup()->actions())
            texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(texts,
                 (QStringList{QStringLiteral("開く(&O)..."), QStringLiteral("-"),
                              QStringLiteral("ファイル名変更(&R)"), QStringLiteral("ファイル編集(&E)..."),
                              QStringLiteral("-"), QStringLiteral("フォルダ変更(&F)..."),
                              QStringLiteral("フォルダを固定(&L)")}));
        QCOMPARE(f.popupEntry("LWpopOpen1")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    }

    void ctrlOBelongsToTheListWhileItHasTheFocus() {
        Fixture f;
        QVERIFY(f.activate());
        f.select(8);
        f.pickTemplate(QStringLiteral("b.txt"));
        f.list()->setFocus();
        QTRY_VERIFY(f.list()->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(f.section(8), QStringLiteral("B of reproduce"));
        QCOMPARE(f.dialogs.shown.size(), std::size_t(0)); // no project dialog

        // Without a selected file the entry is disabled and Ctrl+O does nothing there.
        f.select(9);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(f.section(9), QString());
        QCOMPARE(f.dialogs.shown.size(), std::size_t(0));

        // Elsewhere it opens a project.
        f.editor(9)->setFocus();
        QTRY_VERIFY(f.editor(9)->hasFocus());
        f.dialogs.files.push_back(QString());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(f.dialogs.shown.at(0).kind, QStringLiteral("open"));
    }

    void editOpensTheFileWithTheDesktop() {
        Fixture f;
        UrlRecorder recorder;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &recorder, "open");
        f.select(3);
        f.pickTemplate(QStringLiteral("b.txt"));
        f.popupRun("LWpopEdit1");
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QCOMPARE(recorder.opened, (QList<QUrl>{QUrl::fromLocalFile(Q(f.templates() / "files" / "b.txt"))}));
        QCOMPARE(f.listed(), (QStringList{QStringLiteral("a.txt"), QStringLiteral("b.txt")}));
        QVERIFY(f.list()->SelectedFile()); // not re-listed
    }

    void editsReachTheRecordAtOnce() {
        Fixture f;
        f.openProject(
            [](ReadMeProject& p) { p.SectionText[SectionIndex::files] = Sjis("一行目\r\n二行目"); });
        f.record().SavePending = false;
        QVERIFY(f.activate());
        f.select(3);
        TSectionEditor* e = f.editor(3);
        QCOMPARE(e->toPlainText(), QStringLiteral("一行目\n二行目"));
        e->setFocus();
        QTextCursor c = e->textCursor();
        c.movePosition(QTextCursor::End);
        e->setTextCursor(c);
        Type(e, QStringLiteral("ｶﾅ"));
        QCOMPARE(f.record().SectionText[SectionIndex::files], Sjis("一行目\r\n二行目ｶﾅ"));
        QVERIFY(f.record().SavePending);

        // Input-method commits arrive too; a character CP932 lacks is refused at the door.
        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("漢字"));
        QApplication::sendEvent(e, &commit);
        QInputMethodEvent bad;
        bad.setCommitString(QStringLiteral("😀"));
        QApplication::sendEvent(e, &bad);
        QCOMPARE(f.record().SectionText[SectionIndex::files], Sjis("一行目\r\n二行目ｶﾅ漢字"));

        // Free-section titles.
        f.select(13);
        auto* title = f.child<QLineEdit>("Other3Edit");
        title->setFocus();
        Type(title, QStringLiteral("補足"));
        QCOMPARE(f.record().Other3Title, Sjis("補足"));
        QCOMPARE(f.sections()->item(13)->text(), QStringLiteral("その他３"));
    }

    void loadingShowsTheRecordWithoutEditing() {
        Fixture f;
        QSignalSpy edited(f.page(), &TLongTextPage::edited);
        ReadMeProject& p = f.record();
        p.SectionText[SectionIndex::other2] = "a\nb\xA0"
                                              "c\r\n";
        p.Other2Title = Sjis("題");
        p.Operate.W98 = true;
        p.Operated.WXP = true;
        p.SectionOrder = {SectionCaption(13)};
        f.page()->LoadFromRecord();
        QCOMPARE(edited.count(), 0);
        QCOMPARE(f.child<QLineEdit>("Other2Edit")->text(), QStringLiteral("題"));
        QVERIFY(f.child<QCheckBox>("OprtW98ChkBox")->isChecked());
        QVERIFY(!f.child<QCheckBox>("OprtW95ChkBox")->isChecked());
        QVERIFY(f.child<QCheckBox>("OprtOKWXPChkBox")->isChecked());
        auto* order = f.child<QListWidget>("St2ListBox");
        QCOMPARE(order->count(), 1);
        QCOMPARE(order->item(0)->text(), QStringLiteral("その他３"));
        // The field keeps its bytes (a lone LF) until it is edited; an undecodable byte
        // survives the edit.
        QCOMPARE(f.record().SectionText[SectionIndex::other2], std::string("a\nb\xA0"
                                                                           "c\r\n"));
        TSectionEditor* e = f.editor(12);
        QTextCursor c(e->document());
        c.insertText(QStringLiteral("x"));
        QCOMPARE(f.record().SectionText[SectionIndex::other2], std::string("xa\r\nb\xA0"
                                                                           "c\r\n"));
        QCOMPARE(e->document()->isUndoAvailable(), true);
        // A load leaves no undo history behind.
        f.page()->LoadFromRecord();
        QVERIFY(!e->document()->isUndoAvailable());
    }

    void untouchedLinesKeepTheirBytes() {
        // ED 40 is one of the characters CP932 holds twice; encoded afresh it would become FA 5C.
        Fixture f;
        f.record().SectionText[SectionIndex::copyright] = "\xED\x40\r\nab\r\n\xED\x40";
        f.page()->LoadFromRecord();
        QTextCursor c(f.editor(7)->document());
        c.movePosition(QTextCursor::Down);
        c.movePosition(QTextCursor::EndOfBlock);
        c.insertText(QStringLiteral("c"));
        QCOMPARE(f.record().SectionText[SectionIndex::copyright], std::string("\xED\x40\r\nabc\r\n\xED\x40"));
        c.insertText(QStringLiteral("\n"));
        QCOMPARE(f.record().SectionText[SectionIndex::copyright],
                 std::string("\xED\x40\r\nabc\r\n\r\n\xED\x40"));
    }

    void incrementalEncodingMatchesAFullOne() {
        Fixture f;
        QVERIFY(f.activate());
        f.select(5);
        TSectionEditor* e = f.editor(5);
        f.record().SectionText[SectionIndex::development] = Sjis("一\r\n二\r\n三\r\n四\r\n五");
        f.page()->LoadFromRecord();
        e->setFocus();
        const auto check = [&](const char* step) {
            QVERIFY2(f.record().SectionText[SectionIndex::development] == FullEncoding(e), step);
        };
        QTextCursor c(e->document());
        c.movePosition(QTextCursor::Down);
        c.movePosition(QTextCursor::EndOfBlock);
        e->setTextCursor(c);
        Type(e, QStringLiteral("あa"));
        check("typing");
        PressEnter(e);
        Type(e, QStringLiteral("新"));
        check("a new line");
        QTest::keyClick(e, Qt::Key_Home);
        QTest::keyClick(e, Qt::Key_Backspace);
        check("joining lines");
        c = e->textCursor();
        c.movePosition(QTextCursor::Up);
        c.movePosition(QTextCursor::Down, QTextCursor::KeepAnchor, 2);
        e->setTextCursor(c);
        QTest::keyClick(e, Qt::Key_Delete);
        check("deleting across lines");
        QApplication::clipboard()->setText(QStringLiteral("貼\n付\r\nけ\n"));
        QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
        check("pasting lines");
        c.select(QTextCursor::Document);
        c.movePosition(QTextCursor::Start);
        c.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        e->setTextCursor(c);
        Type(e, QStringLiteral("全"));
        check("replacing everything");
        for (int i = 0; i < 6; ++i)
            QTest::keyClick(e, Qt::Key_Z, Qt::ControlModifier);
        check("undo");
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(e, Qt::Key_Y, Qt::ControlModifier);
        check("redo");
        e->ReplaceAllText(Sjis("末尾\r\n"));
        QTest::keyClick(e, Qt::Key_End, Qt::ControlModifier);
        Type(e, QStringLiteral("z"));
        QCOMPARE(f.record().SectionText[SectionIndex::development], Sjis("末尾\r\nz"));

        // A field replaced behind the editor's back is taken afresh at the next edit.
        f.record().SectionText[SectionIndex::development] = "other";
        Type(e, QStringLiteral("!"));
        check("after an outside change");
    }

    void editorsWrapAtSeventyColumns() {
        Fixture f;
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        f.select(1);
        TSectionEditor* e = f.editor(1);
        QApplication::processEvents();
        QCOMPARE(QFontInfo(e->font()).family(), QStringLiteral("IPAGothic"));
        const struct {
            QString text;
            int lines;
        } cases[] = {{QString(70, u'x'), 1},
                     {QString(71, u'x'), 2},
                     {QString(35, u'あ'), 1},
                     {QString(36, u'あ'), 2},
                     {QString(140, u'x'), 2}};
        for (const auto& c : cases) {
            e->setPlainText(c.text);
            QApplication::processEvents();
            QCOMPARE(LayoutLines(e), c.lines);
        }
        // The introduction's 20 px font cannot show 70 columns on the page: it wraps at its width.
        f.select(0);
        f.editor(0)->setPlainText(QString(70, u'x'));
        QApplication::processEvents();
        QVERIFY(LayoutLines(f.editor(0)) > 1);
    }

    void operatingPhraseButton() {
        Fixture f;
        f.select(4);
        f.editor(4)->ReplaceAllText(Sjis("手書きの環境"));
        for (const char* box :
             {"OprtW98ChkBox", "OprtWMeChkBox", "OprtW2kChkBox", "OprtWXPChkBox", "OprtOKWXPChkBox"})
            QTest::mouseClick(f.child<QCheckBox>(box), Qt::LeftButton);
        QVERIFY(f.record().Operate.W98 && f.record().Operate.WXP && !f.record().Operate.W95);
        QVERIFY(f.record().Operated.WXP && !f.record().Operated.W98);
        QCOMPARE(f.section(4), QStringLiteral("手書きの環境")); // ticking alone changes no text

        f.child<QToolButton>("GetOperateSpdBtn")->click();
        QCOMPARE(f.section(4), QStringLiteral("Windows 98/Me/2000/XP\r\n(Windows XPで動作確認済み)"));
        f.editor(4)->undo();
        QCOMPARE(f.section(4), QStringLiteral("手書きの環境"));

        // No box ticked: the section becomes empty.
        for (QCheckBox* box : f.page()->findChildren<QCheckBox*>())
            if (box->isChecked()) QTest::mouseClick(box, Qt::LeftButton);
        f.child<QToolButton>("GetOperateSpdBtn")->click();
        QCOMPARE(f.section(4), QString());
    }

    void sectionOrderButtons() {
        Fixture f;
        QSignalSpy edited(f.page(), &TLongTextPage::edited);
        auto* order = f.child<QListWidget>("St2ListBox");
        QCOMPARE(order->count(), kSectionCount);
        order->setCurrentRow(1);
        f.child<QPushButton>("Button1")->click();
        QCOMPARE(f.record().SectionOrder.at(0), SectionCaption(1));
        QCOMPARE(order->currentRow(), 0);
        f.child<QPushButton>("Button3")->click();
        f.child<QPushButton>("Button3")->click();
        QCOMPARE(f.record().SectionOrder.at(2), SectionCaption(1));
        QVERIFY(edited.count() >= 3);
    }

    void historyDialogEndToEnd() {
        Fixture f;
        f.openProject([](ReadMeProject& p) {
            p.SectionText[SectionIndex::history] = Sjis("--- 2004/04/01  ver 1.0 ---\r\n　　　・最初\r\n");
        });
        f.record().LastUpDate = "2004/05/01";
        f.record().Version = "ver 1.1";
        QVERIFY(f.activate());
        f.select(10);
        f.child<QToolButton>("InputHistorySpdBtn")->click();
        auto* form = f.window->findChild<TInputHistory*>();
        QVERIFY(form);
        QVERIFY(form->isVisible());
        QVERIFY(!form->isModal());
        QVERIFY(form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(form->windowTitle(), QStringLiteral("開発履歴入力フォーム"));
        QCOMPARE(form->findChild<QComboBox*>(QStringLiteral("UpDateCmbBox"))->currentText(),
                 QStringLiteral("2004/05/01"));
        QCOMPARE(form->findChild<QLineEdit*>(QStringLiteral("VerEdit"))->text(), QStringLiteral("ver 1.1"));
        QVERIFY(form->findChild<QRadioButton*>(QStringLiteral("InsertRdoBtn"))->isChecked()); // no key yet
        auto* grid = form->findChild<QTableWidget*>(QStringLiteral("StringGrid1"));
        QCOMPARE(grid->rowCount(), 7);
        // Later changes in the main window do not reach an open dialog.
        f.record().Version = "ver 9";

        QApplication::setActiveWindow(form);
        QVERIFY(QTest::qWaitForWindowActive(form));
        grid->setFocus();
        QTRY_VERIFY(grid->hasFocus());
        Type(grid, QStringLiteral("落ちる不具合を修正"));
        PressEnter(grid);
        PressEnter(grid); // row two stays empty
        Type(grid, QStringLiteral("起動を速く"));
        for (int i = 0; i < 5; ++i)
            PressEnter(grid); // Enter in the seventh row adds an eighth
        QCOMPARE(grid->rowCount(), 8);
        QCOMPARE(grid->currentRow(), 7);
        QVERIFY(form->isVisible()); // Enter never pressed "OK(&O)"
        Type(grid, QStringLiteral("追加した行"));

        form->findChild<QRadioButton*>(QStringLiteral("AddRdoBtn"))->click();
        const QPointer<TInputHistory> open(form);
        form->findChild<QPushButton*>(QStringLiteral("OKBtn"))->click();
        QCOMPARE(f.section(10), QStringLiteral("--- 2004/04/01  ver 1.0 ---\r\n　　　・最初\r\n"
                                               "--- 2004/05/01  ver 1.1 ---\r\n"
                                               "　　　・落ちる不具合を修正\r\n　　　・起動を速く\r\n"
                                               "　　　・追加した行\r\n\r\n"));
        QCOMPARE(LoadIniFile(f.record().IniPath).ini.Value("InputHis", "Select"),
                 std::optional<std::string>("Add"));
        QTRY_VERIFY(!open); // closed and discarded
        QVERIFY(f.record().SavePending);
        // One undo step takes the entry back.
        f.editor(10)->undo();
        QCOMPARE(f.section(10), QStringLiteral("--- 2004/04/01  ver 1.0 ---\r\n　　　・最初\r\n"));

        // The next dialog starts from the remembered choice.
        TInputHistory* next = f.page()->InputHistorySpdBtnClick();
        QVERIFY(next->findChild<QRadioButton*>(QStringLiteral("AddRdoBtn"))->isChecked());
        QCOMPARE(next->findChild<QLineEdit*>(QStringLiteral("VerEdit"))->text(), QStringLiteral("ver 9"));
        next->close();
    }

    void severalHistoryDialogsAndCancel() {
        Fixture f;
        f.openProject();
        WriteBytes(f.record().IniPath, ReadBytes(f.record().IniPath) + "[InputHis]\r\nSelect=add\r\n");
        f.record().LastUpDate = "d";
        f.record().Version = "v";
        TInputHistory* first = f.page()->InputHistorySpdBtnClick();
        TInputHistory* second = f.page()->InputHistorySpdBtnClick();
        TInputHistory* third = f.page()->InputHistorySpdBtnClick();
        QVERIFY(first != second && first->isVisible() && second->isVisible());
        // Lower-case "add" is not "Ins": add last.
        QVERIFY(first->findChild<QRadioButton*>(QStringLiteral("AddRdoBtn"))->isChecked());

        third->findChild<QPushButton*>(QStringLiteral("CancelBtn"))->click();
        QCOMPARE(f.section(10), QString());
        QCOMPARE(LoadIniFile(f.record().IniPath).ini.Value("InputHis", "Select"),
                 std::optional<std::string>("add"));

        // Each dialog applies its own block when its OK is pressed; insert first into an empty
        // section ends with the block's empty line.
        second->findChild<QRadioButton*>(QStringLiteral("InsertRdoBtn"))->click();
        second->findChild<QLineEdit*>(QStringLiteral("VerEdit"))->setText(QStringLiteral("v2"));
        second->findChild<QPushButton*>(QStringLiteral("OKBtn"))->click();
        QCOMPARE(f.section(10), QStringLiteral("--- d  v2 ---\r\n\r\n"));
        QCOMPARE(LoadIniFile(f.record().IniPath).ini.Value("InputHis", "Select"),
                 std::optional<std::string>("Ins"));
        first->findChild<QComboBox*>(QStringLiteral("UpDateCmbBox"))->setEditText(QString());
        first->findChild<QLineEdit*>(QStringLiteral("VerEdit"))->clear();
        first->findChild<QPushButton*>(QStringLiteral("OKBtn"))->click();
        QCOMPARE(f.section(10), QStringLiteral("--- d  v2 ---\r\n\r\n---    ---\r\n\r\n"));
        QCOMPARE(f.dialogs.messages().size(), std::size_t(0));
    }

    void historyWithoutProjectAndWithAnUnwritableIniFile() {
        Fixture f;
        // No project: nothing is remembered, the block still goes in.
        TInputHistory* form = f.page()->InputHistorySpdBtnClick();
        QVERIFY(form->findChild<QRadioButton*>(QStringLiteral("InsertRdoBtn"))->isChecked());
        form->findChild<QPushButton*>(QStringLiteral("OKBtn"))->click();
        QVERIFY(f.section(10).startsWith(QStringLiteral("--- ")));
        QCOMPARE(f.dialogs.messages().size(), std::size_t(0));

        // An INI path that is a folder: the failure is reported, the entry is not lost.
        const fs::path folderIni = f.folder.home() / "project" / "dir.ini";
        fs::create_directories(folderIni);
        f.record().IniPath = folderIni;
        f.record().Version = "v3";
        form = f.page()->InputHistorySpdBtnClick();
        form->findChild<QPushButton*>(QStringLiteral("OKBtn"))->click();
        QCOMPARE(f.dialogs.messages().size(), std::size_t(1));
        QVERIFY(f.dialogs.messages()[0].text.contains(Q(folderIni)));
        QVERIFY(f.section(10).contains(QStringLiteral("v3")));
        QVERIFY(fs::is_directory(folderIni));
    }
};

QTEST_MAIN(LongTextPageTest)
#include "long_text_page_test.moc"
