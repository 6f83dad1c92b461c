#pragma once
// Shared by the programs that take pictures of the windows (scripts/screenshots.sh): the
// arguments, the application's set-up as the program does it, and saving a picture.

#include "app/Startup.h"

#include <QApplication>
#include <QDir>
#include <QTest>
#include <QTranslator>
#include <QWidget>

#include <optional>

namespace bw::test {

/// The output folder (the first of args arguments), created, with the application prepared
/// like the program; nullopt after a usage message when the arguments do not fit.
inline std::optional<QString> PrepareScreenshots(int argc, char* argv[], int args, const char* usage,
                                                 QTranslator& translator) {
    if (argc != args + 1) {
        qWarning("usage: %s", usage);
        return std::nullopt;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    gui::PrepareApplication(translator);
    return out;
}

/// Shows w, lets it paint, and saves its picture as folder/name.
inline void SaveShot(QWidget* w, const QString& folder, const QString& name, int waitMs = 300) {
    w->show();
    QTest::qWait(waitMs);
    w->grab().save(folder + QStringLiteral("/") + name);
}

} // namespace bw::test
