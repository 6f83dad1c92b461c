// "ReadMe出力(&R)" and the output dialog: what is written, where, and with which time.

#include "app/MAINForm.h"
#include "gui_test_support.h"
#include "shell/OutputReadMeForm.h"
#include "text/files.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeEdit>
#include <QToolButton>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace bw;
using namespace bw::test;
using bw::gui::TMAIN;
using bw::gui::TOutputReadMe;

namespace {

template <typename T> T* Child(QWidget* w, const char* name) {
    return w->findChild<T*>(QLatin1String(name));
}

struct stat Stat(const fs::path& p) {
    struct stat st {};
    ::stat(p.c_str(), &st);
    return st;
}

/// Chooses path with the "･･･" button and presses "出力".
void ChooseAndOutput(ScriptedDialogs& dialogs, TOutputReadMe* dialog, const fs::path& path) {
    dialogs.files.push_back(Q(path));
    Child<QToolButton>(dialog, "Button1")->click();
    Child<QPushButton>(dialog, "OutputBtn")->click();
}

struct Window {
    ProgramFolder folder;
    ScriptedDialogs dialogs;
    TMAIN window{folder.home(), folder.settingsFile(), dialogs};
    QAction* action(const char* name) { return window.findChild<QAction*>(QLatin1String(name)); }

    /// Runs "ReadMe出力(&R)" and writes to path through the dialog; false when no dialog opened.
    bool output(const fs::path& path) {
        bool opened = false;
        QTimer* waiting = WhenModal<TOutputReadMe>([&](TOutputReadMe* d) {
            opened = true;
            ChooseAndOutput(dialogs, d, path);
        });
        action("mnOutputReadMe1")->trigger();
        delete waiting;
        return opened;
    }
};

} // namespace

class ReadMeOutputTest : public QObject {
    Q_OBJECT
  private slots:
    void outputButtonWaitsForAPath() {
        ProgramFolder folder;
        ScriptedDialogs dialogs;
        TextLines lines{"a"};
        TOutputReadMe dialog(lines, dialogs);
        auto* output = Child<QPushButton>(&dialog, "OutputBtn");
        auto* path = Child<QLineEdit>(&dialog, "PathEdit");
        QCOMPARE(dialog.windowTitle(), QStringLiteral("ReadMe出力"));
        QVERIFY(!output->isEnabled());
        QVERIFY(path->isReadOnly());
        dialog.show();
        QTest::keyClick(&dialog, Qt::Key_Return); // the disabled default button does nothing
        QVERIFY(dialog.isVisible());

        const fs::path target = folder.home() / "out.txt";
        dialogs.files.push_back(Q(target));
        Child<QToolButton>(&dialog, "Button1")->click();
        QCOMPARE(path->text(), Q(target));
        QVERIFY(output->isEnabled());
        const auto& shown = dialogs.shown.back();
        QCOMPARE(shown.kind, QStringLiteral("save"));
        QCOMPARE(shown.text, QStringLiteral("|テキストファイル (*.txt);;Allファイル (*)|txt"));

        dialogs.files.push_back(QString()); // cancelled: nothing changes
        Child<QToolButton>(&dialog, "Button1")->click();
        QVERIFY(dialogs.shown.back().text.startsWith(Q(target) + QStringLiteral("|"))); // preset to the path
        QCOMPARE(path->text(), Q(target));
        QVERIFY(output->isEnabled());

        Child<QPushButton>(&dialog, "CancelBtn")->click();
        QVERIFY(!fs::exists(target));
    }

