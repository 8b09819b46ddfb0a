#include "platform/ui/QtFont.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

namespace tw::ui {

namespace {

constexpr int kDefaultPixelSize = 13;

// The faces the panel names, asked for by their metric-compatible
// equivalents: left to the font configuration, "Helvetica" may come out as
// another face with other metrics, and the panel's labels would outgrow
// their boxes.
QString FaceFor(const std::string& face) {
    if (face.empty() || face == "Helvetica") {
        return QStringLiteral("Liberation Sans");
    }
    if (face == "Courier New") {
        return QStringLiteral("Liberation Mono");
    }
    if (face == "Times New Roman") {
        return QStringLiteral("Liberation Serif");
    }
    return QString::fromStdString(face);
}

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

}  // namespace

QFont ToQFont(const LogFont& d) {
    const std::string face(d.faceName, strnlen(d.faceName, kFaceNameSize));
    QFont font(FaceFor(face));
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
