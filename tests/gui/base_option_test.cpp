// The basic settings dialog: what it reads from the settings file, what OK writes, that a
// failed write is reported, and that the main window takes the values only at its next start.

#include "app/BasicPage.h"
#include "app/MAINForm.h"
#include "controls/Cp932InputGuard.h"
#include "gui_test_support.h"
#include "shell/BaseOptionForm.h"
#include "shell/app_settings.h"
#include "text/ini.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

using namespace bw;
namespace fs = std::filesystem;

namespace {

struct Fields {
    QLineEdit* producer;
    QLineEdit* copyRighter;
    QLineEdit* developLang;
    QLineEdit* homePage;
    QLineEdit* mainAddress;
    QCheckBox* createRead;

    explicit Fields(QWidget& d) {
        auto edit = [&](const char* name) { return d.findChild<QLineEdit*>(QLatin1String(name)); };
        producer = edit("ProducerEdit");
        copyRighter = edit("CopyRighterEdit");
        developLang = edit("DevelopLangEdit");
        homePage = edit("HomePageEdit");
        mainAddress = edit("MainAddressEdit");
        createRead = d.findChild<QCheckBox*>(QStringLiteral("CreateReadChkBox"));
    }
    QStringList texts() const {
        return {producer->text(), copyRighter->text(), developLang->text(), homePage->text(),
                mainAddress->text()};
    }
};

void Click(QWidget& d, const char* button) {
    QTest::mouseClick(d.findChild<QPushButton*>(QLatin1String(button)), Qt::LeftButton);
}

} // namespace

class BaseOptionTest : public QObject {
    Q_OBJECT
  private slots:
    void withoutAFileItShowsDefaultsAndOkWritesAllSixKeys() {
        test::ProgramFolder folder;
        test::ScriptedDialogs dialogs;
        gui::Cp932InputGuard guard;
        const fs::path file = folder.settingsFile();
        gui::TBaseOption d(file, dialogs, guard);
        Fields f(d);
        QCOMPARE(f.texts(),
                 (QStringList{QString(), QString(), QString(), QStringLiteral("http://"), QString()}));
        QVERIFY(!f.createRead->isChecked());
        QVERIFY(!f.homePage->testAttribute(Qt::WA_InputMethodEnabled));

        Click(d, "OKBtn");
        QCOMPARE(d.result(), int(QDialog::Accepted));
        const std::string text = test::ReadBytes(file);
        // Every key, in the order of the file's first write.
        std::size_t at = 0;
        for (const char* line : {"[BaseSetting]", "Producer=", "CopyRighter=", "DevelopLang=",
                                 "HomePage=http://", "MainAddress=", "[CreateRead]", "Read=0"}) {
            const std::size_t found = text.find(line, at);
            QVERIFY2(found != std::string::npos, line);
            at = found + 1;
        }
        QVERIFY(dialogs.shown.empty());
    }

    void okWritesTheTextsAsTypedAndKeepsOtherLines() {
        test::ProgramFolder folder;
        test::ScriptedDialogs dialogs;
        gui::Cp932InputGuard guard;
        const fs::path file = folder.settingsFile();
        test::WriteBytes(file, Sjis("; my notes\r\n[BaseSetting]\r\nProducer=山田\r\nHomePage=http://a/\r\n"
                                    "[Other]\r\nKey=値\r\n[CreateRead]\r\nRead=1\r\n"));
        {
            gui::TBaseOption d(file, dialogs, guard);
            Fields f(d);
            QCOMPARE(f.texts(), (QStringList{QStringLiteral("山田"), QString(), QString(),
                                             QStringLiteral("http://a/"), QString()}));
            QVERIFY(f.createRead->isChecked());
            f.producer->setText(QStringLiteral("ＹＡＭＡＤＡ 太郎"));
            f.copyRighter->setText(QStringLiteral("(C) 山田"));
            f.developLang->setText(QStringLiteral("Ruby"));
            f.homePage->clear(); // an empty home page is stored empty
            f.mainAddress->setText(QStringLiteral("a@b.example"));
            f.createRead->setChecked(false);
            Click(d, "OKBtn");
        }
        const std::string text = test::ReadBytes(file);
        QVERIFY(text.starts_with("; my notes\r\n"));
        QVERIFY(text.find(Sjis("[Other]\r\nKey=値\r\n")) != std::string::npos);
        const IniFile ini = LoadIniFile(file).ini;
        QCOMPARE(ini.ReadString("BaseSetting", "Producer", "?"), Sjis("ＹＡＭＡＤＡ 太郎"));
        QCOMPARE(ini.ReadString("BaseSetting", "CopyRighter", "?"), Sjis("(C) 山田"));
        QCOMPARE(ini.ReadString("BaseSetting", "HomePage", "?"), std::string());
        QCOMPARE(ini.ReadString("CreateRead", "Read", "?"), std::string("0"));

        // The values stay for the next opening, the empty home page too.
        gui::TBaseOption again(file, dialogs, guard);
        Fields f(again);
        QCOMPARE(f.texts(), (QStringList{QStringLiteral("ＹＡＭＡＤＡ 太郎"), QStringLiteral("(C) 山田"),
                                         QStringLiteral("Ruby"), QString(), QStringLiteral("a@b.example")}));
        QVERIFY(!f.createRead->isChecked());
    }

