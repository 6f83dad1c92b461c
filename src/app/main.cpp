// Program entry: the application's set-up, then the main window until it closes.

#include "app/DialogService.h"
#include "app/MAINForm.h"
#include "app/Startup.h"
#include "shell/app_settings.h"
#include "text/files.h"

#include <QApplication>
#include <QTranslator>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QTranslator translator;
    bw::gui::PrepareApplication(translator);

    bw::gui::WidgetDialogService dialogs;
    const std::filesystem::path home = bw::ExecutableFolder();
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    bw::gui::TMAIN window(home, bw::SettingsFilePath(ec ? home / "brindlewocket" : exe), dialogs);
    window.show();
    return QApplication::exec();
}
