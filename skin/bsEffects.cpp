#include "skin/bsEffects.h"

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/Exceptions.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace {

// Nearest integer, halves to even (the default rounding mode), clamped to a channel.
inline uint8_t ToChannel(double value) {
    double rounded = std::nearbyint(value);
    if (!(rounded > 0.0))
        return 0;
    if (rounded > 255.0)
        return 255;
    return static_cast<uint8_t>(rounded);
}

// Nearest integer, halves to even, kept inside the int range (NaN gives 0).
int RoundToInt(double value) {
    if (std::isnan(value))
        return 0;
    constexpr double Limit = 1 << 30;
    return static_cast<int>(std::nearbyint(std::clamp(value, -Limit, Limit)));
}

double Clamp01(double x) {
    return std::isnan(x) ? 0.0 : std::clamp(x, 0.0, 1.0);
}

// Lower bound first, then the upper one, so an empty range gives the upper bound.
int ClampLowThenHigh(int value, int low, int high) {
    value = std::max(value, low);
    return std::min(value, high);
}

// The weights of a ramp of `count` steps: 0, then growing by `step`, capped at 1.
std::vector<double> RampWeights(int count, double step) {
    std::vector<double> weights(static_cast<size_t>(std::max(count, 0)));
    double w = 0.0;
    for (double& weight : weights) {
        weight = w;
        w = std::min(1.0, w + step);
    }
    return weights;
}

// own = w * own + (1 - w) * target for the three channels of one pixel.
inline void BlendPixel(uint8_t* own, const uint8_t* target, double w) {
    for (int c = 0; c < 3; ++c)
        own[c] = ToChannel(w * own[c] + (1.0 - w) * target[c]);
}

template <typename PixelOp> void ForEachPixel(QImage& image, int width, int height, PixelOp op) {
    for (int y = 0; y < height; ++y) {
        uint8_t* p = image.scanLine(y);
        for (int x = 0; x < width; ++x, p += 3)
            op(p);
    }
}

// Changes every channel of every pixel by the same function of its value alone: the
// function is worked out once for each of the 256 values.
template <typename ChannelOp>
void ForEachChannel(QImage& image, int width, int height, ChannelOp op) {
    std::array<uint8_t, 256> table{};
    for (int v = 0; v < 256; ++v)
        table[static_cast<size_t>(v)] = op(static_cast<uint8_t>(v));
    ForEachPixel(image, width, height, [&table](uint8_t* p) {
        for (int c = 0; c < 3; ++c)
            p[c] = table[p[c]];
    });
}

} // namespace

// ---------------------------------------------------------------- TbsFBitmap

TbsFBitmap::TbsFBitmap(const TBitmap& bitmap) {
    if (bitmap.Empty())
        return;
    FImage = bitmap.ToQImage();
    if (FImage.format() != QImage::Format_BGR888)
        FImage = FImage.convertToFormat(QImage::Format_BGR888);
    FWidth = FImage.width();
    FHeight = FImage.height();
    FRows.resize(static_cast<size_t>(FHeight));
    for (int y = 0; y < FHeight; ++y)
        FRows[static_cast<size_t>(y)] = FImage.constScanLine(y);
}

// ---------------------------------------------------------------- TbsEffectBmp

TbsEffectBmp::TbsEffectBmp(const TBitmap& bitmap) {
    if (bitmap.Empty())
        return;
    FImage = bitmap.ToQImage();
    if (FImage.format() != QImage::Format_BGR888)
        FImage = FImage.convertToFormat(QImage::Format_BGR888);
    FWidth = FImage.width();
    FHeight = FImage.height();
}

TbsEffectBmp::TbsEffectBmp(int width, int height) {
    if (width <= 0 || height <= 0)
        return;
    FImage = QImage(width, height, QImage::Format_BGR888);
    if (FImage.isNull())
        throw EInvalidGraphic(
            QStringLiteral("Not enough memory for a %1 x %2 bitmap").arg(width).arg(height));
    FImage.fill(Qt::black);
    FWidth = width;
    FHeight = height;
}

int TbsEffectBmp::RowBytes() const {
    return FImage.isNull() ? 0 : static_cast<int>(FImage.bytesPerLine());
}

uint8_t* TbsEffectBmp::RowAddress(int y) {
    if (y < 0 || y >= FHeight)
        throw EInvalidGraphic(QStringLiteral("Scan line index out of range"));
    return FImage.scanLine(y);
}

