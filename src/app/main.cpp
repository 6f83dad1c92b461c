// Program entry: Japanese translations and fonts, then the main window.

#include "app/DialogService.h"
#include "app/MAINForm.h"
#include "controls/Fonts.h"
#include "shell/app_settings.h"
#include "text/files.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brindlewocket"));
    QApplication::setDesktopFileName(QStringLiteral("brindlewocket"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/brindlewocket.png")));

    QTranslator qtJapanese;
    if (qtJapanese.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtJapanese);

    bw::gui::InstallFontSubstitutions();
    QApplication::setFont(bw::gui::WindowFont());

    bw::gui::WidgetDialogService dialogs;
    const std::filesystem::path home = bw::ExecutableFolder();
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    bw::gui::TMAIN window(home, bw::SettingsFilePath(ec ? home / "brindlewocket" : exe), dialogs);
    window.show();
    return QApplication::exec();
}
