// Pictures of the basic-items page and of the version, basic settings and version information
// dialogs, for looking at the layout: basic_screenshots OUTPUT_FOLDER (run under a real X
// server, scripts/screenshots.sh).

#include "app/BasicPage.h"
#include "app/MAINForm.h"
#include "controls/Fonts.h"
#include "editing/VersionInputForm.h"
#include "gui_test_support.h"
#include "screenshot_support.h"
#include "shell/AboutForm.h"
#include "shell/BaseOptionForm.h"

#include <QDir>
#include <QTabWidget>

using namespace bw;

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QTranslator translator;
    const std::optional<QString> folderArg =
        test::PrepareScreenshots(argc, argv, 1, "basic_screenshots OUTPUT_FOLDER", translator);
    if (!folderArg) return 2;
    const QString& out = *folderArg;

    test::ProgramFolder folder;
    test::ScriptedDialogs dialogs;
    gui::TMAIN window(folder.home(), folder.settingsFile(), dialogs);
    ReadMeProject& r = window.record();
    r.SoftName = Sjis("ぶりんどるうぉけっと");
    r.Producer = Sjis("山田太郎");
    r.Version = "ver 1.2.0.5";
    r.ArcName = "bwocket";
    r.ArcExt = ".zip";
    r.Kind = Sjis("シェアウェア");
    r.Value = "1200";
    r.DevLang = "Borland C++Builder";
    r.CopyRight = Sjis("山田太郎");
    r.HomePage = "http://brindlewocket.example/";
    r.Mailadrs = "taro@example.com";
    window.basicPage()->LoadFromRecord();
    test::SaveShot(&window, out, QStringLiteral("basic_page.png"));

    // The project INI file of the version dialog's remembered input.
    r.IniPath = folder.home() / "project" / "shot.ini";
    test::WriteBytes(r.IniPath, Sjis("[VerInput]\r\nVerCmb=バージョン\r\nVerEd1=1\r\nVerEd2=2\r\nVerEd3=0\r\n"
                                     "VerEd4=5\r\n+alpha=β\r\n"));
    gui::TVersionInput version(r, dialogs, window.inputGuard(), &window);
    test::SaveShot(&version, out, QStringLiteral("version_input.png"));

    test::WriteBytes(
        folder.settingsFile(),
        Sjis("[BaseSetting]\r\nProducer=山田太郎\r\nCopyRighter=山田太郎\r\nDevelopLang=Borland Delphi\r\n"
             "HomePage=http://brindlewocket.example/\r\nMainAddress=taro@example.com\r\n"
             "[CreateRead]\r\nRead=1\r\n"));
    gui::TBaseOption options(folder.settingsFile(), dialogs, window.inputGuard(), &window);
    test::SaveShot(&options, out, QStringLiteral("base_option.png"));

    gui::TAboutBox about(&window);
    test::SaveShot(&about, out, QStringLiteral("about_box.png"));
    return 0;
}
