#pragma once
// How readable the texts of a window are, measured from two pictures of it: one as it is
// shown and one with every text cleared. The text pixels are the pixels that differ between
// the two; the picture without texts gives what each of them stands on.

#include <QImage>
#include <QRegion>
#include <QString>

namespace TextContrast {

// Relative luminance of an sRGB colour: 0 for black, 1 for white.
double Luminance(QRgb colour);
// (lighter + 0.05) / (darker + 0.05): 1 for equal colours, 21 for black on white.
double Ratio(QRgb a, QRgb b);

struct TMeasure {
    int TextPixels = 0;           // pixels the text changes
    double Ratio = 0;             // the text's contrast; 0 when no text pixel was found
    QRgb Ink = 0, Background = 0; // a stroke pixel of that contrast and what it stands on
};

// The contrast of the text inside `area`. Each text pixel has its own contrast, its colour
// with the text against its colour without; the text's contrast is the 95th percentile of
// them: the anti-aliased edges, which blend text and background, do not count against the
// text, the cores of its strokes do.
TMeasure Measure(const QImage& withTexts, const QImage& withoutTexts, const QRegion& area);

} // namespace TextContrast
