// Program entry: the application's set-up, then the main window until it closes.

#include "app/DialogService.h"
#include "app/MAINForm.h"
#include "app/Startup.h"
#include "shell/app_settings.h"
#include "text/files.h"

#include <QApplication>
#include <QTranslator>

#include <csignal>

int main(int argc, char* argv[]) {
    // A file-size limit (or a full quota) must fail a write, which keeps the old file and
    // reports it, rather than kill the program with the author's edits unsaved.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    QTranslator translator;
    bw::gui::PrepareApplication(translator);

    bw::gui::WidgetDialogService dialogs;
    const std::filesystem::path home = bw::ExecutableFolder();
    const std::filesystem::path exe = bw::ExecutablePath();
    bw::gui::TMAIN window(home, bw::SettingsFilePath(exe.empty() ? home / "brindlewocket" : exe), dialogs);
    window.show();
    return QApplication::exec();
}
