#pragma once
// What the program does before its window is created: the application's name and icon, Qt's
// Japanese translation and the font mapping. Shared by the program and its start-up benchmark.

class QTranslator;

namespace bw::gui {

/// Call after the QApplication exists; translator must live as long as the application.
void PrepareApplication(QTranslator& translator);

} // namespace bw::gui
