#include "controls/Fonts.h"

namespace bw::gui {

void InstallFontSubstitutions() {
    QFont::insertSubstitution(QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"));
    QFont::insertSubstitution(QStringLiteral("FixedSys"), QStringLiteral("IPAGothic"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
}

QFont FixedPitchFont(int pixelSize) {
    QFont font(QStringLiteral("ＭＳ ゴシック"));
    font.setPixelSize(pixelSize + (pixelSize % 2));
    font.setFixedPitch(true);
    font.setStyleHint(QFont::TypeWriter);
    font.setKerning(false);
    return font;
}

QFont WindowFont() {
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPixelSize(12);
    return font;
}

} // namespace bw::gui
