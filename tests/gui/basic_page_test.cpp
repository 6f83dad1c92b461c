// The basic-items page: its inputs edit the record in place, load from it without counting
// as an edit, the price box follows the kind, and the order group reorders BasicOrder.

#include "app/BasicPage.h"
#include "controls/Cp932InputGuard.h"
#include "editing/OrderListBox.h"
#include "editing/VersionInputForm.h"
#include "gui_test_support.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>

using namespace bw;

namespace {

/// A page on its own record, in a temporary program folder.
struct PageFixture {
    test::ProgramFolder folder;
    ProgramFolders folders = folder.folders();
    test::ScriptedDialogs dialogs;
    ReadMeProject record = StartupDefaults();
    gui::Cp932InputGuard guard;
    gui::PageContext ctx{record, folders, dialogs, guard};
    gui::TBasicPage page{ctx};
    QSignalSpy edited{&page, &gui::TBasicPage::edited};

    template <typename T> T* find(const char* name) {
        T* w = page.findChild<T*>(QLatin1String(name));
        if (!w) qFatal("no widget %s", name);
        return w;
    }
    QLineEdit* edit(const char* name) { return find<QLineEdit>(name); }
    QComboBox* combo(const char* name) { return find<QComboBox>(name); }
    QLineEdit* price() { return edit("ShareLabelEdit"); }