const uint8_t* TbsEffectBmp::RowAddress(int y) const {
    if (y < 0 || y >= FHeight)
        throw EInvalidGraphic(QStringLiteral("Scan line index out of range"));
    return FImage.constScanLine(y);
}

void TbsEffectBmp::ReadRow(int y, uint8_t* buffer) const {
    std::memcpy(buffer, RowAddress(y), static_cast<size_t>(3 * FWidth));
}

void TbsEffectBmp::WriteRow(int y, const uint8_t* buffer) {
    std::memcpy(RowAddress(y), buffer, static_cast<size_t>(3 * FWidth));
}

void TbsEffectBmp::DrawTo(TCanvas& canvas, int x, int y) const {
    if (FImage.isNull())
        return;
    TBitmap bitmap;
    bitmap.FromQImage(FImage);
    canvas.Draw(x, y, bitmap);
}

void TbsEffectBmp::AssignTo(TBitmap& bitmap) const {
    if (FImage.isNull())
        bitmap.SetSize(0, 0);
    else
        bitmap.FromQImage(FImage);
}

bool TbsEffectBmp::SameSize(const TbsEffectBmp& other) const {
    return FWidth == other.FWidth && FHeight == other.FHeight;
}

void TbsEffectBmp::RampColumns(const TbsEffectBmp& target, int first, int last, int direction,
                               double step) {
    const int count = (last - first) * direction + 1;
    if (count <= 0)
        return;
    const std::vector<double> weights = RampWeights(count, step);
    for (int y = 0; y < FHeight; ++y) {
        uint8_t* own = FImage.scanLine(y);
        const uint8_t* other = target.FImage.constScanLine(y);
        for (int k = 0; k < count; ++k) {
            const int x = first + k * direction;
            BlendPixel(own + 3 * x, other + 3 * x, weights[static_cast<size_t>(k)]);
        }
    }
}

void TbsEffectBmp::RampRows(const TbsEffectBmp& target, int first, int last, int direction,
                            double step) {
    const int count = (last - first) * direction + 1;
    if (count <= 0)
        return;
    const std::vector<double> weights = RampWeights(count, step);
    for (int k = 0; k < count; ++k) {
        const int y = first + k * direction;
        uint8_t* own = FImage.scanLine(y);
        const uint8_t* other = target.FImage.constScanLine(y);
        for (int x = 0; x < FWidth; ++x)
            BlendPixel(own + 3 * x, other + 3 * x, weights[static_cast<size_t>(k)]);
    }
}

void TbsEffectBmp::CopyTargetColumns(const TbsEffectBmp& target, int firstOwn, int firstTarget,
                                     int count) {
    if (count <= 0)
        return;
    for (int y = 0; y < FHeight; ++y)
        std::memcpy(FImage.scanLine(y) + 3 * firstOwn,
                    target.FImage.constScanLine(y) + 3 * firstTarget,
                    static_cast<size_t>(3 * count));
}

void TbsEffectBmp::Morph(const TbsEffectBmp& target, double x) {
    if (!SameSize(target))
        return;
    x = Clamp01(x);
    for (int y = 0; y < FHeight; ++y) {
        uint8_t* own = FImage.scanLine(y);
        const uint8_t* other = target.FImage.constScanLine(y);
        for (int i = 0; i < 3 * FWidth; ++i)
            own[i] = ToChannel((1.0 - x) * own[i] + x * other[i]);
    }
}

void TbsEffectBmp::MorphGradient(const TbsEffectBmp& target, double x) {
    if (FWidth < FHeight)
        MorphVGradient(target, x);
    else
        MorphHGradient(target, x);
}

// A band in the middle turns into the target; ramps on both sides blend back to this
// picture over the remaining half width.
void TbsEffectBmp::MorphHGradient(const TbsEffectBmp& target, double x) {
    if (!SameSize(target) || FWidth == 0)
        return;
    const int a = RoundToInt(FWidth * x);
    const int left = std::clamp(FWidth / 2 - a / 2, 0, FWidth - 1);
    const int right = std::clamp(FWidth / 2 + a / 2, 0, FWidth - 1);
    if (right > left + 1)
        CopyTargetColumns(target, left + 1, left + 1, right - left - 1);
    const int b = (FWidth - a) / 2;
    const double step = b == 0 ? 1.0 : 1.0 / b;
    RampColumns(target, left, 0, -1, step);
    RampColumns(target, right, FWidth - 1, 1, step);
}