    void cancelWritesNothing() {
        test::ProgramFolder folder;
        test::ScriptedDialogs dialogs;
        gui::Cp932InputGuard guard;
        gui::TBaseOption d(folder.settingsFile(), dialogs, guard);
        Fields(d).producer->setText(QStringLiteral("someone"));
        Fields(d).createRead->setChecked(true);
        Click(d, "CancelBtn");
        QCOMPARE(d.result(), int(QDialog::Rejected));
        QVERIFY(!fs::exists(folder.settingsFile()));
    }

    void aFailedWriteIsReportedAndTheDialogCloses() {
        test::ProgramFolder folder;
        test::ScriptedDialogs dialogs;
        gui::Cp932InputGuard guard;
        // A folder where the settings file should be.
        const fs::path file = folder.settingsFile();
        fs::create_directories(file);
        gui::TBaseOption d(file, dialogs, guard);
        d.show();
        Fields(d).producer->setText(QStringLiteral("someone"));
        Click(d, "OKBtn");
        QVERIFY(!d.isVisible());
        QCOMPARE(d.result(), int(QDialog::Accepted));
        const auto messages = dialogs.messages();
        QCOMPARE(messages.size(), std::size_t(1));
        QCOMPARE(messages[0].caption, QStringLiteral("Brindlewocket"));
        QCOMPARE(messages[0].text, test::Q(file) + QStringLiteral(" に書き込めません"));
        QVERIFY(fs::is_directory(file));
    }

    void theMainWindowTakesTheValuesAtItsNextStartOnly() {
        test::ProgramFolder folder;
        test::ScriptedDialogs dialogs;
        auto confirm = [](bool createRead) {
            test::WhenModal<gui::TBaseOption>([createRead](gui::TBaseOption* d) {
                Fields f(*d);
                f.producer->setText(QStringLiteral("作者さん"));
                f.homePage->setText(QStringLiteral("http://home.example/"));
                f.createRead->setChecked(createRead);
                Click(*d, "OKBtn");
            });
        };
        {
            gui::TMAIN window(folder.home(), folder.settingsFile(), dialogs);
            confirm(true);
            window.findChild<QAction*>(QStringLiteral("mnBaseOption1"))->trigger();
            QVERIFY(fs::exists(folder.settingsFile()));
            QVERIFY(window.record().Producer.empty());
            QCOMPARE(window.record().HomePage, std::string("http://"));
            QCOMPARE(window.basicPage()->findChild<QLineEdit*>(QStringLiteral("ProducerEdit"))->text(),
                     QString());
        }
        {
            gui::TMAIN window(folder.home(), folder.settingsFile(), dialogs);
            QCOMPARE(window.record().Producer, Sjis("作者さん"));
            QCOMPARE(window.record().HomePage, std::string("http://home.example/"));
            QVERIFY(window.record().Mailadrs.empty());
            QCOMPARE(window.basicPage()->findChild<QLineEdit*>(QStringLiteral("ProducerEdit"))->text(),
                     QStringLiteral("作者さん"));
            // With the switch off the values stay in the file only.
            confirm(false);
            window.findChild<QAction*>(QStringLiteral("mnBaseOption1"))->trigger();
        }
        gui::TMAIN window(folder.home(), folder.settingsFile(), dialogs);
        QVERIFY(window.record().Producer.empty());
        QCOMPARE(window.record().HomePage, std::string("http://"));
        QCOMPARE(ReadAppSettings(folder.settingsFile(), "").Producer, Sjis("作者さん"));
        QCOMPARE(dialogs.unscriptedCount, 0);
    }
};

QTEST_MAIN(BaseOptionTest)
#include "base_option_test.moc"
