// The version information dialog: the build's version, the link's look under the mouse,
// the address it opens, and the keys that close it.

#include "app/MAINForm.h"
#include "gui_test_support.h"
#include "shell/AboutForm.h"

#include <QAction>
#include <QDesktopServices>
#include <QEnterEvent>
#include <QLabel>
#include <QPushButton>
#include <QUrl>

using namespace bw;

/// Takes the addresses the desktop is asked to open.
class UrlCatcher : public QObject {
    Q_OBJECT
  public:
    QList<QUrl> opened;
  public slots:
    void open(const QUrl& url) { opened << url; }
};

class AboutBoxTest : public QObject {
    Q_OBJECT
  private slots:
    void showsNameVersionAndIcon() {
        gui::TAboutBox d;
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        QCOMPARE(d.windowTitle(), QStringLiteral("バージョン情報"));
        QCOMPARE(d.findChild<QLabel*>(QStringLiteral("ProductName"))->text(),
                 QStringLiteral("　Brindlewocket"));
        QCOMPARE(d.findChild<QLabel*>(QStringLiteral("Version"))->text(), QStringLiteral("Ver 1.0.0.0"));
        const QLabel* icon = d.findChild<QLabel*>(QStringLiteral("ProgramIcon"));
        QVERIFY(!icon->pixmap().isNull());
        QCOMPARE(icon->pixmap().size(), QSize(32, 32));
    }

    void theLinkLightsUpUnderTheMouseAndOpensTheSupportPage() {
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
        gui::TAboutBox d;
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        auto* link = d.findChild<QLabel*>(QStringLiteral("SupportURLLabel"));
        QCOMPARE(link->text(), gui::SupportPageAddress());
        QCOMPARE(link->toolTip(), QStringLiteral("一応サポートページ"));
        QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
        auto look = [link] {
            return std::pair(link->palette().color(QPalette::WindowText), link->font().underline());
        };
        QCOMPARE(look(), std::pair(QColor(Qt::blue), false));

        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QApplication::sendEvent(link, &enter);
        QCOMPARE(look(), std::pair(QColor(Qt::red), true));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(link, &leave);
        QCOMPARE(look(), std::pair(QColor(Qt::blue), false));

        QTest::mouseClick(link, Qt::LeftButton);
        QCOMPARE(catcher.opened, QList<QUrl>{QUrl(gui::SupportPageAddress())});
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    }

    void escapeDoesNotCloseItButEnterAndOkDo() {
        test::ProgramFolder folder;
        test::ScriptedDialogs dialogs;
        gui::TMAIN window(folder.home(), folder.settingsFile(), dialogs);
        int rounds = 0;
        for (const char* how : {"Return", "OK"}) {
            test::WhenModal<gui::TAboutBox>([&rounds, how](gui::TAboutBox* d) {
                QTest::keyClick(d, Qt::Key_Escape);
                QVERIFY(d->isVisible());
                if (std::string_view(how) == "Return")
                    QTest::keyClick(d, Qt::Key_Return);
                else
                    QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("OKButton")), Qt::LeftButton);
                ++rounds;
            });
            window.findChild<QAction*>(QStringLiteral("mnAbout1"))->trigger();
        }
        QCOMPARE(rounds, 2);
    }
};

QTEST_MAIN(AboutBoxTest)
#include "about_box_test.moc"
