// Pictures of the main window's pages, its menus, the style popup and the ReadMe output
// dialog, with the sample project open: main_screenshots OUTPUT_FOLDER SAMPLE_FOLDER (run
// under a real X server by scripts/screenshots.sh).

#include "app/MAINForm.h"
#include "app/PreviewPage.h"
#include "app/Startup.h"
#include "gui_test_support.h"
#include "screenshot_support.h"
#include "shell/OutputReadMeForm.h"

#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QTranslator>

using namespace bw;

namespace {

QString out;

void Save(QWidget* w, const QString& name) {
    test::SaveShot(w, out, name, 200);
}

// The window with one of its menus dropped down, as the user sees it.
void SaveWithMenu(QWidget* window, QMenu* menu, const QString& name) {
    QMenuBar* bar = window->findChild<QMenuBar*>();
    bar->setActiveAction(menu->menuAction());
    QTest::qWait(300);
    QPixmap shot = window->grab();
    const QPixmap dropped = menu->grab();
    QPainter painter(&shot);
    painter.drawPixmap(window->mapFromGlobal(menu->pos()), dropped);
    painter.end();
    shot.save(out + QStringLiteral("/") + name);
    menu->hide();
    bar->setActiveAction(nullptr);
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QTranslator translator;
    const std::optional<QString> folderArg =
        test::PrepareScreenshots(argc, argv, 2, "main_screenshots OUTPUT_FOLDER SAMPLE_FOLDER", translator);
    if (!folderArg) return 2;
    out = *folderArg;
    const std::filesystem::path sample = argv[2];

    test::ProgramFolder folder;
    std::filesystem::copy(sample / "project", folder.home() / "project",
                          std::filesystem::copy_options::recursive |
                              std::filesystem::copy_options::overwrite_existing);
    folder.writeLayout("シンプル枠.txt", "[$HrzLine1]\n  [%AppTitle]  [%xVersion]\n[$HrzLine2]\n");
    folder.writeLayout("作者入り.txt", "[%AppTitle] / [%Producer]\n");
    test::ScriptedDialogs dialogs;
    gui::TMAIN window(folder.home(), folder.settingsFile(), dialogs);
    window.show();
    Save(&window, QStringLiteral("main_start.png"));

    dialogs.files.push_back(test::Q(folder.home() / "project" / "Brindlewocket.bwk"));
    window.findChild<QAction*>(QStringLiteral("mnProjectOpen1"))->trigger();
    auto* pages = window.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    pages->setCurrentIndex(0);
    Save(&window, QStringLiteral("main_basic_page.png"));
    pages->setCurrentIndex(1);
    Save(&window, QStringLiteral("main_long_text_page.png"));
    pages->setCurrentIndex(2);
    Save(&window, QStringLiteral("main_preview_page.png"));

    const char* menus[] = {"mnFile", "mnShow", "mnSetting", "mnHelp"};
    for (const char* name : menus) {
        auto* menu = window.findChild<QMenu*>(QLatin1String(name));
        SaveWithMenu(&window, menu, QStringLiteral("menu_%1.png").arg(QLatin1String(name)));
    }

    // The style popup beside the style list, then the user layouts in the list.
    window.findChild<QToolButton*>(QStringLiteral("StyleSpdBtn"))->click();
    auto* popup = window.findChild<QMenu*>(QStringLiteral("StylePopup"));
    QTest::qWait(300);
    {
        QPixmap shot = window.grab();
        QPainter painter(&shot);
        painter.drawPixmap(window.mapFromGlobal(popup->pos()), popup->grab());
        painter.end();
        shot.save(out + QStringLiteral("/preview_style_popup.png"));
    }
    popup->hide();
    window.findChild<QAction*>(QStringLiteral("popStyleUser1"))->trigger();
    window.findChild<QAction*>(QStringLiteral("mnPreview1"))->trigger();
    window.previewPage()->Refresh();
    Save(&window, QStringLiteral("preview_user_layout.png"));

    window.findChild<QAction*>(QStringLiteral("mnPreviewSetting1"))->trigger();
    Save(&window, QStringLiteral("preview_without_options.png"));
    window.findChild<QAction*>(QStringLiteral("mnPreviewSetting1"))->trigger();

    test::WhenModal<gui::TOutputReadMe>([](gui::TOutputReadMe* dialog) {
        dialog->findChild<QLineEdit*>(QStringLiteral("PathEdit"))
            ->setText(QStringLiteral("/home/taro/ReadMe.txt"));
        dialog->findChild<QRadioButton*>(QStringLiteral("StampRdoBtn"))->click();
        Save(dialog, QStringLiteral("output_dialog.png"));
        dialog->reject();
    });
    window.findChild<QAction*>(QStringLiteral("mnOutputReadMe1"))->trigger();

    dialogs.answers.push_back(gui::DialogService::Answer::No);
    window.close();
    return 0;
}
