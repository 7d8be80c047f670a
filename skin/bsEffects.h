#pragma once
// Pixel buffers of the skin engine: TbsFBitmap gives fast read access to a bitmap's rows
// (masks), TbsEffectBmp blends and recolours a picture (morphing between a normal and an
// active look, the inactive-frame effects), and TbsMorphProgress is the progress rule of
// every morphing element.
//
// Both buffers are 24-bit top-down B, G, R rows padded to a multiple of 4 bytes, the
// layout of TBitmap. Every computed channel is rounded to the nearest integer, halves to
// even, and clamped to 0..255.

#include "skin/bsSkinValues.h"

#include <QImage>
#include <cstdint>
#include <random>
#include <vector>

class TBitmap;
class TCanvas;

// Read-only view of a bitmap's pixels through a table of row addresses.
class TbsFBitmap {
public:
    explicit TbsFBitmap(const TBitmap& bitmap);

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // Padding bytes at the end of each row (width mod 4).
    int RowPadding() const { return FWidth % 4; }
    // Row y (0 = top) as B, G, R bytes; y must be in 0 .. Height - 1.
    const uint8_t* Row(int y) const { return FRows[static_cast<size_t>(y)]; }

private:
    QImage FImage; // shares the bitmap's pixels; never written
    int FWidth = 0;
    int FHeight = 0;
    std::vector<const uint8_t*> FRows;
};

// A picture the effect and morph operations change in place.
class TbsEffectBmp {
public:
    // A copy of the bitmap's pixels.
    explicit TbsEffectBmp(const TBitmap& bitmap);
    // A black picture of the given size.
    TbsEffectBmp(int width, int height);

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // Bytes from one row to the next.
    int RowBytes() const;

    // Copies row y out of / into `buffer` (3 x Width bytes). Raise EInvalidGraphic when y is
    // out of range.
    void ReadRow(int y, uint8_t* buffer) const;
    void WriteRow(int y, const uint8_t* buffer);
    uint8_t* RowAddress(int y);
    const uint8_t* RowAddress(int y) const;

    // Draws the whole picture with its top-left at (x, y).
    void DrawTo(TCanvas& canvas, int x, int y) const;
    // Makes `bitmap` a copy of the picture.
    void AssignTo(TBitmap& bitmap) const;

    // Morphs: blend this picture towards `target` as x goes from 0 to 1. A target of
    // another size is ignored.
    void Morph(const TbsEffectBmp& target, double x);
    // The vertical form when the picture is higher than wide, else the horizontal one.
    void MorphGradient(const TbsEffectBmp& target, double x);
    void MorphHGradient(const TbsEffectBmp& target, double x);
    void MorphVGradient(const TbsEffectBmp& target, double x);
    void MorphLeftGradient(const TbsEffectBmp& target, double x);
    void MorphRightGradient(const TbsEffectBmp& target, double x);
    void MorphLeftSlide(const TbsEffectBmp& target, double x);
    void MorphRightSlide(const TbsEffectBmp& target, double x);
    void MorphPush(const TbsEffectBmp& target, double x);
    // The morph a skin names by its "morphkind".
    void MorphBy(TbsMorphKind kind, const TbsEffectBmp& target, double x);

    // Colour effects.
    void Brightness(double x);
    void Darkness(double x);
    void GrayScale();
    // Adds one value in -amount div 2 .. amount - 1 - amount div 2 to every pixel.
    void Noise(int amount);
    // Each pixel becomes the average of its four diagonal neighbours at distance `amount`.
    void SplitBlur(int amount);
    void Invert();
    // The effect a skin names by its "inactiveeffect", with the amounts the frame uses.
    void ApplyEffect(TbsInactiveEffect effect);

    // Makes Noise repeatable.
    void SeedRandom(uint32_t seed) { FRandom.seed(seed); }

private:
    bool SameSize(const TbsEffectBmp& other) const;
    // Blends the columns from `first` stepping by `direction`, the weight starting at 0 and
    // growing by `step` per column (capped at 1); the weight is the share of this picture.
    void RampColumns(const TbsEffectBmp& target, int first, int last, int direction, double step);
    void RampRows(const TbsEffectBmp& target, int first, int last, int direction, double step);
    void CopyTargetColumns(const TbsEffectBmp& target, int firstOwn, int firstTarget, int count);

    QImage FImage;
    int FWidth = 0;
    int FHeight = 0;
    std::mt19937 FRandom{std::random_device{}()};
};

// Progress of a morphing element between its normal (0) and active (1) look: each tick of
// the morph timer moves it by 0.1 towards 1 while the mouse is over the element and towards
// 0 once it has left.
class TbsMorphProgress {
public:
    static constexpr double StepSize = 0.1;

    double Value() const { return FValue; }
    // Clamped to 0..1.
    void SetValue(double value);
    // One tick; false when the value was already at the end it moves towards.
    bool Step(bool mouseOver);
    // Strictly between the ends: the element draws a blend of both looks.
    bool IsMorphing() const { return FValue > 0.0 && FValue < 1.0; }
    // Whether a tick towards the given end would still change the value.
    bool NeedsStep(bool mouseOver) const { return mouseOver ? FValue < 1.0 : FValue > 0.0; }

private:
    double FValue = 0.0;
};