    void writesTheLinesReplacingAnOldFile_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("two lines over a longer file") << QStringList{QStringLiteral("ソフト"), QString()}
                                                      << QByteArray("\x83\x5c\x83\x74\x83\x67\r\n\r\n");
        QTest::newRow("empty text gives 0 bytes") << QStringList{} << QByteArray();
    }
    void writesTheLinesReplacingAnOldFile() {
        QFETCH(QStringList, lines);
        QFETCH(QByteArray, bytes);
        ProgramFolder folder;
        ScriptedDialogs dialogs;
        TextLines text;
        for (const QString& l : lines)
            text.push_back(Sjis(l.toStdString()));
        const fs::path target = folder.home() / "ReadMe.txt";
        WriteBytes(target, std::string(1000, 'x'));
        TOutputReadMe dialog(text, dialogs);
        ChooseAndOutput(dialogs, &dialog, target);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(QByteArray::fromStdString(ReadBytes(target)), bytes);
        QCOMPARE(dialogs.messages().size(), std::size_t(0));
    }

    void stampSetsTheModificationTimeOnly() {
        ProgramFolder folder;
        ScriptedDialogs dialogs;
        TextLines text{"x"};
        const QDateTime opened(QDate(2004, 7, 28), QTime(1, 19, 8, 750));
        const fs::path target = folder.home() / "stamped.txt";
        TOutputReadMe dialog(text, dialogs, nullptr, opened);
        auto* date = Child<QDateEdit>(&dialog, "DatePicker");
        auto* time = Child<QTimeEdit>(&dialog, "TimePicker");
        QVERIFY(!date->isEnabled() && !time->isEnabled());
        Child<QRadioButton>(&dialog, "StampRdoBtn")->click();
        QVERIFY(date->isEnabled() && time->isEnabled());
        ChooseAndOutput(dialogs, &dialog, target); // untouched pickers: the opening moment
        const struct stat st = Stat(target);
        QCOMPARE(qint64(st.st_mtim.tv_sec),
                 QDateTime(QDate(2004, 7, 28), QTime(1, 19, 8)).toSecsSinceEpoch());
        QCOMPARE(qint64(st.st_mtim.tv_nsec), qint64(0));
        QVERIFY(st.st_atim.tv_sec > st.st_mtim.tv_sec + 3600); // the access time is left as it was
    }

    void chosenDateAndTimeAreLocalTime() {
        ProgramFolder folder;
        ScriptedDialogs dialogs;
        TextLines text{"x"};
        const fs::path target = folder.home() / "stamped.txt";
        TOutputReadMe dialog(text, dialogs);
        Child<QRadioButton>(&dialog, "StampRdoBtn")->click();
        Child<QDateEdit>(&dialog, "DatePicker")->setDate(QDate(2010, 1, 2));
        Child<QTimeEdit>(&dialog, "TimePicker")->setTime(QTime(23, 4, 5));
        ChooseAndOutput(dialogs, &dialog, target);
        // TZ=Asia/Tokyo (set by the test run): 23:04:05 local is 14:04:05 UTC.
        QCOMPARE(qint64(Stat(target).st_mtim.tv_sec),
                 QDateTime(QDate(2010, 1, 2), QTime(14, 4, 5), Qt::UTC).toSecsSinceEpoch());
    }

    void stampSwitchedOffAgainSetsNoTime() {
        ProgramFolder folder;
        ScriptedDialogs dialogs;
        TextLines text{"x"};
        const fs::path target = folder.home() / "plain.txt";
        TOutputReadMe dialog(text, dialogs, nullptr, QDateTime(QDate(2004, 7, 28), QTime(1, 0)));
        Child<QRadioButton>(&dialog, "StampRdoBtn")->click();
        Child<QRadioButton>(&dialog, "NoStampRdoBtn")->click();
        QVERIFY(!Child<QDateEdit>(&dialog, "DatePicker")->isEnabled());
        ChooseAndOutput(dialogs, &dialog, target);
        QVERIFY(Stat(target).st_mtim.tv_sec > QDateTime(QDate(2020, 1, 1), QTime(0, 0)).toSecsSinceEpoch());
    }

    void aFileThatCannotBeCreatedIsReported() {
        ProgramFolder folder;
        ScriptedDialogs dialogs;
        TextLines text{"x"};
        const fs::path target = folder.home() / "no such folder" / "ReadMe.txt";
        TOutputReadMe dialog(text, dialogs);
        Child<QRadioButton>(&dialog, "StampRdoBtn")->click();
        ChooseAndOutput(dialogs, &dialog, target);
        QCOMPARE(dialogs.messages().size(), std::size_t(1));
        QCOMPARE(dialogs.messages()[0].caption, QStringLiteral("Brindlewocket"));
        QCOMPARE(dialogs.messages()[0].text, QStringLiteral("ファイル %1 を作成できません").arg(Q(target)));
        QCOMPARE(dialog.result(), int(QDialog::Accepted)); // the dialog closes all the same
        QVERIFY(!fs::exists(target));
    }

    void aWriteFailingHalfWayLeavesTheOldFile() {
        ProgramFolder folder;
        ScriptedDialogs dialogs;
        const fs::path target = folder.home() / "ReadMe.txt";
        QVERIFY(WriteFileAtomic(target, "the old ReadMe"));
        TextLines text;
        for (int i = 0; i < 1000; ++i) text.push_back(std::string(70, 'x'));
        TOutputReadMe dialog(text, dialogs);
        {
            // As on a full disk: no file may grow past 4 KB, so the write stops half-way.
            const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
            rlimit old{};
            getrlimit(RLIMIT_FSIZE, &old);
            rlimit limited = old;
            limited.rlim_cur = 4096;
            setrlimit(RLIMIT_FSIZE, &limited);
            ChooseAndOutput(dialogs, &dialog, target);
            setrlimit(RLIMIT_FSIZE, &old);
            std::signal(SIGXFSZ, oldHandler);
        }
        QCOMPARE(dialogs.messages().size(), std::size_t(1));
        QCOMPARE(dialogs.messages()[0].text, QStringLiteral("ファイル %1 を作成できません").arg(Q(target)));
        QCOMPARE(ReadWholeFile(target).bytes, std::string("the old ReadMe"));
        QCOMPARE(ListOrdinaryFiles(folder.home()).value(), std::vector<std::string>{"ReadMe.txt"}); // no temporary file left
    }

    void outputWritesWhatAFreshRefreshShows() {
        Window w;
        ReadMeProject& p = w.window.record();
        p.SoftName = "Soft";
        p.Version = "1.0";
        p.SectionText[introduction] = Sjis("はじめ");
        // No refresh has run in this session yet: the file still gets its header.
        const fs::path first = w.folder.home() / "first.txt";
        QVERIFY(w.output(first));
        const QString text = gui::FromCp932(ReadBytes(first));
        QVERIFY(text.startsWith(QString(80, u'*') + QStringLiteral("\r\n")));
        QVERIFY(text.contains(QStringLiteral("1.0")));

        // An edit after the last refresh reaches the file too.
        p.Version = "2.0";
        const fs::path second = w.folder.home() / "second.txt";
        QVERIFY(w.output(second));
        const QString again = gui::FromCp932(ReadBytes(second));
        QVERIFY(again.contains(QStringLiteral("2.0")));
        QVERIFY(!again.contains(QStringLiteral("1.0")));
    }

    void aFailedRefreshStopsTheOutput() {
        Window w;
        w.folder.writeLayout("mine.txt", "HEADER");
        w.action("popStyleUser1")->trigger();
        fs::remove(w.folder.home() / "template" / "UserLayout" / "mine.txt");
        const fs::path target = w.folder.home() / "never.txt";
        QVERIFY(!w.output(target));
        QCOMPARE(w.dialogs.messages().size(), std::size_t(1));
        QCOMPARE(w.dialogs.messages()[0].text, QStringLiteral("File not found"));
        QVERIFY(!fs::exists(target));
    }
};

QTEST_MAIN(ReadMeOutputTest)
#include "readme_output_test.moc"
