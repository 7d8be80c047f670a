#pragma once
// Shared by the makers of the button family (push and tool buttons, check boxes, scroll
// bars, up-downs, range controls, splitters): the looks of raised parts in each skin and
// small helpers that turn Qt geometry into skin.ini values.

#include "SkinBuilder.h"
#include "SkinPainter.h"

#include <QRect>
#include <vector>

namespace ButtonFamily {

// The looks of a raised part, in the order they are stacked in a picture.
enum class TLook { Normal, Hot, Down, Disabled };
inline constexpr TLook AllLooks[] = {TLook::Normal, TLook::Hot, TLook::Down, TLook::Disabled};

// The colours of a raised part in one look. They are the theme's, except where a skin's
// character or a readable caption asks for more (see LookColors in ButtonLooks.cpp).
TFaceColors LookColors(const TSkinTheme& theme, TLook look);

// The corner radius of push buttons: the theme's, kept small enough that a 17-pixel-high
// button still shows a whole face.
double ButtonRadius(const TSkinTheme& theme);

// A raised face filling r in the theme's style. The shading runs top to bottom (left to
// right when `sideways`) and is concentrated in the first `ends` and last `ends` pixels;
// between them it barely changes, so that band can be repeated without seams.
void RaisedFace(QPainter& p, const QRectF& r, const TSkinTheme& theme, TLook look, double radius,
                double ends, bool sideways = false);

// The colour marks (arrows, checks, grips) take on a face in one look.
QColor MarkColor(const TSkinTheme& theme, TLook look);

// Contrast ratio of two colours (1 = none, 21 = black on white).
double Contrast(const QColor& a, const QColor& b);
// `ink`, lightened or darkened (away from the ground first) until it reaches `ratio`
// against `ground`, or against every colour of `grounds`.
QColor Readable(const QColor& ink, const QColor& ground, double ratio);
QColor ReadableOn(const QColor& ink, const std::vector<QColor>& grounds, double ratio);
// A caption colour for `face` of `picture`: `wanted`, adjusted until it reaches `ratio`
// against every pixel of the face's middle band, where captions sit.
QColor CaptionOn(const QImage& picture, const QRect& face, const QColor& wanted, double ratio);

// Contrast captions must reach: on normal faces, on hot and pressed ones (a little less, so
// the flat skin keeps white on its pink and orange), and on disabled ones (dim but legible).
inline constexpr double CaptionContrast = 4.5;
inline constexpr double HotCaptionContrast = 4.0;
inline constexpr double DisabledContrast = 2.0;

// The image mirrored across its diagonal: upright parts are drawn lying down (or the
// other way round) and transposed, so both kinds match pixel for pixel.
QImage Transposed(const QImage& image);

// The ini forms of Qt geometry.
inline TRect Rect(const QRect& r) {
    return TRect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
}
inline TRect Rect(int left, int top, int width, int height) {
    return TRect(left, top, left + width, top + height);
}

// The record's font group in the theme's control font.
void ControlFont(TSkinSection& s, const TSkinTheme& theme, const QColor& color);

// Part makers, one per group of records.
void AddPushButtons(TSkinBuilder& skin);   // button, toolbutton, resizebutton, menubutton
void AddCheckBoxes(TSkinBuilder& skin);    // checkbox, radiobox
void AddScrollBars(TSkinBuilder& skin);    // vscrollbar, hscrollbar, bothhscrollbar
void AddUpDowns(TSkinBuilder& skin);       // hupdown, vupdown, updown, spinedit
void AddRangeControls(TSkinBuilder& skin); // trackbar, vtrackbar, slider, gauge, vgauge
void AddSplitters(TSkinBuilder& skin);     // vsplitter, splitter, hsplitter, bevel

} // namespace ButtonFamily
