// Pictures of the new-project wizard's three pages and of the project management window:
// wizard_screenshots OUTPUT_FOLDER (run under a real X server by scripts/screenshots.sh).

#include "app/MAINForm.h"
#include "controls/Fonts.h"
#include "gui_test_support.h"
#include "project/NewProjectForm.h"
#include "screenshot_support.h"

#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

using namespace bw;

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QTranslator translator;
    const std::optional<QString> folderArg =
        test::PrepareScreenshots(argc, argv, 1, "wizard_screenshots OUTPUT_FOLDER", translator);
    if (!folderArg) return 2;
    const QString& out = *folderArg;

    test::ProgramFolder folder;
    test::ScriptedDialogs dialogs;
    gui::TMAIN window(folder.home(), folder.settingsFile(), dialogs);
    window.show();

    {
        gui::TNewProject wizard(gui::TNewProject::Mode::NewProject, window.pageContext(), &window);
        wizard.show();
        wizard.activateWindow();
        auto* go = wizard.findChild<QPushButton*>(QStringLiteral("GoBtn"));
        test::SaveShot(&wizard, out, QStringLiteral("new_project_page1.png"));
        go->click();
        wizard.findChild<QLineEdit*>(QStringLiteral("ProjectNameEdit"))
            ->setText(QStringLiteral("ぶりんどる"));
        wizard.findChild<QLineEdit*>(QStringLiteral("ProducerEdit"))->setText(QStringLiteral("山田太郎"));
        wizard.findChild<QLineEdit*>(QStringLiteral("HomePageEdit"))
            ->setText(QStringLiteral("http://brindlewocket.example/"));
        wizard.findChild<QLineEdit*>(QStringLiteral("MailAdrsEdit"))
            ->setText(QStringLiteral("taro@example.com"));
        test::SaveShot(&wizard, out, QStringLiteral("new_project_page2.png"));
        go->click();
        test::SaveShot(&wizard, out, QStringLiteral("new_project_page3.png"));
        // A refused name: the offending character is selected.
        wizard.findChild<QPushButton*>(QStringLiteral("BackBtn"))->click();
        wizard.findChild<QLineEdit*>(QStringLiteral("ProjectNameEdit"))->setText(QStringLiteral("a?b:c?"));
        go->click();
        test::SaveShot(&wizard, out, QStringLiteral("new_project_refused.png"));
    }

    folder.makeProject(Sjis("ぶりんどる"));
    folder.makeProject("Sample");
    test::WriteBytes(folder.home() / "project" / "memo.txt", "memo");
    gui::TNewProject manage(gui::TNewProject::Mode::Manage, window.pageContext(), &window);
    manage.show();
    manage.activateWindow();
    manage.findChild<QListWidget*>(QStringLiteral("FileListBox"))->item(1)->setSelected(true);
    test::SaveShot(&manage, out, QStringLiteral("project_manage.png"));
    return 0;
}