void TbsEffectBmp::MorphVGradient(const TbsEffectBmp& target, double x) {
    if (!SameSize(target) || FHeight == 0)
        return;
    const int a = RoundToInt(FHeight * x);
    const int top = std::clamp(FHeight / 2 - a / 2, 0, FHeight - 1);
    const int bottom = std::clamp(FHeight / 2 + a / 2, 0, FHeight - 1);
    for (int y = top + 1; y < bottom; ++y)
        std::memcpy(FImage.scanLine(y), target.FImage.constScanLine(y),
                    static_cast<size_t>(3 * FWidth));
    const int b = (FHeight - 1 - a) / 2;
    const double step = b == 0 ? 0.0 : 1.0 / b;
    RampRows(target, top, 0, -1, step);
    RampRows(target, bottom, FHeight - 1, 1, step);
}

void TbsEffectBmp::MorphLeftGradient(const TbsEffectBmp& target, double x) {
    if (!SameSize(target) || FWidth == 0)
        return;
    const int a = ClampLowThenHigh(RoundToInt(FWidth * x), 1, FWidth - 1);
    RampColumns(target, 0, a, 1, a == 0 ? 1.0 : 1.0 / a);
}

void TbsEffectBmp::MorphRightGradient(const TbsEffectBmp& target, double x) {
    if (!SameSize(target) || FWidth == 0)
        return;
    const int a = std::clamp(FWidth - RoundToInt(FWidth * x), 0, FWidth - 1);
    RampColumns(target, FWidth - 1, a, -1, 1.0 / (FWidth - a));
}

void TbsEffectBmp::MorphLeftSlide(const TbsEffectBmp& target, double x) {
    if (!SameSize(target) || FWidth == 0)
        return;
    const int b = ClampLowThenHigh(RoundToInt(FWidth * x), 1, FWidth - 1);
    CopyTargetColumns(target, 0, FWidth - b, b);
}

void TbsEffectBmp::MorphRightSlide(const TbsEffectBmp& target, double x) {
    if (!SameSize(target) || FWidth == 0)
        return;
    const int b = ClampLowThenHigh(RoundToInt(FWidth * x), 1, FWidth - 1);
    CopyTargetColumns(target, FWidth - b, 0, b);
}

// The target enters from the left and pushes this picture out to the right.
void TbsEffectBmp::MorphPush(const TbsEffectBmp& target, double x) {
    if (!SameSize(target) || FWidth == 0)
        return;
    const int a = std::clamp(RoundToInt(FWidth * x), 0, FWidth - 1);
    for (int y = 0; y < FHeight; ++y) {
        uint8_t* row = FImage.scanLine(y);
        // Column j takes column j - a - 1 (j > a); column a takes column 0.
        std::memmove(row + 3 * (a + 1), row, static_cast<size_t>(3 * (FWidth - a - 1)));
        std::memcpy(row + 3 * a, row, 3);
    }
    CopyTargetColumns(target, 0, FWidth - a - 1, a + 1);
}

void TbsEffectBmp::MorphBy(TbsMorphKind kind, const TbsEffectBmp& target, double x) {
    switch (kind) {
    case TbsMorphKind::mkDefault:
        Morph(target, x);
        break;
    case TbsMorphKind::mkGradient:
        MorphGradient(target, x);
        break;
    case TbsMorphKind::mkLeftGradient:
        MorphLeftGradient(target, x);
        break;
    case TbsMorphKind::mkRightGradient:
        MorphRightGradient(target, x);
        break;
    case TbsMorphKind::mkLeftSlide:
        MorphLeftSlide(target, x);
        break;
    case TbsMorphKind::mkRightSlide:
        MorphRightSlide(target, x);
        break;
    case TbsMorphKind::mkPush:
        MorphPush(target, x);
        break;
    }
}

void TbsEffectBmp::Brightness(double x) {
    x = Clamp01(x);
    ForEachChannel(FImage, FWidth, FHeight,
                   [x](uint8_t v) { return ToChannel((1.0 - x) * v + 255.0 * x); });
}

void TbsEffectBmp::Darkness(double x) {
    x = Clamp01(x);
    ForEachChannel(FImage, FWidth, FHeight, [x](uint8_t v) { return ToChannel((1.0 - x) * v); });
}

void TbsEffectBmp::GrayScale() {
    ForEachPixel(FImage, FWidth, FHeight, [](uint8_t* p) {
        const uint8_t g = ToChannel(0.3 * p[2] + 0.59 * p[1] + 0.11 * p[0]);
        p[0] = p[1] = p[2] = g;
    });
}

