// The yardstick of the start-up benchmark: the least a Qt Widgets program does to show a window.

#include <QApplication>
#include <QLabel>

#include "first_paint.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("Hello"));
    window.resize(634, 433);
    QuitOnFirstPaint quit(&window);
    window.show();
    return QApplication::exec();
}
