#pragma once
// The program's fonts. Its windows ask for the Windows font names; substitutions map them to
// the IPA fonts, which fontconfig picks by family only.

#include <QFont>

namespace bw::gui {

/// Maps "ＭＳ ゴシック" and "FixedSys" to IPAGothic and "ＭＳ Ｐゴシック" to IPAPGothic.
void InstallFontSubstitutions();

/// The fixed-pitch font of the preview and the editors. IPAGothic is exactly two half-width
/// columns per full-width character only at even pixel sizes, so odd sizes are rounded up.
QFont FixedPitchFont(int pixelSize);

/// The window font: "ＭＳ Ｐゴシック" 12 pixels.
QFont WindowFont();

} // namespace bw::gui
