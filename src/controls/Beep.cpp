#include "controls/Beep.h"

#include <QApplication>

namespace bw::gui {

namespace {
int beeps = 0;
}

void Beep() {
    ++beeps;
    QApplication::beep();
}

int BeepCount() {
    return beeps;
}

} // namespace bw::gui
