#pragma once
// The look of skinned parts drawn without a skin: a one-pixel frame on a plain fill, in
// three looks. Used by the controls, the popup menus and the frame alike.

#include "framework/Canvas.h"
#include "framework/Colors.h"
#include "framework/Types.h"

// The three looks of a part drawn without a skin.
enum class TbsDefaultLook { Normal, Hot, Pressed };

namespace bsDefaultColors {
constexpr TColor Frame = clNavy;                   // hot and pressed parts
constexpr TColor PressedFill = RGB(133, 147, 181); // pressed parts
constexpr TColor HotFill = RGB(182, 189, 210);     // hot parts
constexpr TColor NormalFrame = clBtnShadow;        // other parts: a shadow frame ...
constexpr TColor NormalFill = clBtnFace;           // ... on button face
} // namespace bsDefaultColors

// A one-pixel frame on `rect`'s edge and the fill inside it, in the colours of `look`.
void DrawDefaultFace(TCanvas& canvas, const TRect& rect, TbsDefaultLook look);
