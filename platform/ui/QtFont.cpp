#include "platform/ui/QtFont.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

namespace tw::ui {

namespace {

constexpr int kDefaultPixelSize = 13;

// A positive height is the cell height: scale the em so that ascent plus
// descent comes to it.
int PixelSizeFor(QFont font, int height) {
    if (height < 0) {
        return -height;
    }
    if (height == 0) {
        return kDefaultPixelSize;
    }
    font.setPixelSize(height);
    const int cell = QFontMetrics(font).height();
    return cell > 0 ? std::max(1, height * height / cell) : height;
}

void ApplyWidth(QFont& font, int width) {
    if (width <= 0) {
        return;
    }
    const int natural = QFontMetrics(font).averageCharWidth();
    if (natural > 0) {
        font.setStretch(
            std::clamp(static_cast<int>(std::lround(width * 100.0 / natural)), 1, 4000));
    }
}

// The windows were drawn for Helvetica, Courier New, Times New Roman and MS
// Sans Serif; the Liberation families have their metrics. Naming them here,
// rather than letting the font configuration pick a substitute, keeps the
// panel's texts where they belong on a desktop whose configuration prefers
// another family for those names (URW's Nimbus Sans takes "Helvetica").
// Courier faces get Mono, Times faces Serif, every other face Sans.
QString FamilyFor(const LogFont& d) {
    const QString face =
        QString::fromLatin1(d.faceName, static_cast<int>(strnlen(d.faceName, kFaceNameSize)))
            .toLower();
    if (face.startsWith(QLatin1String("courier"))) {
        return QStringLiteral("Liberation Mono");
    }
    if (face.startsWith(QLatin1String("times")) || face == QLatin1String("ms serif")) {
        return QStringLiteral("Liberation Serif");
    }
    return QStringLiteral("Liberation Sans");
}

}  // namespace

QFont ToQFont(const LogFont& d) {
    QFont font(FamilyFor(d));
    font.setStyleHint(QFont::AnyStyle, QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setPixelSize(PixelSizeFor(font, d.height));
    const int weight = d.weight <= 0 ? 400 : std::clamp(static_cast<int>(d.weight), 1, 1000);
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setItalic(d.italic != 0);
    font.setUnderline(d.underline != 0);
    font.setStrikeOut(d.strikeOut != 0);
    font.setKerning(false);
    ApplyWidth(font, d.width);
    return font;
}

}  // namespace tw::ui
