// The program's start-up as the benchmark sees it: the same set-up and main window as the
// program, ending as soon as the window has painted for the first time.

#include "app/DialogService.h"
#include "app/MAINForm.h"
#include "app/Startup.h"
#include "shell/app_settings.h"
#include "text/files.h"

#include <QApplication>
#include <QTranslator>

#include "first_paint.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QTranslator translator;
    bw::gui::PrepareApplication(translator);
    bw::gui::WidgetDialogService dialogs;
    const std::filesystem::path home = bw::ExecutableFolder();
    bw::gui::TMAIN window(home, bw::SettingsFilePath(home / "startup_window"), dialogs);
    QuitOnFirstPaint quit(&window);
    window.show();
    return QApplication::exec();
}
