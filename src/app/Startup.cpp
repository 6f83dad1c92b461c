#include "app/Startup.h"

#include "controls/Fonts.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace bw::gui {

void PrepareApplication(QTranslator& translator) {
    QApplication::setApplicationName(QStringLiteral("Brindlewocket"));
    QApplication::setDesktopFileName(QStringLiteral("brindlewocket"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/brindlewocket.png")));
    // Qt's own texts (standard buttons, file dialogs, context menus) in Japanese.
    if (translator.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                        QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&translator);
    InstallFontSubstitutions();
    QApplication::setFont(WindowFont());
}

} // namespace bw::gui
