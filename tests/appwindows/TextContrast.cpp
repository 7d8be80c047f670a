#include "TextContrast.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace TextContrast {

namespace {

double Linear(int channel) {
    const double c = channel / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

// Below this difference in every channel two pixels count as the same: the pictures come
// from the same drawing code, so only the texts make larger differences.
constexpr int SameColour = 24;

bool Differs(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) > SameColour ||
           std::abs(qGreen(a) - qGreen(b)) > SameColour ||
           std::abs(qBlue(a) - qBlue(b)) > SameColour;
}

} // namespace

double Luminance(QRgb colour) {
    return 0.2126 * Linear(qRed(colour)) + 0.7152 * Linear(qGreen(colour)) +
           0.0722 * Linear(qBlue(colour));
}

double Ratio(QRgb a, QRgb b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TMeasure Measure(const QImage& withTexts, const QImage& withoutTexts, const QRegion& area) {
    struct TPixel {
        double Ratio;
        QRgb Ink, Background;
    };
    std::vector<TPixel> pixels;
    const QRect bounds = withTexts.rect() & withoutTexts.rect();
    for (const QRect& part : area) {
        const QRect r = part & bounds;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) {
                const QRgb ink = withTexts.pixel(x, y), background = withoutTexts.pixel(x, y);
                if (Differs(ink, background))
                    pixels.push_back({TextContrast::Ratio(ink, background), ink, background});
            }
    }
    TMeasure measure;
    measure.TextPixels = static_cast<int>(pixels.size());
    if (pixels.empty())
        return measure;
    const size_t at = pixels.size() * 95 / 100;
    std::nth_element(pixels.begin(), pixels.begin() + static_cast<std::ptrdiff_t>(at), pixels.end(),
                     [](const TPixel& a, const TPixel& b) { return a.Ratio < b.Ratio; });
    measure.Ratio = pixels[at].Ratio;
    measure.Ink = pixels[at].Ink;
    measure.Background = pixels[at].Background;
    return measure;
}

} // namespace TextContrast