    /// Shows the page as an active window (focus tests); false when the platform cannot.
    bool showActive() {
        page.show();
        page.activateWindow();
        return QTest::qWaitForWindowActive(&page);
    }
};

/// Types text at the end of a field, as a keyboard would (any characters).
void Type(QWidget* w, const QString& text) {
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

QLineEdit* EditorOf(QWidget* w) {
    if (auto* combo = qobject_cast<QComboBox*>(w)) return combo->lineEdit();
    return qobject_cast<QLineEdit*>(w);
}

QStringList ComboItems(QComboBox* combo) {
    QStringList items;
    for (int k = 0; k < combo->count(); ++k)
        items << combo->itemText(k);
    return items;
}

} // namespace

class BasicPageTest : public QObject {
    Q_OBJECT
  private slots:
    void labelsStandInTheWindowOrder() {
        PageFixture f;
        f.page.resize(634, 410);
        f.page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.page));
        QList<QLabel*> labels = f.find<QWidget>("BasicItemPanel")->findChildren<QLabel*>();
        std::sort(labels.begin(), labels.end(), [](QLabel* a, QLabel* b) { return a->y() < b->y(); });
        labels.removeIf([](QLabel* l) { return !l->text().startsWith(QStringLiteral("　")); });
        const std::pair<const char16_t*, bool> expected[] = {
            {u"　ソフト名", true},     {u"　作者名", true},        {u"　バージョン", true},
            {u"　最終更新日", false},  {u"　アーカイブ名", false}, {u"　種別", true},
            {u"　開発言語", false},    {u"　著作権者名", true},    {u"　必要ランタイム", false},
            {u"　ホームページ", true}, {u"　連絡先", true}};
        QCOMPARE(labels.size(), qsizetype(std::size(expected)));
        for (std::size_t k = 0; k < std::size(expected); ++k) {
            QCOMPARE(labels[k]->text(), QString::fromUtf16(expected[k].first));
            QVERIFY2(labels[k]->font().bold() == expected[k].second, qPrintable(labels[k]->text()));
        }
    }

    void offeredValuesAndStartupTexts() {
        PageFixture f;
        QCOMPARE(ComboItems(f.combo("ArcExtCmbBox")),
                 (QStringList{QStringLiteral(".zip"), QStringLiteral(".lzh"), QStringLiteral(".exe"),
                              QStringLiteral(".cab"), QStringLiteral(".yz1"), QStringLiteral(".tar"),
                              QStringLiteral(".jak"), QStringLiteral(".bga"), QStringLiteral(".gca"),
                              QStringLiteral(".7z")}));
        QCOMPARE(ComboItems(f.combo("kindCmbBox")),
                 (QStringList{QStringLiteral("フリーウェア"), QStringLiteral("カンパウェア"),
                              QStringLiteral("メールウェア"), QStringLiteral("シェアウェア")}));
        const QStringList languages = ComboItems(f.combo("DevLangCmbBox"));
        QCOMPARE(languages.size(), 19);
        QCOMPARE(languages.first(), QStringLiteral("Visual C++ .NET"));
        QVERIFY(languages.contains(QStringLiteral("HSP (Hot Soup Prosessor)")));
        QCOMPARE(languages.last(), QStringLiteral("WideStudio"));
        QCOMPARE(ComboItems(f.combo("RunTimeCmbBox")), QStringList{QStringLiteral("なし")});

        // Start-up record: "なし", "http://", the price box off; the date entries.
        QCOMPARE(f.combo("RunTimeCmbBox")->currentText(), QStringLiteral("なし"));
        QCOMPARE(f.edit("HomePageEdit")->text(), QStringLiteral("http://"));
        QVERIFY(!f.price()->isEnabled());
        f.page.SetLastUpdateEntries({QStringLiteral("2004/07/28"), QStringLiteral("2004年07月28日")});
        QCOMPARE(f.combo("UpDateCmbBox")->currentText(), QStringLiteral("2004/07/28"));
        QCOMPARE(f.combo("UpDateCmbBox")->itemText(1), QStringLiteral("2004年07月28日"));
        QCOMPARE(f.record.LastUpDate, std::string("2004/07/28"));
        QCOMPARE(f.edited.count(), 0);
    }

    void typingEditsEachFieldOfTheRecord() {
        PageFixture f;
        f.record.RunTime.clear();
        f.record.HomePage.clear();
        f.page.LoadFromRecord();
        struct Case {
            const char* widget;
            std::string ReadMeProject::*field;
            const char16_t* typed;
        };
        const Case cases[] = {
            {"SoftTitleEdit", &ReadMeProject::SoftName, u"ぶりんどる"},
            {"ProducerEdit", &ReadMeProject::Producer, u"山田 太郎"},
            {"VersionEdit", &ReadMeProject::Version, u"ver 1.0"},
            {"UpDateCmbBox", &ReadMeProject::LastUpDate, u"２００４年"},
            {"ArcNameEdit", &ReadMeProject::ArcName, u"bw"},
            {"ArcExtCmbBox", &ReadMeProject::ArcExt, u".lzh"},
            {"kindCmbBox", &ReadMeProject::Kind, u"ドネーションウェア"},
            {"DevLangCmbBox", &ReadMeProject::DevLang, u"C++Builder"},
            {"CopyRightEdit", &ReadMeProject::CopyRight, u"ｶﾌﾞｼｷｶﾞｲｼｬ"},
            {"RunTimeCmbBox", &ReadMeProject::RunTime, u".NET Framework"},
            {"HomePageEdit", &ReadMeProject::HomePage, u"http://x/"},
            {"MailAdrsEdit", &ReadMeProject::Mailadrs, u"a@b"},
        };
        for (const Case& c : cases) {
            QLineEdit* editor = EditorOf(f.find<QWidget>(c.widget));
            editor->clear();
            const int before = f.edited.count();
            Type(editor, QString::fromUtf16(c.typed));
            QVERIFY2(f.record.*c.field == Sjis(QString::fromUtf16(c.typed).toStdString()), c.widget);
            QVERIFY2(f.edited.count() > before, c.widget);
        }
        // A picked entry edits as well.
        f.combo("ArcExtCmbBox")->setCurrentIndex(9);
        QCOMPARE(f.record.ArcExt, std::string(".7z"));
    }

    void charactersWithoutACp932CodeAreRefused() {
        PageFixture f;
        QSignalSpy refused(&f.guard, &gui::Cp932InputGuard::refused);
        Type(f.edit("SoftTitleEdit"), QStringLiteral("ab"));
        const int before = f.edited.count();
        Type(f.edit("SoftTitleEdit"), QStringLiteral("한"));
        Type(EditorOf(f.combo("kindCmbBox")), QStringLiteral("€"));
        QCOMPARE(f.edit("SoftTitleEdit")->text(), QStringLiteral("ab"));
        QCOMPARE(f.record.SoftName, std::string("ab"));
        QVERIFY(f.record.Kind.empty());
        QCOMPARE(f.edited.count(), before);
        QCOMPARE(refused.count(), 2);
    }

    void loadingShowsTheRecordWithoutEditingIt() {
        PageFixture f;
        ReadMeProject& r = f.record;
        r.SoftName = Sjis("ソフト");
        r.Producer = Sjis("作者");
        r.Version = "1.0";
        r.LastUpDate = Sjis("2004年07月28日");
        r.ArcName = "soft";
        r.ArcExt = ".cab";
        r.Kind = Sjis("シェアウェア");
        r.Value = "500";
        r.DevLang = "Ruby";
        r.CopyRight = "A\xFF"; // a byte that does not decode survives
        r.RunTime = Sjis("なし");
        r.HomePage = "";
        r.Mailadrs = "m@x";
        r.BasicOrder = {Sjis("連絡先"), Sjis("ソフト名")};
        const ReadMeProject loaded = r;

        f.page.LoadFromRecord();
        QCOMPARE(f.edited.count(), 0);
        QVERIFY(f.record == loaded);
        QCOMPARE(f.edit("SoftTitleEdit")->text(), QStringLiteral("ソフト"));
        QCOMPARE(f.combo("UpDateCmbBox")->currentText(), QStringLiteral("2004年07月28日"));
        QCOMPARE(f.combo("kindCmbBox")->currentText(), QStringLiteral("シェアウェア"));
        QCOMPARE(f.price()->text(), QStringLiteral("500"));
        QVERIFY(f.price()->isEnabled()); // the price box matches the kind loaded
        QCOMPARE(f.edit("HomePageEdit")->text(), QString());
        QCOMPARE(f.find<gui::TOrderListBox>("St1ListBox")->count(), 2);

        // Editing one field re-encodes that field only; the odd byte stays where it was.
        Type(f.edit("SoftTitleEdit"), QStringLiteral("X"));
        QCOMPARE(f.record.SoftName, Sjis("ソフトX"));
        QCOMPARE(f.record.CopyRight, std::string("A\xFF"));
        Type(f.edit("CopyRightEdit"), QStringLiteral("B"));
        QCOMPARE(f.record.CopyRight, std::string("A\xFF"
                                                 "B"));

        // Another project with another kind turns the price box off; its price is shown.
        r.Kind = Sjis("フリーウェア");
        r.Value = "900";
        f.page.LoadFromRecord();
        QVERIFY(!f.price()->isEnabled());
        QCOMPARE(f.price()->text(), QStringLiteral("900"));
    }

    void thePriceBoxFollowsTheKind() {
        PageFixture f;
        QLineEdit* kind = EditorOf(f.combo("kindCmbBox"));
        const QString shareware = QStringLiteral("シェアウェア");
        for (qsizetype k = 0; k < shareware.size(); ++k) {
            QVERIFY(!f.price()->isEnabled());
            Type(kind, shareware.mid(k, 1));
        }
        QVERIFY(f.price()->isEnabled());
        Type(kind, QStringLiteral(" "));
        QVERIFY(!f.price()->isEnabled());
        QTest::keyClick(kind, Qt::Key_Backspace);
        QVERIFY(f.price()->isEnabled());

        Type(f.price(), QStringLiteral("1200"));
        f.combo("kindCmbBox")->setCurrentIndex(0); // フリーウェア picked
        QVERIFY(!f.price()->isEnabled());
        QCOMPARE(f.price()->text(), QStringLiteral("1200"));
        QCOMPARE(f.record.Value, std::string("1200"));
        QCOMPARE(f.price()->palette().color(QPalette::Disabled, QPalette::Base),
                 f.price()->palette().color(QPalette::Active, QPalette::Button));
        f.combo("kindCmbBox")->setCurrentIndex(3); // シェアウェア
        QVERIFY(f.price()->isEnabled());
        QCOMPARE(f.price()->text(), QStringLiteral("1200"));
    }

    void thePriceBoxTakesTypedDigitsOnly() {
        PageFixture f;
        f.combo("kindCmbBox")->setCurrentIndex(3);
        QLineEdit* price = f.price();
        Type(price, QStringLiteral("12"));
        for (const QString& refused : {QStringLiteral("a"), QStringLiteral("-"), QStringLiteral("."),
                                       QStringLiteral("５"), QStringLiteral(" "), QStringLiteral("¥")})
            Type(price, refused);
        QCOMPARE(price->text(), QStringLiteral("12"));
        QTest::keyClick(price, Qt::Key_Backspace);
        QCOMPARE(price->text(), QStringLiteral("1"));
        QCOMPARE(f.record.Value, std::string("1"));
        // Text that is not typed is not filtered.
        price->setText(QStringLiteral("1,000"));
        QCOMPARE(f.record.Value, std::string("1,000"));
    }

    void leavingTheKindBoxOnSharewareGoesToThePrice() {
        PageFixture f;
        if (!f.showActive()) QSKIP("the platform gives no active window");
        QComboBox* kind = f.combo("kindCmbBox");
        QLineEdit* soft = f.edit("SoftTitleEdit");

        kind->setFocus(Qt::TabFocusReason);
        kind->setCurrentIndex(3);
        soft->setFocus(Qt::MouseFocusReason);
        QCOMPARE(QApplication::focusWidget(), f.price());

        kind->setFocus(Qt::TabFocusReason);
        kind->setCurrentIndex(0);
        soft->setFocus(Qt::MouseFocusReason);
        QCOMPARE(QApplication::focusWidget(), soft);
    }

    void enteringTheHomePagePutsTheCaretBehindTheText() {
        PageFixture f;
        if (!f.showActive()) QSKIP("the platform gives no active window");
        QLineEdit* home = f.edit("HomePageEdit");
        QVERIFY(!home->testAttribute(Qt::WA_InputMethodEnabled));
        f.edit("CopyRightEdit")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); // the runtime box
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), home);
        QCOMPARE(home->cursorPosition(), 7);
        QVERIFY(!home->hasSelectedText());
        Type(home, QStringLiteral("x.example/"));
        QCOMPARE(f.record.HomePage, std::string("http://x.example/"));
    }

    void theOrderButtonsMoveTheSelectedItem() {
        PageFixture f;
        f.page.resize(634, 410);
        f.page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.page));
        auto* list = f.find<gui::TOrderListBox>("St1ListBox");
        auto* up = f.find<QPushButton>("St1ListUpBtn");
        auto* down = f.find<QPushButton>("St1ListDownBtn");
        const std::vector<std::string> defaults = DefaultBasicOrder();

        // No selection: nothing moves.
        QTest::mouseClick(up, Qt::LeftButton);
        QTest::mouseClick(down, Qt::LeftButton);
        QVERIFY(f.record.BasicOrder == defaults);
        QCOMPARE(f.edited.count(), 0);

        // "種別" (row 4) up twice, then down once.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(4)).center());
        QTest::mouseClick(up, Qt::LeftButton);
        QTest::mouseClick(up, Qt::LeftButton);
        QTest::mouseClick(down, Qt::LeftButton);
        QCOMPARE(f.record.BasicOrder[3], Sjis("種別"));
        QCOMPARE(f.record.BasicOrder[2], Sjis("アーカイブ名"));
        QCOMPARE(f.record.BasicOrder[4], Sjis("最終更新日"));
        QCOMPARE(list->selectedRow(), 3);
        QCOMPARE(list->item(3)->text(), QStringLiteral("種別"));
        QCOMPARE(f.edited.count(), 3);

        // The ends: the selection stays, nothing moves.
        list->setSelectedRow(0);
        QTest::mouseClick(up, Qt::LeftButton);
        QCOMPARE(list->selectedRow(), 0);
        list->setSelectedRow(10);
        QTest::mouseClick(down, Qt::LeftButton);
        QCOMPARE(list->selectedRow(), 10);
        QCOMPARE(f.record.BasicOrder[10], Sjis("連絡先"));
        QCOMPARE(f.edited.count(), 3);

        // "デフォルトに戻す": the default order, no selection, the section order untouched.
        f.record.SectionOrder = {Sjis("免責")};
        QTest::mouseClick(f.find<QPushButton>("St1DefaultBtn"), Qt::LeftButton);
        QVERIFY(f.record.BasicOrder == defaults);
        QCOMPARE(list->selectedRow(), -1);
        QCOMPARE(list->item(3)->text(), QStringLiteral("最終更新日"));
        QCOMPARE(f.edited.count(), 4);
        QCOMPARE(f.record.SectionOrder, std::vector<std::string>{Sjis("免責")});
    }

    void theVersionButtonComposesTheVersion() {
        PageFixture f;
        f.record.Version = "old";
        f.page.LoadFromRecord();
        test::WhenModal<gui::TVersionInput>([](gui::TVersionInput* d) {
            d->findChild<QComboBox*>(QStringLiteral("VerCmbBox"))->setEditText(QStringLiteral("ver"));
            d->findChild<QLineEdit*>(QStringLiteral("VerEdit1"))->setText(QStringLiteral("2"));
            QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("OKBtn")), Qt::LeftButton);
        });
        QTest::mouseClick(f.find<QToolButton>("SpeedButton1"), Qt::LeftButton);
        QCOMPARE(f.record.Version, std::string("ver 2.0.0.0"));
        QCOMPARE(f.edit("VersionEdit")->text(), QStringLiteral("ver 2.0.0.0"));
        QCOMPARE(f.edited.count(), 1);

        // "キャンセル" leaves the version as it is.
        test::WhenModal<gui::TVersionInput>([](gui::TVersionInput* d) {
            d->findChild<QLineEdit*>(QStringLiteral("VerEdit1"))->setText(QStringLiteral("9"));
            QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("CancelBtn")), Qt::LeftButton);
        });
        QTest::mouseClick(f.find<QToolButton>("SpeedButton1"), Qt::LeftButton);
        QCOMPARE(f.record.Version, std::string("ver 2.0.0.0"));
        QCOMPARE(f.edited.count(), 1);
    }
};

QTEST_MAIN(BasicPageTest)
#include "basic_page_test.moc"
