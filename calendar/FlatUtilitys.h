#pragma once
// Drawing helpers shared by the flat controls: the derived hover, pressed and border
// colours, the bevelled button frame, greyed glyphs and the parent's background behind a
// control that shows it through.

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/Colors.h"
#include "framework/Types.h"

class QWidget;

// 0..100: how far AdvancedColor moves the lightness.
using TAdvColors = int;

enum class TLightness { Lighten, Darken };

// A colour of the same hue and saturation as `base` with its lightness moved by `percent`
// (on the 0..240 scale, starting 10 above the base and kept within 0..100). A percent of 0
// keeps `current`.
TColor AdvancedColor(TColor base, TColor current, TAdvColors percent, TLightness direction);

// A frame `width` pixels wide just inside `rect`: the left and top sides in `light`, the
// right and bottom sides in `dark` (a raised bevel; swap the colours for a sunken one).
void DrawBevelFrame(TCanvas& canvas, TRect rect, TColor light, TColor dark, int width);

// A greyed copy of `image`: the background colour everywhere, and every pixel that is
// `outline` in the image painted in `dark`, after a copy in `light` one pixel right and
// down when `highlight` is set.
TBitmap MakeDisabledGlyph(const TBitmap& image, TColor outline, TColor background, bool highlight,
                          TColor dark, TColor light);

// Paints what the parent of `control` shows behind it into `canvas` (at 0, 0). Nothing
// happens for a control without a parent.
void CopyParentBackground(const QWidget* control, TCanvas& canvas);