void TbsEffectBmp::Noise(int amount) {
    // random(k) is uniform in 0 .. k - 1, and 0 when k is not positive.
    std::uniform_int_distribution<int> random(0, std::max(amount - 1, 0));
    const int half = amount / 2;
    ForEachPixel(FImage, FWidth, FHeight, [&](uint8_t* p) {
        const int n = (amount > 0 ? random(FRandom) : 0) - half;
        for (int c = 0; c < 3; ++c)
            p[c] = static_cast<uint8_t>(std::clamp(p[c] + n, 0, 255));
    });
}

// In place, top to bottom: the rows above have already been blurred when they are read as
// neighbours. A neighbour outside the picture is replaced by the pixel's own row or column.
void TbsEffectBmp::SplitBlur(int amount) {
    if (amount == 0 || FImage.isNull())
        return;
    const size_t rowBytes = static_cast<size_t>(3 * FWidth);
    std::vector<uint8_t> buffers(3 * rowBytes);
    uint8_t* upper = buffers.data();
    uint8_t* lower = upper + rowBytes;
    uint8_t* result = lower + rowBytes;
    auto inside = [](int i, int limit) { return i >= 0 && i < limit; };
    auto blurAt = [&](int x) {
        const int l = 3 * (inside(x - amount, FWidth) ? x - amount : x);
        const int r = 3 * (inside(x + amount, FWidth) ? x + amount : x);
        for (int c = 0; c < 3; ++c)
            result[3 * x + c] = static_cast<uint8_t>(
                (upper[l + c] + upper[r + c] + lower[l + c] + lower[r + c]) / 4);
    };
    // Between the edges both neighbours are inside: one run over the bytes, which the
    // compiler vectorises.
    const int interiorFrom = amount > 0 ? std::min(amount, FWidth) : FWidth;
    const int interiorTo = amount > 0 ? std::max(interiorFrom, FWidth - amount) : FWidth;
    const size_t shift = static_cast<size_t>(3 * amount);
    for (int y = 0; y < FHeight; ++y) {
        ReadRow(inside(y - amount, FHeight) ? y - amount : y, upper);
        ReadRow(inside(y + amount, FHeight) ? y + amount : y, lower);
        for (int x = 0; x < interiorFrom; ++x)
            blurAt(x);
        for (size_t i = 3 * size_t(interiorFrom); i < 3 * size_t(interiorTo); ++i)
            result[i] = static_cast<uint8_t>(
                (upper[i - shift] + upper[i + shift] + lower[i - shift] + lower[i + shift]) / 4);
        for (int x = interiorTo; x < FWidth; ++x)
            blurAt(x);
        WriteRow(y, result);
    }
}

void TbsEffectBmp::Invert() {
    ForEachPixel(FImage, FWidth, FHeight, [](uint8_t* p) {
        for (int c = 0; c < 3; ++c)
            p[c] = static_cast<uint8_t>(255 - p[c]);
    });
}

void TbsEffectBmp::ApplyEffect(TbsInactiveEffect effect) {
    switch (effect) {
    case TbsInactiveEffect::ieBrightness:
        Brightness(0.5);
        break;
    case TbsInactiveEffect::ieDarkness:
        Darkness(0.3);
        break;
    case TbsInactiveEffect::ieGrayScale:
        GrayScale();
        break;
    case TbsInactiveEffect::ieNoise:
        Noise(50);
        break;
    case TbsInactiveEffect::ieSplitBlur:
        SplitBlur(1);
        break;
    case TbsInactiveEffect::ieInvert:
        Invert();
        break;
    }
}

// ---------------------------------------------------------------- TbsMorphProgress

namespace {
// Ten steps of 0.1 add up to 0.9999999999999999; values this close to an end are the end,
// so ten ticks always complete a morph.
constexpr double EndTolerance = 1e-9;
} // namespace

void TbsMorphProgress::SetValue(double value) {
    value = Clamp01(value);
    if (value < EndTolerance)
        value = 0.0;
    else if (value > 1.0 - EndTolerance)
        value = 1.0;
    FValue = value;
}

bool TbsMorphProgress::Step(bool mouseOver) {
    if (!NeedsStep(mouseOver))
        return false;
    SetValue(FValue + (mouseOver ? StepSize : -StepSize));
    return true;
}
