#pragma once
// The system beep, counted so that tests can tell a refused key from an accepted one.

namespace bw::gui {

/// Sounds the desktop's default beep.
void Beep();
/// How many beeps the program has sounded since it started.
int BeepCount();

} // namespace bw::gui
